#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A front for the server that makes every answer misbehave in one chosen way, so the program
// can be tried against the servers of the real web: silent ones, slow ones, broken ones and
// liars. Each request is taken from the real server behind it and then delivered badly.
namespace Fault {

enum class Kind {
    Refuse,       // nothing listens: the connection is refused
    Hang,         // the request is read and never answered
    Stall,        // the headers come, the body never does
    Drip,         // the whole answer, one byte per interval
    Reset,        // the headers and half the body, then the connection is reset
    Garbage,      // bytes that are not HTTP at all, then the connection closes
    Huge,         // a body far over any sane size, its length announced
    HugeUnsized,  // the same without a length, ending when the connection closes
    RedirectLoop, // every answer sends the client back to the same address
    WrongCharset, // the real body, announced as UTF-8
    BadGb18030,   // the real body with invalid GB18030 sequences, announced as GB18030
};

// Every kind, in the order above.
std::vector<Kind> All();
const char *Name(Kind kind);
// False when the name is none of the kinds.
bool FromName(const std::string &name, Kind &kind);

// The size of the oversized bodies: four times the largest the program takes.
constexpr long long HugeBytes = 64LL * 1024 * 1024;

} // namespace Fault

class FaultFront {
public:
    // upstreamPort: the real server on 127.0.0.1. dripIntervalMs: the pause between bytes.
    FaultFront(Fault::Kind kind, int upstreamPort, int dripIntervalMs = 1000);
    ~FaultFront();
    FaultFront(const FaultFront &) = delete;
    FaultFront &operator=(const FaultFront &) = delete;

    // Listens on 127.0.0.1 (port 0: a free one); the port, or -1. For Refuse the port is
    // taken and let go again, so nothing answers there.
    int start(int port = 0);
    // Ends every connection and waits for their threads.
    void stop();
    int port() const { return port_; }

private:
    void acceptLoop();
    void serve(int client);
    // Waits until the client goes or the front stops.
    void waitForClose(int client);
    // False when the client is gone or the front stops.
    bool sendAll(int client, const char *data, size_t size);

    Fault::Kind kind_;
    int upstreamPort_;
    int dripIntervalMs_;
    int listener_ = -1;
    int port_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::mutex mutex_;
    // One thread per connection; the accepting thread joins those that have ended.
    struct Connection {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> ended;
    };
    std::vector<Connection> connections_;
    std::vector<int> clients_;
};
