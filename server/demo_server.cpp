#include "demo_server.h"

#include "data_server.h"
#include "engine_standin.h"

#include <httplib.h>

namespace DemoServer {

long ServeEverything(httplib::Server &server, const std::string &data, const std::string &music,
                     std::string *error) {
    auto missing = [error](const std::string &folder) {
        if (error)
            *error = "no folder " + folder;
        return -1L;
    };
    if (!DataServer::Serve(server, data))
        return missing(data);
    // Both engines answer from the demo songs and the user's own music.
    std::vector<EngineStandIn::Song> songs = EngineStandIn::Scan(data + "/music", "/music");
    // The demo catalogue: many more songs, sharing the demo clips.
    auto listed = EngineStandIn::ReadCatalogue(data + "/catalogue.txt", "/catalogue");
    songs.insert(songs.end(), listed.begin(), listed.end());
    EngineStandIn::ServeCatalogueClips(server, "/catalogue", data + "/media");
    if (!music.empty()) {
        if (!server.set_mount_point("/mymusic", music))
            return missing(music);
        auto mine = EngineStandIn::Scan(music, "/mymusic");
        songs.insert(songs.end(), mine.begin(), mine.end());
    }
    const long count = static_cast<long>(songs.size());
    EngineStandIn::Serve(server, std::move(songs), data + "/lyrics");
    return count;
}

} // namespace DemoServer
