#pragma once

#include <QObject>
#include <QString>

// The HTTP transfer component every window that talks to the network carries: a blocking
// fetch of small text files, and an asynchronous GET whose body is then read in pieces.
// One request at a time: a new one cancels the one still under way.
class HttpTransfer : public QObject {
    Q_OBJECT
public:
    // The states the program acts on.
    enum State { Failed = 11, Complete = 12 };
    static constexpr int DefaultTimeoutMs = 10000;
    static constexpr int PieceSize = 1024;

    using QObject::QObject;

    // The whole body as text, waiting at most the time-out while events keep flowing. An
    // empty text when the request failed (ok, if given, says which).
    virtual QString fetchText(const QString &url, bool *ok = nullptr) = 0;
    // Starts a GET and returns at once; stateChanged follows.
    virtual void startRequest(const QString &url) = 0;
    // The next piece (at most size characters) of the completed body; empty at its end.
    virtual QString readPiece(int size = PieceSize) = 0;
    // Longest wait for a request, in milliseconds.
    virtual void setTimeout(int ms) = 0;

signals:
    void stateChanged(int state);
};
