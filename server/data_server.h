#pragma once

#include <string>

namespace httplib {
class Server;
}

// Serves a folder as the program's data server: files as bytes with their content types,
// byte ranges for media, and a small error page for files that are not there.
namespace DataServer {

// False when the folder does not exist.
bool Serve(httplib::Server &server, const std::string &folder);

} // namespace DataServer
