#include "data_server.h"

#include <cctype>
#include <cstring>

#include <httplib.h>

namespace DataServer {

const char DefaultHttpBase[] = "http://127.0.0.1:18143/";
const char DefaultRtspBase[] = "rtsp://127.0.0.1:18144/";

namespace {
struct Type {
    const char *extension;
    const char *mime;
};

// Text files carry no charset: the program reads them as GBK, as it always did.
constexpr Type Types[] = {
    {"txt", "text/plain"},
    {"dh", "text/plain"},
    {"hdm", "text/plain"},
    {"htm", "text/html"},
    {"html", "text/html"},
    {"ram", "audio/x-pn-realaudio"},
    {"rm", "application/vnd.rn-realmedia"},
    {"rmvb", "application/vnd.rn-realmedia-vbr"},
    {"mp3", "audio/mpeg"},
    {"asx", "video/x-ms-asf"},
    {"wmv", "video/x-ms-wmv"},
    {"swf", "application/x-shockwave-flash"},
    {"exe", "application/octet-stream"},
};

// "404 找不到文件" in GBK.
const char NotFoundPage[] = "<html><head><title>404</title></head><body><h1>404 "
                            "\xD5\xD2\xB2\xBB\xB5\xBD\xCE\xC4\xBC\xFE</h1></body></html>";
} // namespace

std::string WithoutBrotli(const std::string &acceptEncoding) {
    std::string kept;
    size_t start = 0;
    while (start <= acceptEncoding.size()) {
        size_t end = acceptEncoding.find(',', start);
        if (end == std::string::npos)
            end = acceptEncoding.size();
        const std::string entry = acceptEncoding.substr(start, end - start);
        const size_t first = entry.find_first_not_of(" \t");
        size_t nameEnd = entry.find(';');
        if (nameEnd == std::string::npos)
            nameEnd = entry.size();
        std::string name =
            first == std::string::npos ? std::string() : entry.substr(first, nameEnd - first);
        name.erase(name.find_last_not_of(" \t") + 1);
        for (char &c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!name.empty() && name != "br") {
            if (!kept.empty())
                kept += ", ";
            kept += entry.substr(first);
        }
        start = end + 1;
    }
    return kept;
}

void UseQuickCompression(httplib::Server &server) {
    server.set_pre_routing_handler([](const httplib::Request &req, httplib::Response &) {
        // The library picks the encoding from the request's header, which this handler may
        // only read: the request object itself is the server's own, not a constant.
        if (req.has_header("Accept-Encoding")) {
            auto &request = const_cast<httplib::Request &>(req);
            const std::string accepted = WithoutBrotli(req.get_header_value("Accept-Encoding"));
            request.headers.erase("Accept-Encoding");
            if (!accepted.empty())
                request.headers.emplace("Accept-Encoding", accepted);
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
}

bool Serve(httplib::Server &server, const std::string &folder) {
    UseQuickCompression(server);
    // Players keep connections open between range requests: a short keep-alive and a large
    // pool keep one client from holding every thread.
    server.set_keep_alive_timeout(2);
    // Headers and body go out in separate writes: without this, the body waits for the
    // client's delayed acknowledgement (about 40 ms a request).
    server.set_tcp_nodelay(true);
    server.new_task_queue = [] { return new httplib::ThreadPool(32); };
    for (const Type &t : Types)
        server.set_file_extension_and_mimetype_mapping(t.extension, t.mime);
    server.set_error_handler([](const httplib::Request &, httplib::Response &res) {
        if (res.status == 404 && res.body.empty())
            res.set_content(NotFoundPage, "text/html");
    });
    return server.set_mount_point("/", folder);
}

std::string ReplaceAll(std::string text, const std::string &from, const std::string &to) {
    if (from.empty() || from == to)
        return text;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

void NameOwnAddresses(httplib::Server &server, const std::string &httpBase,
                      const std::string &rtspBase) {
    server.set_file_request_handler([httpBase, rtspBase](const httplib::Request &req,
                                                         httplib::Response &res) {
        const std::string &path = req.path;
        auto endsWith = [&path](const char *suffix) {
            const size_t n = std::strlen(suffix);
            return path.size() >= n && path.compare(path.size() - n, n, suffix) == 0;
        };
        if (!endsWith(".txt") && !endsWith(".asx") && !endsWith(".dh"))
            return;
        res.body =
            ReplaceAll(ReplaceAll(res.body, DefaultHttpBase, httpBase), DefaultRtspBase, rtspBase);
    });
}

} // namespace DataServer
