#pragma once

#include <memory>
#include <string>

// The album streaming server: every .mp3 below a folder over RTSP at
// "/realmusicll/<path>", the path relative to the folder with its bytes percent-encoded as
// the HTTP stand-in writes them; and the live TV channels at "/live/channel<n>", endless test
// pictures with a running clock and a tone. Runs on a thread of its own until stopped.
class RtspAlbums {
public:
    RtspAlbums();
    ~RtspAlbums();
    static constexpr int LiveChannels = 15;
    // port 0 takes a free one. False when the port cannot be had.
    bool start(const std::string &folder, int port);
    void stop();
    int port() const;
    // The mount path of a file below the folder ("陈嘉怡/月亮知道.mp3" gives
    // "/realmusicll/%E9%99%88...").
    static std::string MountPath(const std::string &relativePath);
    // The launch line of live channel n (from 1): each has its own picture and tone.
    static std::string LiveLaunch(int n);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
