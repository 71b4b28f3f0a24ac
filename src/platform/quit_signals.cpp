#include "quit_signals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int pipeEnds[2] = {-1, -1};
constexpr int Handled[] = {SIGTERM, SIGHUP, SIGINT};

// Only async-signal-safe calls here.
void onSignal(int number) {
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = write(pipeEnds[0], &byte, 1);
}
} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent) {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0)
        return;
    fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        if (read(pipeEnds[1], &byte, 1) == 1)
            emit quitRequested(byte);
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : Handled)
        sigaction(s, &action, nullptr);
}

QuitSignals::~QuitSignals() {
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    for (int s : Handled)
        sigaction(s, &fallback, nullptr);
    delete notifier_;
    for (int &end : pipeEnds) {
        if (end >= 0)
            close(end);
        end = -1;
    }
}
