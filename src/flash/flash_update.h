#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class FetchTexts;
class TransferFactory;

// UpdateFlashData: fetches the ten catalogue files into the Flash folder when the local
// catalogue is missing, or always when forced. The server is first asked for the marker file;
// without ".swf" in its answer nothing is written. Each file is replaced whole or not at all:
// one that cannot be fetched keeps its previous text.
class FlashUpdate : public QObject {
    Q_OBJECT
public:
    FlashUpdate(TransferFactory &network, Dialogs &dialogs, QString dataServerUrl,
                QString flashFolder, QObject *parent = nullptr);

    // Connect to finished first: with nothing to fetch it is raised at once.
    void start(bool force);
    bool isRunning() const { return fetch_ != nullptr; }

    static const QString TextNoServer;

signals:
    // connected: the server passed the connection test, or nothing had to be fetched.
    void finished(bool connected);

private:
    void fetched(int index, const QString &text, bool ok);
    void failTest();

    TransferFactory &network_;
    Dialogs &dialogs_;
    QString dataServerUrl_;
    QString folder_;
    FetchTexts *fetch_ = nullptr;
    bool force_ = false;
};
