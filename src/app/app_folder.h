#pragma once

#include <QString>

// Where the program keeps its local files (the playlist, start music, albums, Flash
// catalogues): the program's own folder when it holds the program's data and can be written
// (a portable copy, the build tree); otherwise the user's data folder, seeded on first start
// from the program's shipped data.
namespace AppFolder {

// True when the folder holds files the program ships or keeps.
bool HoldsProgramData(const QString &dir);

// exeDir: the program file's folder, exeDirWritable: whether this user may write there;
// userDataDir: the per-user data folder; installedDataDir: where an installed copy keeps its
// shipped data (used when exeDir holds none).
QString Choose(const QString &exeDir, bool exeDirWritable, const QString &userDataDir,
               const QString &installedDataDir);

// The folder for this process.
QString Locate();

} // namespace AppFolder
