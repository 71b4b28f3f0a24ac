#include "app_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppFolder {

namespace {
const QStringList ProgramDataNames = {QStringLiteral("播放列表.hdm"), QStringLiteral("start.ram"),
                                      QStringLiteral("singer.txt"),   QStringLiteral("help.htm"),
                                      QStringLiteral("music"),        QStringLiteral("flash")};

bool isWritableDir(const QString &dir) {
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

// Copies what the user's folder lacks; never replaces a file the user already has.
void seed(const QString &from, const QString &to) {
    QDir target(to);
    const QDir source(from);
    for (const QString &name : ProgramDataNames) {
        const QFileInfo item(source.filePath(name));
        if (item.isFile()) {
            if (!target.exists(name))
                QFile::copy(item.filePath(), target.filePath(name));
        } else if (item.isDir()) {
            QDirIterator it(item.filePath(), QDir::Files | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                const QString rel = source.relativeFilePath(file);
                if (target.exists(rel))
                    continue;
                target.mkpath(QFileInfo(target.filePath(rel)).path());
                QFile::copy(file, target.filePath(rel));
            }
        }
    }
}
} // namespace

bool HoldsProgramData(const QString &dir) {
    const QDir d(dir);
    for (const QString &name : ProgramDataNames)
        if (d.exists(name))
            return true;
    return false;
}

QString Choose(const QString &exeDir, bool exeDirWritable, const QString &userDataDir,
               const QString &installedDataDir) {
    const bool exeHoldsData = HoldsProgramData(exeDir);
    if (exeHoldsData && exeDirWritable)
        return QDir::cleanPath(exeDir);
    QDir().mkpath(userDataDir);
    const QString source = exeHoldsData ? exeDir : installedDataDir;
    if (!source.isEmpty() && HoldsProgramData(source))
        seed(source, userDataDir);
    return QDir::cleanPath(userDataDir);
}

QString Locate() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    return Choose(exeDir, isWritableDir(exeDir),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                  QDir(exeDir).filePath(QStringLiteral("../share/tonaply")));
}

} // namespace AppFolder
