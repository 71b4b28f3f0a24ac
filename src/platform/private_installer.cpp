#include "private_installer.h"

#include "app/net/wire_url.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {
const QString InstallerName = QStringLiteral("setup.exe");
}

PrivateInstaller::PrivateInstaller(QString folderBase, int silenceTimeoutMs, int totalTimeoutMs)
    : folderBase_(std::move(folderBase)), silenceTimeoutMs_(silenceTimeoutMs),
      totalTimeoutMs_(totalTimeoutMs) {}

bool PrivateInstaller::TrustedSource(const QString &url) {
    const QUrl u = QUrl::fromEncoded(WireUrl::encode(url), QUrl::StrictMode);
    if (!u.isValid())
        return false;
    if (u.scheme() == QLatin1String("https"))
        return !u.host().isEmpty();
    if (u.scheme() != QLatin1String("http"))
        return false;
    const QHostAddress host(u.host());
    return u.host() == QLatin1String("localhost") || (!host.isNull() && host.isLoopback());
}

bool PrivateInstaller::download(const QString &url) {
    path_.clear();
    if (!TrustedSource(url))
        return false;
    // mkdtemp: a new folder, mode 0700, under the user's runtime folder where there is one.
    QString base = folderBase_;
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty() || !QDir(base).exists())
        base = QDir::tempPath();
    QTemporaryDir folder(QDir(base).filePath(QStringLiteral("tonaply-update-XXXXXX")));
    if (!folder.isValid())
        return false;
    const QString target = folder.filePath(InstallerName);
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;

    QNetworkAccessManager net;
    net.setTransferTimeout(silenceTimeoutMs_);
    QNetworkRequest request(QUrl::fromEncoded(WireUrl::encode(url), QUrl::StrictMode));
    // A redirect could lead away from a trusted address.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *reply = net.get(request);
    bool ok = true;
    qint64 got = 0;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        const QByteArray piece = reply->readAll();
        got += piece.size();
        if (got > MaxBytes || file.write(piece) != piece.size()) {
            ok = false;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(totalTimeoutMs_, &loop, [&] {
        ok = false;
        reply->abort();
    });
    if (!reply->isFinished())
        loop.exec();
    // An aborted reply is closed: nothing is left to read.
    const QByteArray rest = reply->isOpen() ? reply->readAll() : QByteArray();
    got += rest.size();
    ok = ok && file.write(rest) == rest.size();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    ok = ok && reply->error() == QNetworkReply::NoError && status == 200 && length.isValid() &&
         length.toLongLong() == got && got > 0;
    reply->deleteLater();
    ok = file.flush() && ok;
    file.close();
    if (!ok || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner))
        return false;
    // The folder stays: the installer runs from it after this process has ended.
    folder.setAutoRemove(false);
    path_ = target;
    return true;
}

void PrivateInstaller::start() {
    if (path_.isEmpty())
        return;
    QProcess::startDetached(path_, {}, QFileInfo(path_).absolutePath());
}

void PrivateInstaller::endProcess() {
    std::fflush(nullptr);
    ::_exit(0);
}
