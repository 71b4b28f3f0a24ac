#pragma once

#include <string>

namespace httplib {
class Server;
}

// Serves a folder as the program's data server: files as bytes with their content types,
// byte ranges for media, and a small error page for files that are not there.
namespace DataServer {

// The addresses the demo files name: the data server and its RTSP side on their default ports.
extern const char DefaultHttpBase[];
extern const char DefaultRtspBase[];

// False when the folder does not exist.
bool Serve(httplib::Server &server, const std::string &folder);
// A server on other ports hands out its text files (catalogues, metafiles) naming its own
// addresses in place of the default ones, so their links lead back to it.
void NameOwnAddresses(httplib::Server &server, const std::string &httpBase,
                      const std::string &rtspBase);
// Every occurrence of from in text replaced by to.
std::string ReplaceAll(std::string text, const std::string &from, const std::string &to);

// Text goes out gzip-compressed, never brotli: pages are made per request, and brotli at the
// library's quality took milliseconds for each one.
void UseQuickCompression(httplib::Server &server);
// An Accept-Encoding value without its "br" entries.
std::string WithoutBrotli(const std::string &acceptEncoding);

} // namespace DataServer
