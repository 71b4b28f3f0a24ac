#include "information.h"

#include "app/mod_main.h"
#include "app/player/stream_player.h"
#include "app/session.h"
#include "endpoints.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace Information {

const QString CopyrightLine =
    QStringLiteral("版权所有 © 2026 Tonaply 开发组。本程序按原样提供，欢迎自由使用和传播。");

QString HomePage() {
    return QStringLiteral(TONAPLY_HOME_PAGE);
}

QString UsageText() {
    return QStringLiteral("01. 双击歌曲，将从当前歌曲开始，依次播放所有歌曲。") +
           QString(23, u' ') + QStringLiteral("\r\n02. 按下F8键播放前一首，按下F9键播放下一首。") +
           QString(29, u' ') +
           QStringLiteral("\r\n03. 移动列表中的歌曲：F4键上移一行，F5键下移一行。") +
           QString(23, u' ') +
           QStringLiteral(
               "\r\n04. 如果只想播放选定的歌曲，请单击鼠标右键，弹出菜单，点 播放选定歌曲。") +
           QStringLiteral("\r\n05. 其余请自行摸索，有疑问请和我交流。联系：Tonaply 开发组") +
           QString(8, u' ');
}

QString AboutApplicationText() {
    return QStringLiteral("Tonaply") + modMain::VersionText();
}

QString SystemVersionLines(const QString &playerVersion) {
    QString lines = QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion()));
    lines += QLatin1Char('\n') + (playerVersion.isEmpty()
                                      ? QStringLiteral("播放组件：未载入")
                                      : QStringLiteral("播放组件：") + playerVersion);
    return lines;
}

void ShowAboutBox(QWidget *window, Session &session) {
    session.dialogs().aboutBox(window, AboutApplicationText(),
                               SystemVersionLines(session.player().componentVersion()),
                               CopyrightLine);
}

QString HelpFile(const QString &appFolder) {
    return QDir(appFolder).filePath(QStringLiteral("help.htm"));
}

void ShowHelp(Session &session) {
    session.shell().openFile(HelpFile(session.appFolder()));
}

void ShowHelpIfThere(Session &session) {
    const QString file = HelpFile(session.appFolder());
    if (QFileInfo(file).isFile())
        session.shell().openFile(file);
}

void ShowHomePage(Session &session) {
    session.shell().openUrl(HomePage());
}

} // namespace Information
