#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class HttpTransfer;
class Installer;
class TransferFactory;

// The start-up question to the data server: is there a newer version? If so the program says
// so, fetches and starts the installer and ends.
namespace VersionCheck {

extern const QString FileName; // "tnplversion.txt", in the data server's folder
extern const QString TextUpgrading;
extern const QString TextUpgradeFailed;

// Whether the version file's text announces a version newer than running: four characters
// once the spaces at both ends are gone, read as a number greater than running's.
bool IsNewer(const QString &running, const QString &fileText);

// The question to the data server, on a transfer of its own: asked as soon as it is made, so
// the answer is on its way while the main window is being built.
class Request : public QObject {
    Q_OBJECT
public:
    Request(TransferFactory &network, const QString &dataServerUrl, QObject *parent = nullptr);
    // The version file's text; "" when the server did not answer with it. Waits, with events
    // flowing, until the answer is in (at most the transfer's time-out).
    QString text();

signals:
    void answered();

private:
    HttpTransfer *transfer_;
    bool done_ = false;
    QString text_;
};

// GetNewVersion: when the answer announces a newer version, says so, fetches and starts the
// installer and ends the process, so it never returns; otherwise returns without a word.
void GetNewVersion(Request &request, Dialogs &dialogs, Installer &installer,
                   const QString &installerUrl, const QString &running);

} // namespace VersionCheck
