#pragma once

#include <QObject>
#include <QPointer>

class Session;
class frmMusicLibrary;
class frmNetChannel;
class frmNetFlash;

// The windows beside the main one, each made on its first opening and at most once: opening
// one that is open shows it again, one still loading is left to finish. The link bar and the
// tray open them from here.
class ExtraWindows : public QObject {
    Q_OBJECT
public:
    explicit ExtraWindows(Session &session, QObject *parent = nullptr);
    // The windows still open go with it, without their unload steps.
    ~ExtraWindows() override;

    void ShowMusicLibrary();
    void ShowNetTv();
    void ShowNetMovie();
    void ShowNetMtv();
    void ShowNetFlash();

    // The window when it is open (or loading), else nullptr.
    frmMusicLibrary *musicLibrary() const;
    frmNetChannel *netTv() const;
    frmNetChannel *netMovie() const;
    frmNetChannel *netMtv() const;
    frmNetFlash *netFlash() const;

private:
    // A loading window: opened again, nothing happens; loaded, it comes back; gone, a new
    // one loads.
    template <typename Window, typename Held> void showLoading(QPointer<Held> &window);

    Session &session_;
    QPointer<frmMusicLibrary> musicLibrary_;
    QPointer<frmNetChannel> netTv_, netMovie_, netMtv_;
    QPointer<frmNetFlash> netFlash_;
};
