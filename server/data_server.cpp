#include "data_server.h"

#include <httplib.h>

namespace DataServer {

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

bool Serve(httplib::Server &server, const std::string &folder) {
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

} // namespace DataServer
