#pragma once

#include <string>
#include <vector>

namespace httplib {
class Server;
}

// A stand-in for the two web music search engines, answering from a catalogue of audio
// files: result pages in GBK, in each engine's own shape and paging, with the kind of noise
// real result pages carried (bold keywords, extra attributes, single quotes, script calls,
// links to blocked sites, short addresses, ftp and 61.x mirrors).
namespace EngineStandIn {

struct Song {
    std::string title;      // the file name without its extension (UTF-8)
    std::string searchable; // folder and file names, Latin letters in lower case
    std::string path;       // URL path on this server, percent-encoded
    bool mp3 = false;       // otherwise RealMedia
};

// Audio files found below folder, served under urlPrefix (for example "/music").
std::vector<Song> Scan(const std::string &folder, const std::string &urlPrefix);

// The songs of a catalogue file (UTF-8, one "singer/title.ext" a line) that have no file of
// their own: served under urlPrefix by ServeCatalogueClips.
std::vector<Song> ReadCatalogue(const std::string &file, const std::string &urlPrefix);
// Answers every path below urlPrefix with one of the demo clips of mediaFolder (song1.mp3 …
// for .mp3 names, song1.rm … for the others), the same clip for the same path.
void ServeCatalogueClips(httplib::Server &server, const std::string &urlPrefix,
                         const std::string &mediaFolder);

// The songs matching a keyword (UTF-8), case-insensitive for Latin letters; every song
// matches the empty keyword... which the engines never receive.
std::vector<const Song *> Match(const std::vector<Song> &songs, const std::string &keyword,
                                bool mp3);

// Result pages, GBK bytes. host is "127.0.0.1:port" as the client addressed the server.
std::string EngineIPage(const std::vector<Song> &songs, const std::string &keyword, bool mp3,
                        int offset, const std::string &host);
std::string EngineIIPage(const std::vector<Song> &songs, const std::string &keyword, bool mp3,
                         int page, const std::string &host);

// A lyrics search page, GBK bytes: the first matching song with a "<title>.txt" (UTF-8) in
// lyricsFolder, else the matching songs without lyrics, else a page saying nothing was found.
std::string LyricsPage(const std::vector<Song> &songs, const std::string &keyword,
                       const std::string &lyricsFolder);

// Answers /search (engine I) and /zsmp3 (engine II) from the songs, and the lyrics search
// (/m) from lyricsFolder.
void Serve(httplib::Server &server, std::vector<Song> songs, const std::string &lyricsFolder = {});

// GBK (GB18030) bytes to UTF-8 and back; bytes that do not convert are dropped.
std::string GbkToUtf8(const std::string &gbk);
std::string Utf8ToGbk(const std::string &utf8);

} // namespace EngineStandIn
