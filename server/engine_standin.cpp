#include "engine_standin.h"

#include "data_server.h"

#include <httplib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iconv.h>

namespace fs = std::filesystem;

namespace EngineStandIn {

namespace {
constexpr int EngineIPageSize = 20;
constexpr int EngineIIPageSize = 10;

std::string convert(const std::string &text, const char *from, const char *to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out;
    std::string in = text;
    char *inPtr = in.data();
    size_t inLeft = in.size();
    char buffer[4096];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ++inPtr; // skip a byte that does not convert
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

std::string lowerLatin(std::string text) {
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string percentEncode(const std::string &path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~')
            out += static_cast<char>(c);
        else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string htmlText(const std::string &text) {
    std::string out;
    for (char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

// The title with the keyword in bold, as the engines highlighted it.
std::string highlighted(const std::string &title, const std::string &keyword) {
    const std::string lower = lowerLatin(title);
    const std::string key = lowerLatin(keyword);
    const size_t at = key.empty() ? std::string::npos : lower.find(key);
    if (at == std::string::npos)
        return htmlText(title);
    return htmlText(title.substr(0, at)) + "<b>" + htmlText(title.substr(at, key.size())) + "</b>" +
           htmlText(title.substr(at + key.size()));
}

// One result in one of the link styles the engines used, by its number on the page.
std::string resultLink(const Song &song, const std::string &keyword, const std::string &host,
                       int n) {
    const std::string url = "http://" + host + song.path;
    const std::string title = highlighted(song.title, keyword);
    switch (n % 4) {
    case 1:
        return "<a class=\"song\" href='" + url + "' target=_blank>" + title + "</a>";
    case 2:
        return "<a href=\"javascript:play('" + url + "')\" title=\"试听\">" + title + "</a>";
    case 3:
        return "<A HREF=\"" + url + "\" class=\"song\" target=\"_blank\">" + title + "</A>";
    default:
        return "<a href=\"" + url + "\" target=\"_blank\" onclick=\"return count(" +
               std::to_string(n) + ")\">" + title + "</a>";
    }
}

// Links every page carried that the program must not list.
std::string noise(const std::string &ext) {
    return "<p class=ad><a href=\"http://www.yinyue-guanggao.example/top" + ext +
           "\">热门铃声下载</a> "
           "<a href=\"http://adclick.example.net/go?u=song" +
           ext + "\">广告</a> <a href=\"http://a.cn/x" + ext +
           "\">短</a> <a href=\"ftp://ftp.music.example/pub/song" + ext +
           "\">FTP镜像</a> <a href=\"http://61.128.10.5/music/song" + ext +
           "\">电信镜像</a></p>\r\n";
}

std::string pageHead(const std::string &title) {
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=gb2312\"><title>" +
           title + "</title></head><body>\r\n";
}
} // namespace

std::string GbkToUtf8(const std::string &gbk) {
    return convert(gbk, "GB18030", "UTF-8");
}

std::string Utf8ToGbk(const std::string &utf8) {
    return convert(utf8, "UTF-8", "GB18030");
}

std::vector<Song> Scan(const std::string &folder, const std::string &urlPrefix) {
    std::vector<Song> songs;
    std::error_code error;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                        error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        const std::string ext = lowerLatin(it->path().extension().string());
        const bool mp3 = ext == ".mp3";
        if (!mp3 && ext != ".rm" && ext != ".ra" && ext != ".rmvb")
            continue;
        const std::string rel = fs::relative(it->path(), folder, error).generic_string();
        songs.push_back({it->path().stem().string(), lowerLatin(rel),
                         urlPrefix + "/" + percentEncode(rel), mp3});
    }
    std::sort(songs.begin(), songs.end(),
              [](const Song &a, const Song &b) { return a.searchable < b.searchable; });
    return songs;
}

std::vector<Song> ReadCatalogue(const std::string &file, const std::string &urlPrefix) {
    std::vector<Song> songs;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const fs::path rel(line);
        const std::string ext = lowerLatin(rel.extension().string());
        if (line.empty() || (ext != ".mp3" && ext != ".rm"))
            continue;
        songs.push_back({rel.stem().string(), lowerLatin(line),
                         urlPrefix + "/" + percentEncode(line), ext == ".mp3"});
    }
    std::sort(songs.begin(), songs.end(),
              [](const Song &a, const Song &b) { return a.searchable < b.searchable; });
    return songs;
}

void ServeCatalogueClips(httplib::Server &server, const std::string &urlPrefix,
                         const std::string &mediaFolder) {
    server.Get(urlPrefix + "/(.*)", [=](const httplib::Request &req, httplib::Response &res) {
        const std::string path = req.matches[1];
        const bool mp3 = lowerLatin(fs::path(path).extension().string()) == ".mp3";
        const size_t n = std::hash<std::string>{}(path) % (mp3 ? 4 : 3) + 1;
        std::ifstream clip(fs::path(mediaFolder) /
                               ("song" + std::to_string(n) + (mp3 ? ".mp3" : ".rm")),
                           std::ios::binary);
        if (!clip) {
            res.status = 404;
            return;
        }
        res.set_content(std::string((std::istreambuf_iterator<char>(clip)), {}),
                        mp3 ? "audio/mpeg" : "application/vnd.rn-realmedia");
    });
}

std::vector<const Song *> Match(const std::vector<Song> &songs, const std::string &keyword,
                                bool mp3) {
    const std::string key = lowerLatin(keyword);
    std::vector<const Song *> hits;
    for (const Song &s : songs)
        if (s.mp3 == mp3 && !key.empty() && s.searchable.find(key) != std::string::npos)
            hits.push_back(&s);
    return hits;
}

std::string EngineIPage(const std::vector<Song> &songs, const std::string &keyword, bool mp3,
                        int offset, const std::string &host) {
    const auto hits = Match(songs, keyword, mp3);
    const std::string type = mp3 ? "mp3" : "rm";
    std::string page = pageHead("音乐搜索 - " + htmlText(keyword));
    const int first = std::max(1, offset);
    if (hits.empty() || first > static_cast<int>(hits.size())) {
        page += "<p>抱歉，没有找到与“" + htmlText(keyword) + "”相关的音乐。</p></body></html>\r\n";
        return Utf8ToGbk(page);
    }
    const int last = std::min<int>(first + EngineIPageSize - 1, static_cast<int>(hits.size()));
    page += "<p>找到相关音乐约 " + std::to_string(hits.size()) + " 首，这是第 " +
            std::to_string(first) + "-" + std::to_string(last) + " 首</p>\r\n";
    page += noise(mp3 ? ".mp3" : ".rm");
    page += "<ol start=" + std::to_string(first) + ">\r\n";
    for (int i = first; i <= last; ++i)
        page += "<li>" + resultLink(*hits[i - 1], keyword, host, i) + " <font color=gray>" + type +
                "</font></li>\r\n";
    page += "</ol>\r\n";
    if (last < static_cast<int>(hits.size()))
        page += "<a href=\"/search?p=" + htmlText(keyword) + "&mimetype=" + type +
                "&b=" + std::to_string(first + EngineIPageSize) + "\">下一页</a>\r\n";
    page += "</body></html>\r\n";
    return Utf8ToGbk(page);
}

std::string EngineIIPage(const std::vector<Song> &songs, const std::string &keyword, bool mp3,
                         int pageNumber, const std::string &host) {
    const auto hits = Match(songs, keyword, mp3);
    const std::string type = mp3 ? "mp3" : "rm";
    const int n = std::max(1, pageNumber);
    const int first = (n - 1) * EngineIIPageSize + 1;
    std::string page = pageHead("中搜MP3 " + htmlText(keyword));
    if (first > static_cast<int>(hits.size())) {
        // No type mark anywhere on a page without results.
        page += "<div>对不起，没有找到您要的歌曲。</div></body></html>\r\n";
        return Utf8ToGbk(page);
    }
    const int last = std::min<int>(first + EngineIIPageSize - 1, static_cast<int>(hits.size()));
    page += "<table>\r\n";
    for (int i = first; i <= last; ++i)
        page += "<tr><td>" + std::to_string(i) + "</td><td>" +
                resultLink(*hits[i - 1], keyword, host, i + 1) + "</td><td>" + type +
                "</td></tr>\r\n";
    page += "</table>\r\n" + noise(mp3 ? ".mp3" : ".rm");
    if (last < static_cast<int>(hits.size()))
        page += "<a href=\"/zsmp3?ty=1&word=" + htmlText(keyword) + "&class=" + type +
                "&bg=" + std::to_string(n + 1) + "\">下一页</a>\r\n";
    page += "</body></html>\r\n";
    return Utf8ToGbk(page);
}

std::string LyricsPage(const std::vector<Song> &songs, const std::string &keyword,
                       const std::string &lyricsFolder) {
    // The keyword arrives as typed, blanks around it included.
    const size_t first = keyword.find_first_not_of(' ');
    const std::string word = first == std::string::npos
                                 ? std::string()
                                 : keyword.substr(first, keyword.find_last_not_of(' ') - first + 1);
    std::string page = pageHead("歌词搜索 " + htmlText(word));
    const auto hits = word.empty() ? std::vector<const Song *>() : Match(songs, word, true);
    auto rmHits = word.empty() ? std::vector<const Song *>() : Match(songs, word, false);
    std::vector<const Song *> all = hits;
    all.insert(all.end(), rmHits.begin(), rmHits.end());
    bool shown = false;
    for (const Song *song : all) {
        std::ifstream file(fs::path(lyricsFolder) / (song->title + ".txt"), std::ios::binary);
        if (!file)
            continue;
        const std::string text((std::istreambuf_iterator<char>(file)), {});
        page += "<h2>" + htmlText(song->title) + "</h2>\r\n<pre>" + htmlText(text) + "</pre>\r\n";
        shown = true;
        break;
    }
    if (!shown && !all.empty()) {
        page += "<p>找到以下歌曲，但还没有它们的歌词：</p>\r\n<ul>\r\n";
        for (const Song *song : all)
            page += "<li>" + htmlText(song->title) + "</li>\r\n";
        page += "</ul>\r\n";
    } else if (!shown) {
        page += "<p>没有找到与“" + htmlText(word) + "”有关的歌词。</p>\r\n";
    }
    page += "</body></html>\r\n";
    return Utf8ToGbk(page);
}

void Serve(httplib::Server &server, std::vector<Song> songs, const std::string &lyricsFolder) {
    DataServer::UseQuickCompression(server);
    auto catalogue = std::make_shared<std::vector<Song>>(std::move(songs));
    auto keywordOf = [](const httplib::Request &req, const char *name) {
        // The program sends the keyword as GBK bytes in percent escapes.
        return GbkToUtf8(req.get_param_value(name));
    };
    auto hostOf = [](const httplib::Request &req) {
        const std::string host = req.get_header_value("Host");
        return host.empty() ? std::string("127.0.0.1") : host;
    };
    server.Get("/search", [=](const httplib::Request &req, httplib::Response &res) {
        const bool mp3 = req.get_param_value("mimetype") != "rm";
        const int offset = std::atoi(req.get_param_value("b").c_str());
        res.set_content(EngineIPage(*catalogue, keywordOf(req, "p"), mp3, offset, hostOf(req)),
                        "text/html");
    });
    server.Get("/m", [=](const httplib::Request &req, httplib::Response &res) {
        res.set_content(LyricsPage(*catalogue, keywordOf(req, "word"), lyricsFolder),
                        "text/html; charset=GB18030");
    });
    server.Get("/zsmp3", [=](const httplib::Request &req, httplib::Response &res) {
        const bool mp3 = req.get_param_value("class") != "rm";
        const int page = std::atoi(req.get_param_value("bg").c_str());
        res.set_content(EngineIIPage(*catalogue, keywordOf(req, "word"), mp3, page, hostOf(req)),
                        "text/html");
    });
}

} // namespace EngineStandIn
