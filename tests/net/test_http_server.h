#pragma once

#include <httplib.h>

#include <QString>
#include <chrono>
#include <thread>

// A real HTTP server on an ephemeral loopback port, running in its own thread for one test.
class TestHttpServer {
public:
    httplib::Server server;

    TestHttpServer() {
        // Players hold connections open between requests: keep idle ones short and the pool
        // large, so no request waits for a free thread.
        server.set_keep_alive_timeout(1);
        server.set_tcp_nodelay(true);
        server.new_task_queue = [] { return new httplib::ThreadPool(16); };
    }
    ~TestHttpServer() { stop(); }

    // Starts serving; call after the handlers are set.
    void start() {
        port_ = server.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server.listen_after_bind(); });
        for (int i = 0; i < 5000 && !server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void stop() {
        server.stop();
        if (thread_.joinable())
            thread_.join();
    }
    int port() const { return port_; }
    QString url(const QString &path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
    }

private:
    int port_ = 0;
    std::thread thread_;
};
