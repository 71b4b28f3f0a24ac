#pragma once

#include <QWidget>

class DownloadManager;
class QPushButton;
class QTimer;
class QTreeWidget;
class Shell;

// The downloads window: what the download manager is fetching, waiting for and has finished,
// with name, progress and speed, refreshed about once a second while it is shown; pause,
// resume, remove, and the folder the files land in.
class frmDownloads : public QWidget {
    Q_OBJECT
public:
    frmDownloads(DownloadManager &manager, Shell &shell, QWidget *parent = nullptr);

    // Reads the list from the manager now.
    void refresh();

    QTreeWidget *lstDownloads;
    QPushButton *btnPause, *btnResume, *btnRemove, *btnOpenFolder;

    static QString StateText(const QString &state);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QString selectedId() const;
    void updateButtons();

    DownloadManager &manager_;
    Shell &shell_;
    QTimer *tick_;
};
