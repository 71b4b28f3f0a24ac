#pragma once

#include <string>

namespace httplib {
class Server;
}

// Everything tonaply-server answers: the data server's folder and both search engines, from
// the demo songs and catalogue of that folder and, when given, a folder of the user's music.
namespace DemoServer {

// The number of songs to search, or -1 when a folder is missing (error names it).
long ServeEverything(httplib::Server &server, const std::string &data,
                     const std::string &music = {}, std::string *error = nullptr);

} // namespace DemoServer
