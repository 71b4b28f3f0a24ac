#pragma once

#include <QString>

// The program's own file-download dialog: asks where to save one song, then fetches it with
// progress and a way to cancel. What happens after the call is the dialog's business.
class DownloadDialog {
public:
    virtual ~DownloadDialog() = default;
    // url: the song's address; title: its name without the type marker, for the file name.
    virtual void download(const QString &url, const QString &title) = 0;
};
