#include "aria2_download_manager.h"

#include "lists/download_name.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTimer>
#include <csignal>
#include <unistd.h>

namespace {
constexpr int ProbeIntervalMs = 100;

QString defaultStateFile() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("tonaply-aria2.json"));
}

QString randomSecret() {
    QByteArray bytes(24, Qt::Uninitialized);
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QString::fromLatin1(bytes.toHex());
}

int freeLoopbackPort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

// The socket inode of a listening TCP socket on 127.0.0.1:port, from the kernel's table.
QByteArray listeningInode(int port) {
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    const QByteArray local =
        "0100007F:" + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const QByteArray &line : table.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        // sl local_address rem_address st tx:rx tr:when retrnsmt uid timeout inode
        if (f.size() > 9 && f[1] == local && f[3] == "0A" && f[7].toUInt() == getuid())
            return f[9];
    }
    return {};
}

bool processHoldsSocket(qint64 pid, const QByteArray &inode) {
    const QString link = QStringLiteral("socket:[%1]").arg(QString::fromLatin1(inode));
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (QFile::symLinkTarget(fds.filePath(fd)).endsWith(link))
            return true;
    return false;
}

// Written whole or not at all, readable by this user alone from the first byte.
bool writePrivately(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return file.write(bytes) == bytes.size() && file.commit();
}

bool isOurAria2(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != "aria2c")
        return false;
    return QFileInfo(QStringLiteral("/proc/%1").arg(pid)).ownerId() == getuid();
}
} // namespace

Aria2DownloadManager::Aria2DownloadManager() : Aria2DownloadManager(Options{}) {}

Aria2DownloadManager::Aria2DownloadManager(Options options) : options_(std::move(options)) {
    if (options_.stateFile.isEmpty())
        options_.stateFile = defaultStateFile();
    if (options_.downloadFolder.isEmpty()) {
        options_.downloadFolder =
            QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        if (options_.downloadFolder.isEmpty())
            options_.downloadFolder = QDir::homePath();
    }
}

Aria2DownloadManager::~Aria2DownloadManager() = default;

bool Aria2DownloadManager::Listens(qint64 pid, int port) {
    const QByteArray inode = listeningInode(port);
    return pid > 0 && !inode.isEmpty() && inode != "0" && processHoldsSocket(pid, inode);
}

bool Aria2DownloadManager::open() {
    if (port_ && Listens(pid_, port_) && call(QStringLiteral("aria2.getVersion"), {}).isObject())
        return true;
    port_ = 0;
    return recordedOneAnswers() || startOwn();
}

