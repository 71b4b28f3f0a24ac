#include "version_check.h"

#include "net/http_transfer.h"
#include "platform/dialogs.h"
#include "platform/installer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace VersionCheck {

const QString FileName = QStringLiteral("tnplversion.txt");
const QString TextUpgrading = QStringLiteral("软件已升级，即将下载最新版本并安装！");
const QString TextUpgradeFailed = QStringLiteral("升级失败，请稍候重试！");

namespace {
// How long the answer of a server on hand is waited for with the windows held still.
constexpr int QuickAnswerMs = 50;

// Only the space character goes, as in the version file's own rule: a line break stays and
// makes the text too long.
QString trimSpaces(const QString &text) {
    qsizetype from = 0, to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

// A plain decimal with "." as its point, in single precision; nothing else is a number (Qt's
// reading would also take blanks and line breaks around the digits, a sign or an exponent).
bool readNumber(const QString &text, float *value) {
    bool digit = false;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = true;
        else if (c != QLatin1Char('.'))
            return false;
    }
    bool ok = false;
    const float v = text.toFloat(&ok);
    if (!digit || !ok)
        return false;
    *value = v;
    return true;
}
} // namespace

bool IsNewer(const QString &running, const QString &fileText) {
    const QString announced = trimSpaces(fileText);
    if (announced.size() != 4)
        return false;
    float mine = 0, theirs = 0;
    if (!readNumber(running, &mine) || !readNumber(announced, &theirs))
        return false;
    return mine < theirs;
}

Request::Request(TransferFactory &network, const QString &dataServerUrl, QObject *parent)
    : QObject(parent), transfer_(network.newTransfer(this)) {
    connect(transfer_, &HttpTransfer::stateChanged, this, [this](int state) {
        done_ = true;
        if (state == HttpTransfer::Complete)
            for (QString piece; !(piece = transfer_->readPiece()).isEmpty();)
                text_ += piece;
        emit answered();
    });
    transfer_->startRequest(dataServerUrl + FileName);
}

QString Request::text() {
    // A server that answers at once has answered by now; only its report is still to be
    // delivered. Taken without running the whole event loop, it keeps the windows' painting
    // (the splash's first) where it was, after the main window is on the screen.
    QElapsedTimer quick;
    quick.start();
    while (!done_ && quick.elapsed() < QuickAnswerMs) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        if (!done_)
            QThread::usleep(200);
    }
    if (!done_) {
        QEventLoop loop;
        connect(this, &Request::answered, &loop, &QEventLoop::quit);
        // The transfer reports by its own deadline; this only guards against one that does not.
        QTimer::singleShot(HttpTransfer::DefaultTimeoutMs + 1000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return text_;
}

void GetNewVersion(Request &request, Dialogs &dialogs, Installer &installer,
                   const QString &installerUrl, const QString &running) {
    const QString text = request.text();
    if (!IsNewer(running, text))
        return;
    dialogs.message(TextUpgrading, Dialogs::Icon::Information);
    QCoreApplication::processEvents();
    if (installer.download(installerUrl)) {
        QCoreApplication::processEvents();
        installer.start();
        installer.endProcess();
        return;
    }
    dialogs.message(TextUpgradeFailed, Dialogs::Icon::Information);
    installer.endProcess();
}

} // namespace VersionCheck
