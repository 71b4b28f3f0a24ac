#pragma once

#include "platform/platform_layer.h"

#include <QObject>

class QSocketNotifier;

// The signals that ask a program to end (SIGTERM at logout or shutdown, SIGHUP when its
// terminal goes, SIGINT for Ctrl+C) arrive as quitRequested() in the event loop, so the
// program can end as when its window is closed, with the playlist saved. (A program that
// no longer responds is ended by SIGKILL, as the system does at shutdown.) One object at a
// time.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested(int signalNumber);

private:
    QSocketNotifier *notifier_ = nullptr;
};
