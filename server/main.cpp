// tonaply-server: the program's data server and a stand-in for the two search engines, on
// this machine only.
#include "data_server.h"
#include "demo_server.h"
#include "fault_front.h"
#include "rtsp_albums.h"

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {
httplib::Server *running = nullptr;

void stop(int) {
    if (running)
        running->stop();
}

std::string faultNames() {
    std::string names;
    for (Fault::Kind kind : Fault::All())
        names += std::string(names.empty() ? "" : ", ") + Fault::Name(kind);
    return names;
}

void usage(const char *self) {
    std::fprintf(stderr,
                 "usage: %s [--port N] [--rtsp-port N] [--data DIR] [--music DIR]\n"
                 "  --port N     port on 127.0.0.1 (default 18143; 0 picks a free one)\n"
                 "  --rtsp-port N  the album songs over RTSP (default the port after --port)\n"
                 "  --data DIR   the data server's folder (default data/server)\n"
                 "  --music DIR  a folder of your own music, searchable as well\n"
                 "  --fault KIND  every HTTP answer misbehaves: %s\n"
                 "  --fault-interval-ms N  the pause between bytes for --fault drip (1000)\n",
                 self, faultNames().c_str());
}
} // namespace

int main(int argc, char *argv[]) {
    int port = 18143;
    int rtspPort = -1;
    std::string data = "data/server";
    std::string music;
    bool faulty = false;
    Fault::Kind fault = Fault::Kind::Hang;
    int dripIntervalMs = 1000;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--port") && hasValue) {
            port = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--rtsp-port") && hasValue) {
            rtspPort = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--data") && hasValue) {
            data = argv[++i];
        } else if (!std::strcmp(argv[i], "--music") && hasValue) {
            music = argv[++i];
        } else if (!std::strcmp(argv[i], "--fault") && hasValue &&
                   Fault::FromName(argv[i + 1], fault)) {
            faulty = true;
            ++i;
        } else if (!std::strcmp(argv[i], "--fault-interval-ms") && hasValue) {
            dripIntervalMs = std::atoi(argv[++i]);
        } else {
            usage(argv[0]);
            return 2;
        }
    }
    httplib::Server server;
    std::string error;
    const long songCount = DemoServer::ServeEverything(server, data, music, &error);
    if (songCount < 0) {
        std::fprintf(stderr, "tonaply-server: %s\n", error.c_str());
        return 1;
    }
    running = &server;
    std::signal(SIGTERM, stop);
    std::signal(SIGINT, stop);
    // With a fault the real server hides behind the front, on a port of its own.
    const int own = faulty ? 0 : port;
    const int served = own == 0 ? server.bind_to_any_port("127.0.0.1")
                                : (server.bind_to_port("127.0.0.1", own) ? own : -1);
    std::unique_ptr<FaultFront> front;
    if (served >= 0 && faulty)
        front = std::make_unique<FaultFront>(fault, served, dripIntervalMs);
    const int bound = front ? front->start(port) : served;
    if (bound < 0) {
        std::fprintf(stderr, "tonaply-server: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    // The album songs stream from here, where feifa_url.txt points.
    RtspAlbums albums;
    if (rtspPort < 0)
        rtspPort = port == 0 ? 0 : port + 1;
    // Without it the rest still serves; only the albums do not play.
    if (!albums.start(data + "/music", rtspPort))
        std::fprintf(stderr, "tonaply-server: cannot stream albums on 127.0.0.1:%d\n", rtspPort);
    DataServer::NameOwnAddresses(server, "http://127.0.0.1:" + std::to_string(bound) + "/",
                                 "rtsp://127.0.0.1:" + std::to_string(albums.port()) + "/");
    std::printf("tonaply-server: http://127.0.0.1:%d/ serving %s, %ld songs to search\n", bound,
                data.c_str(), songCount);
    if (albums.port() > 0)
        std::printf("tonaply-server: rtsp://127.0.0.1:%d/realmusicll/ streaming the albums\n",
                    albums.port());
    if (front)
        std::printf("tonaply-server: every answer misbehaves: %s\n", Fault::Name(fault));
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}
