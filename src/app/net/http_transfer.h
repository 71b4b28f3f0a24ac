#pragma once

#include <QObject>
#include <QString>

// One user's HTTP transfer component (each search, each start-up fetch, each window has its
// own): a blocking fetch of small text files, and an asynchronous GET whose body is then read
// in pieces. Every request ends with exactly one report, also when it is cancelled or
// superseded by the next request of the same transfer, so no listener waits forever. Every
// request has an overall deadline: a server that drips its answer cannot hold it open.
class HttpTransfer : public QObject {
    Q_OBJECT
public:
    // The states the program acts on.
    enum State { Failed = 11, Complete = 12 };
    static constexpr int DefaultTimeoutMs = 10000;
    static constexpr int PieceSize = 1024;

    using QObject::QObject;

    // The whole body as text, waiting at most the time-out while events keep flowing. An
    // empty text when the request failed (ok, if given, says which). A request of this
    // transfer still under way ends first, reported as Failed.
    virtual QString fetchText(const QString &url, bool *ok = nullptr) = 0;
    // Starts a GET and returns at once; stateChanged follows once. A request of this transfer
    // still under way ends first, reported as Failed.
    virtual void startRequest(const QString &url) = 0;
    // The next piece (at most size characters) of the completed body; empty at its end.
    virtual QString readPiece(int size = PieceSize) = 0;
    // Ends the request under way, reported as Failed; nothing when none is.
    virtual void cancel() = 0;
    // Longest wait for a request from start to end, in milliseconds.
    virtual void setTimeout(int ms) = 0;

signals:
    void stateChanged(int state);
};

// Makes a transfer for each user of the network; one transfer never disturbs another's.
class TransferFactory {
public:
    virtual ~TransferFactory() = default;
    // A new transfer, owned by parent.
    virtual HttpTransfer *newTransfer(QObject *parent) = 0;
};
