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

// Text goes out gzip-compressed, never brotli: pages are made per request, and brotli at the
// library's quality took milliseconds for each one.
void UseQuickCompression(httplib::Server &server);
// An Accept-Encoding value without its "br" entries.
std::string WithoutBrotli(const std::string &acceptEncoding);

} // namespace DataServer
