#pragma once

#include <QString>

// Other programs of the desktop that the program hands things to.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a text file in the desktop's text editor. False when none could be started.
    virtual bool editText(const QString &path) = 0;
    // Plays a source (a metafile path or URL) in the desktop's own media player; an empty
    // source just starts it. False when no player could be started.
    virtual bool playExternally(const QString &source) = 0;
    // Opens a web address in the desktop's browser; text beyond ASCII goes out as GBK bytes.
    // False when no browser could be started.
    virtual bool openUrl(const QString &url) = 0;
    // Opens a file in the program the desktop has for its kind (a page in the browser).
    virtual bool openFile(const QString &path) = 0;
    // Shows a folder in the desktop's file manager.
    virtual bool openFolder(const QString &path) = 0;
    // Opens the desktop's volume control. False when none could be started.
    virtual bool openVolumeControl() = 0;
};
