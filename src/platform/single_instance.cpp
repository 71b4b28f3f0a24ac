#include "single_instance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance(QString lockPath) : path_(std::move(lockPath)) {}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0)
        ::close(fd_);
}

QString SingleInstance::DefaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("tonaply-%1.lock").arg(::getuid()));
}

bool SingleInstance::otherCopyRunning() {
    if (fd_ >= 0)
        return false;
    const QByteArray path = QFile::encodeName(path_);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false; // no lock to be had: better a second copy than no program at all
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return true;
    }
    fd_ = fd;
    return false;
}
