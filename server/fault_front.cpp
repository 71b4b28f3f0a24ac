#include "fault_front.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace Fault {

namespace {
struct Named {
    Kind kind;
    const char *name;
};
constexpr Named Names[] = {
    {Kind::Refuse, "refuse"},
    {Kind::Hang, "hang"},
    {Kind::Stall, "stall"},
    {Kind::Drip, "drip"},
    {Kind::Reset, "reset"},
    {Kind::Garbage, "garbage"},
    {Kind::Huge, "huge"},
    {Kind::HugeUnsized, "huge-unsized"},
    {Kind::RedirectLoop, "redirect-loop"},
    {Kind::WrongCharset, "wrong-charset"},
    {Kind::BadGb18030, "bad-gb18030"},
};
} // namespace

std::vector<Kind> All() {
    std::vector<Kind> kinds;
    for (const Named &n : Names)
        kinds.push_back(n.kind);
    return kinds;
}

const char *Name(Kind kind) {
    for (const Named &n : Names)
        if (n.kind == kind)
            return n.name;
    return "";
}

bool FromName(const std::string &name, Kind &kind) {
    for (const Named &n : Names)
        if (name == n.name) {
            kind = n.kind;
            return true;
        }
    return false;
}

} // namespace Fault

namespace {
using Fault::Kind;

constexpr int PollMs = 50;

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// The real server's whole answer to a GET of target, as it came over the wire.
std::string fetchUpstream(int port, const std::string &target) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return {};
    timeval wait{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    sockaddr_in address = loopback(port);
    std::string answer;
    if (connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
        // HTTP/1.0 without an encoding: a plain body with its length, then the close.
        const std::string request = "GET " + target +
                                    " HTTP/1.0\r\nHost: 127.0.0.1:" + std::to_string(port) +
                                    "\r\nConnection: close\r\n\r\n";
        if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size())) {
            char buffer[65536];
            ssize_t n;
            while ((n = recv(fd, buffer, sizeof buffer, 0)) > 0)
                answer.append(buffer, static_cast<size_t>(n));
        }
    }
    close(fd);
    return answer;
}

struct Answer {
    std::string statusLine;
    std::vector<std::string> headers;
    std::string body;
};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Answer split(const std::string &raw) {
    Answer a;
    const size_t end = raw.find("\r\n\r\n");
    if (end == std::string::npos) {
        a.statusLine = "HTTP/1.1 502 Bad Gateway";
        return a;
    }
    size_t start = 0;
    bool first = true;
    while (start < end) {
        size_t eol = raw.find("\r\n", start);
        if (eol == std::string::npos || eol > end)
            eol = end;
        std::string line = raw.substr(start, eol - start);
        if (first)
            a.statusLine = line;
        else
            a.headers.push_back(line);
        first = false;
        start = eol + 2;
    }
    a.body = raw.substr(end + 4);
    return a;
}

std::string headerName(const std::string &line) {
    return lower(line.substr(0, line.find(':')));
}

std::string headerValue(const Answer &a, const std::string &name) {
    for (const std::string &line : a.headers)
        if (headerName(line) == name) {
            size_t at = line.find(':') + 1;
            while (at < line.size() && line[at] == ' ')
                ++at;
            return line.substr(at);
        }
    return {};
}

void removeHeader(Answer &a, const std::string &name) {
    a.headers.erase(std::remove_if(a.headers.begin(), a.headers.end(),
                                   [&](const std::string &l) { return headerName(l) == name; }),
                    a.headers.end());
}

// The answer as bytes, with its body's real length, closing the connection after it.
std::string join(Answer a, bool withLength = true) {
    removeHeader(a, "content-length");
    removeHeader(a, "connection");
    removeHeader(a, "keep-alive");
    std::string head = a.statusLine + "\r\n";
    for (const std::string &line : a.headers)
        head += line + "\r\n";
    if (withLength)
        head += "Content-Length: " + std::to_string(a.body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    return head;
}

void announceCharset(Answer &a, const char *charset) {
    std::string type = headerValue(a, "content-type");
    type = type.substr(0, type.find(';'));
    if (type.empty())
        type = "text/plain";
    removeHeader(a, "content-type");
    a.headers.push_back("Content-Type: " + type + "; charset=" + charset);
}

// Sequences no GB18030 decoder can take: a byte that never starts a character, a four-byte
// start with a bad third byte, a byte beyond the range; and a lead byte cut off at the end.
std::string withBadGb18030(const std::string &body) {
    static const std::string Bad = "\x80\x81\x30\x20\xff";
    std::string out = Bad;
    for (char c : body) {
        out += c;
        if (c == '\n')
            out += Bad;
    }
    out += '\x81';
    return out;
}

// Repeatable bytes that are not HTTP: no status line, no line structure.
std::string garbage() {
    std::string bytes = "\x89\x00\xfe\x01";
    uint32_t state = 2463534242u;
    while (bytes.size() < 65536) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes += static_cast<char>(state & 0xff);
    }
    return bytes;
}
} // namespace

FaultFront::FaultFront(Fault::Kind kind, int upstreamPort, int dripIntervalMs)
    : kind_(kind), upstreamPort_(upstreamPort), dripIntervalMs_(std::max(1, dripIntervalMs)) {}

FaultFront::~FaultFront() {
    stop();
}

int FaultFront::start(int port) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0)
        return -1;
    const int yes = 1;
    // As the real server does: a port left in TIME_WAIT by it can be taken again at once.
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    setsockopt(listener_, SOL_SOCKET, SO_REUSEPORT, &yes, sizeof yes);
    sockaddr_in address = loopback(port);
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        close(listener_);
        listener_ = -1;
        return -1;
    }
    port_ = ntohs(address.sin_port);
    if (kind_ == Kind::Refuse) {
        // Bound but never listening: a connection there is refused.
        close(listener_);
        listener_ = -1;
        return port_;
    }
    if (listen(listener_, 64) != 0) {
        close(listener_);
        listener_ = -1;
        return -1;
    }
    acceptor_ = std::thread([this] { acceptLoop(); });
    return port_;
}

