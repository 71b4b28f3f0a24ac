#pragma once

#include <QString>
#include <functional>

class Clipboard;
class Dialogs;
class HttpTransfer;
class Shell;
class StreamPlayer;

// What the main window is given to work with: the platform ports and the places it uses.
// main.cpp fills it with the real adapters; tests fill it with fakes.
struct Services {
    Dialogs *dialogs = nullptr;
    Clipboard *clipboard = nullptr;
    // The main window's transfer component (netGetData).
    HttpTransfer *netGetData = nullptr;
    // The desktop's other programs (text editor, external player).
    Shell *shell = nullptr;
    // The main window's streaming player (RealAudio1).
    StreamPlayer *realAudio1 = nullptr;
    // The data server's directory URL, ending in "/".
    QString dataServerUrl;
    // The application folder (playlist, start music, albums).
    QString appFolder;
    // A private folder of this user's for player metafiles.
    QString metafileFolder;
    // Ends the process once the main window has been unloaded.
    std::function<void()> endProcess;
};
