#pragma once

#include <QString>
#include <functional>

class Dialogs;

// The start-up routine and the program-wide server settings.
namespace modMain {

// Set once by Main from the values the program was built with.
const QString &DataServerUrl();
const QString &UpdateInstallerUrl();

// The running version as "major.minorrevision", for example 1.43.
QString VersionText();

// Removes the old RealOne plug-in file below the file-system root if it is there. False, after
// a critical message, when it is there and cannot be removed.
bool RemoveRealPlugin(Dialogs &dialogs, const QString &fileSystemRoot = QStringLiteral("/"));

struct StartSteps {
    std::function<bool()> otherCopyRunning;
    std::function<void()> showMainWindow; // throws when the window cannot be created
    std::function<void()> loadTrayWindow;
    QString fileSystemRoot = QStringLiteral("/");
};

// Runs the start-up steps in order. True when the program goes on running.
bool Main(Dialogs &dialogs, const StartSteps &steps);

} // namespace modMain