void FaultFront::stop() {
    stopping_ = true;
    if (acceptor_.joinable())
        acceptor_.join();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (int client : clients_)
            shutdown(client, SHUT_RDWR);
    }
    for (Connection &c : connections_)
        if (c.thread.joinable())
            c.thread.join();
    connections_.clear();
    if (listener_ >= 0)
        close(listener_);
    listener_ = -1;
}

void FaultFront::acceptLoop() {
    while (!stopping_) {
        pollfd p{listener_, POLLIN, 0};
        if (poll(&p, 1, PollMs) <= 0)
            continue;
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        // A front left running for long must not keep a thread for every connection it had.
        std::erase_if(connections_, [](Connection &c) {
            if (!*c.ended)
                return false;
            c.thread.join();
            return true;
        });
        std::lock_guard<std::mutex> lock(mutex_);
        clients_.push_back(client);
        auto ended = std::make_shared<std::atomic<bool>>(false);
        connections_.push_back({std::thread([this, client, ended] {
                                    serve(client);
                                    *ended = true;
                                }),
                                ended});
    }
}

bool FaultFront::sendAll(int client, const char *data, size_t size) {
    while (size > 0 && !stopping_) {
        pollfd p{client, POLLOUT, 0};
        if (poll(&p, 1, PollMs) < 0 || (p.revents & (POLLERR | POLLHUP)))
            return false;
        if (!(p.revents & POLLOUT))
            continue;
        const ssize_t n = send(client, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (n > 0) {
            data += n;
            size -= static_cast<size_t>(n);
        }
    }
    return size == 0;
}

void FaultFront::waitForClose(int client) {
    char buffer[4096];
    while (!stopping_) {
        pollfd p{client, POLLIN, 0};
        if (poll(&p, 1, PollMs) < 0)
            return;
        if (p.revents & (POLLERR | POLLHUP))
            return;
        if ((p.revents & POLLIN) && recv(client, buffer, sizeof buffer, 0) <= 0)
            return;
    }
}

void FaultFront::serve(int client) {
    // The request's head: its first line names what to fetch.
    std::string request;
    char buffer[4096];
    while (!stopping_ && request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        pollfd p{client, POLLIN, 0};
        if (poll(&p, 1, PollMs) <= 0)
            continue;
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        request.append(buffer, static_cast<size_t>(n));
    }
    const size_t space = request.find(' ');
    const size_t space2 = space == std::string::npos ? space : request.find(' ', space + 1);
    const std::string target = space2 == std::string::npos
                                   ? std::string("/")
                                   : request.substr(space + 1, space2 - space - 1);

    auto sendText = [&](const std::string &text) {
        return sendAll(client, text.data(), text.size());
    };
    auto sendHuge = [&](bool withLength) {
        std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n";
        if (withLength)
            head += "Content-Length: " + std::to_string(Fault::HugeBytes) + "\r\n";
        head += "Connection: close\r\n\r\n";
        std::string block;
        while (block.size() < 65536)
            block += "<p>tonaply</p>\n";
        block.resize(65536);
        if (!sendText(head))
            return;
        for (long long sent = 0; sent < Fault::HugeBytes;
             sent += static_cast<long long>(block.size()))
            if (!sendText(block))
                return;
    };

    switch (kind_) {
    case Kind::Refuse:
        break;
    case Kind::Hang:
        waitForClose(client);
        break;
    case Kind::Stall: {
        Answer a = split(fetchUpstream(upstreamPort_, target));
        // The head announces the whole body; none of it follows.
        if (sendText(join(a)))
            waitForClose(client);
        break;
    }
    case Kind::Drip: {
        Answer a = split(fetchUpstream(upstreamPort_, target));
        const std::string bytes = join(a) + a.body;
        for (char c : bytes) {
            if (!sendAll(client, &c, 1))
                break;
            // A pause the client's going ends early.
            pollfd p{client, POLLIN, 0};
            if (poll(&p, 1, dripIntervalMs_) > 0 && (p.revents & (POLLERR | POLLHUP)))
                break;
            if (p.revents & POLLIN) {
                char drop[4096];
                if (recv(client, drop, sizeof drop, 0) <= 0)
                    break;
            }
            if (stopping_)
                break;
        }
        break;
    }
    case Kind::Reset: {
        Answer a = split(fetchUpstream(upstreamPort_, target));
        if (sendText(join(a) + a.body.substr(0, a.body.size() / 2))) {
            // A zero linger time makes the close a reset.
            linger hard{1, 0};
            setsockopt(client, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        }
        break;
    }
    case Kind::Garbage:
        sendText(garbage());
        break;
    case Kind::Huge:
        sendHuge(true);
        break;
    case Kind::HugeUnsized:
        sendHuge(false);
        break;
    case Kind::RedirectLoop:
        sendText("HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:" + std::to_string(port_) +
                 target + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        break;
    case Kind::WrongCharset: {
        Answer a = split(fetchUpstream(upstreamPort_, target));
        announceCharset(a, "utf-8");
        sendText(join(a) + a.body);
        break;
    }
    case Kind::BadGb18030: {
        Answer a = split(fetchUpstream(upstreamPort_, target));
        a.body = withBadGb18030(a.body);
        announceCharset(a, "gb18030");
        sendText(join(a) + a.body);
        break;
    }
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
    }
    close(client);
}