bool Aria2DownloadManager::recordedOneAnswers() {
    QFile state(options_.stateFile);
    if (!state.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject saved = QJsonDocument::fromJson(state.read(4096)).object();
    const int port = saved.value(QStringLiteral("port")).toInt();
    const qint64 pid = saved.value(QStringLiteral("pid")).toInteger();
    const QString secret = saved.value(QStringLiteral("secret")).toString();
    // Only our own aria2c, listening where it was recorded, ever sees the secret.
    if (port <= 0 || pid <= 0 || secret.isEmpty() || !isOurAria2(pid) || !Listens(pid, port))
        return false;
    port_ = port;
    pid_ = pid;
    secret_ = secret;
    if (call(QStringLiteral("aria2.getVersion"), {}).isObject())
        return true;
    port_ = 0;
    return false;
}

bool Aria2DownloadManager::startOwn() {
    const QString program = QFileInfo(options_.program).isAbsolute()
                                ? options_.program
                                : QStandardPaths::findExecutable(options_.program);
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        return false;
    const int port = freeLoopbackPort();
    if (port == 0)
        return false;
    const QString secret = randomSecret();
    QDir().mkpath(options_.downloadFolder);
    // The secret reaches aria2c in a configuration file only this user can read: on the
    // command line every user of the machine could read it.
    const QString conf = options_.stateFile + QStringLiteral(".conf");
    if (!writePrivately(conf, QStringLiteral("rpc-secret=%1\n").arg(secret).toUtf8()))
        return false;
    qint64 pid = 0;
    if (!QProcess::startDetached(program,
                                 {QStringLiteral("--conf-path=%1").arg(conf),
                                  QStringLiteral("--enable-rpc=true"),
                                  QStringLiteral("--rpc-listen-all=false"),
                                  QStringLiteral("--rpc-listen-port=%1").arg(port),
                                  QStringLiteral("--quiet=true"), QStringLiteral("--continue=true"),
                                  QStringLiteral("--dir=%1").arg(options_.downloadFolder)},
                                 QString(), &pid))
        return false;
    writePrivately(options_.stateFile,
                   QJsonDocument(QJsonObject{{QStringLiteral("port"), port},
                                             {QStringLiteral("pid"), pid},
                                             {QStringLiteral("secret"), secret}})
                       .toJson(QJsonDocument::Compact));

    // Ask until it answers, a little at a time, bounded.
    QEventLoop wait;
    QElapsedTimer clock;
    clock.start();
    port_ = port;
    pid_ = pid;
    secret_ = secret;
    while (clock.elapsed() < options_.startTimeoutMs) {
        if (Listens(pid, port) && call(QStringLiteral("aria2.getVersion"), {}).isObject())
            return true;
        QTimer::singleShot(ProbeIntervalMs, &wait, &QEventLoop::quit);
        wait.exec();
    }
    // One that never answers is not left behind holding the port.
    if (isOurAria2(pid))
        ::kill(static_cast<pid_t>(pid), SIGTERM);
    port_ = 0;
    return false;
}

QJsonValue Aria2DownloadManager::call(const QString &method, const QJsonArray &params) {
    if (port_ == 0)
        return {};
    QJsonArray withToken{QStringLiteral("token:%1").arg(secret_)};
    for (const QJsonValue &p : params)
        withToken.append(p);
    return post(method, withToken);
}

QJsonValue Aria2DownloadManager::post(const QString &method, const QJsonArray &params) {
    const int timeoutMs = options_.rpcTimeoutMs;
    const QByteArray body =
        QJsonDocument(QJsonObject{{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
                                  {QStringLiteral("id"), QStringLiteral("tonaply")},
                                  {QStringLiteral("method"), method},
                                  {QStringLiteral("params"), params}})
            .toJson(QJsonDocument::Compact);
    if (!network_)
        network_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1/jsonrpc").arg(port_)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setTransferTimeout(timeoutMs);
    QNetworkReply *reply = network_->post(request, body);
    QEventLoop wait;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    deadline.start(timeoutMs);
    if (reply->isRunning())
        wait.exec();
    const QByteArray answer = reply->readAll();
    reply->deleteLater();
    const QJsonObject object = QJsonDocument::fromJson(answer).object();
    if (object.contains(QStringLiteral("error")) || !object.contains(QStringLiteral("result")))
        return {};
    return object.value(QStringLiteral("result"));
}

bool Aria2DownloadManager::AddUrl(const QString &url, const QString &referrer,
                                  const QString &name) {
    QJsonObject options{{QStringLiteral("out"), DownloadName::FileNameFor(name, url)}};
    if (!referrer.isEmpty())
        options.insert(QStringLiteral("referer"), referrer);
    return call(QStringLiteral("aria2.addUri"), {QJsonArray{url}, options}).isString();
}

bool Aria2DownloadManager::AddUrlList(const QStringList &list) {
    // Element 0 is the maker's address, kept in the list but not downloaded.
    const QString token = QStringLiteral("token:%1").arg(secret_);
    QJsonArray calls;
    for (int i = 1; i + 1 < list.size(); i += 2)
        calls.append(QJsonObject{
            {QStringLiteral("methodName"), QStringLiteral("aria2.addUri")},
            {QStringLiteral("params"),
             QJsonArray{token, QJsonArray{list[i]},
                        QJsonObject{{QStringLiteral("out"),
                                     DownloadName::FileNameFor(list[i + 1], list[i])}}}}});
    if (calls.isEmpty())
        return true;
    const QJsonValue result = multicall(calls);
    if (!result.isArray())
        return false;
    // Each call answers [gid] or a fault; after a fault, take back what was added.
    QStringList added;
    bool faulted = result.toArray().size() != calls.size();
    for (const QJsonValue &one : result.toArray()) {
        if (one.isArray() && one.toArray().first().isString())
            added << one.toArray().first().toString();
        else
            faulted = true;
    }
    if (faulted)
        for (const QString &gid : added)
            call(QStringLiteral("aria2.remove"), {gid});
    return !faulted;
}

QJsonValue Aria2DownloadManager::multicall(const QJsonArray &calls) {
    // Each inner call carries its own token.
    if (port_ == 0)
        return {};
    QJsonArray params;
    params.append(calls);
    return post(QStringLiteral("system.multicall"), params);
}

bool Aria2DownloadManager::reachable() {
    if (port_ && Listens(pid_, port_))
        return true;
    port_ = 0;
    return recordedOneAnswers();
}

QList<DownloadManager::Entry> Aria2DownloadManager::downloads() {
    if (!reachable())
        return {};
    const QString token = QStringLiteral("token:%1").arg(secret_);
    const QJsonArray keys{QStringLiteral("gid"),           QStringLiteral("status"),
                          QStringLiteral("totalLength"),   QStringLiteral("completedLength"),
                          QStringLiteral("downloadSpeed"), QStringLiteral("files")};
    auto one = [](const QString &method, QJsonArray params) {
        return QJsonObject{{QStringLiteral("methodName"), method},
                           {QStringLiteral("params"), params}};
    };
    const QJsonValue result =
        multicall({one(QStringLiteral("aria2.tellActive"), {token, keys}),
                   one(QStringLiteral("aria2.tellWaiting"), {token, 0, 1000, keys}),
                   one(QStringLiteral("aria2.tellStopped"), {token, 0, 1000, keys})});
    QList<Entry> out;
    for (const QJsonValue &group : result.toArray()) {
        for (const QJsonValue &item : group.toArray().first().toArray()) {
            const QJsonObject d = item.toObject();
            Entry e;
            e.id = d.value(QStringLiteral("gid")).toString();
            e.state = d.value(QStringLiteral("status")).toString();
            e.total = d.value(QStringLiteral("totalLength")).toString().toLongLong();
            e.done = d.value(QStringLiteral("completedLength")).toString().toLongLong();
            e.speed = d.value(QStringLiteral("downloadSpeed")).toString().toLongLong();
            // The file's name once aria2 knows it, else its address.
            const QJsonObject file = d.value(QStringLiteral("files")).toArray().first().toObject();
            const QString path = file.value(QStringLiteral("path")).toString();
            e.name = !path.isEmpty() ? QFileInfo(path).fileName()
                                     : file.value(QStringLiteral("uris"))
                                           .toArray()
                                           .first()
                                           .toObject()
                                           .value(QStringLiteral("uri"))
                                           .toString();
            if (e.name.isEmpty())
                e.name = e.id;
            out.append(e);
        }
    }
    return out;
}

bool Aria2DownloadManager::pause(const QString &id) {
    return reachable() && call(QStringLiteral("aria2.pause"), {id}).isString();
}

bool Aria2DownloadManager::resume(const QString &id) {
    return reachable() && call(QStringLiteral("aria2.unpause"), {id}).isString();
}

bool Aria2DownloadManager::remove(const QString &id) {
    if (!reachable())
        return false;
    // A download under way, waiting or paused is stopped first; aria2 lists it as removed
    // until its result is cleared, which the downloads window does not show.
    if (call(QStringLiteral("aria2.remove"), {id}).isString()) {
        call(QStringLiteral("aria2.removeDownloadResult"), {id});
        return true;
    }
    return call(QStringLiteral("aria2.removeDownloadResult"), {id}).isString();
}
