#pragma once

#include "endpoints.h"
#include "search/search_query.h"

#include <QString>

// Where the program's servers are: its data server, the update installer and the two search
// engines. Compiled in; tests name servers of their own.
struct ServerEndpoints {
    // DataServerUrl: the data server's directory, ending in "/".
    QString dataServerUrl;
    // UpdateInstallerUrl: the installer of a newer version.
    QString updateInstallerUrl;
    SearchQuery::Hosts engines;
    // The lyrics search site ("http://host:port"), which the lyrics path follows.
    QString lyricsSite = QStringLiteral(TONAPLY_LYRICS_SITE);
};
