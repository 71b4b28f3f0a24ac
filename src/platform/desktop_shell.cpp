#include "desktop_shell.h"

#include "app/net/wire_url.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

const QStringList DesktopShell::ExternalPlayers = {QStringLiteral("mpv"), QStringLiteral("vlc"),
                                                   QStringLiteral("celluloid"),
                                                   QStringLiteral("smplayer")};

const QStringList DesktopShell::TextEditors = {QStringLiteral("gnome-text-editor"),
                                               QStringLiteral("gedit"),
                                               QStringLiteral("kate"),
                                               QStringLiteral("kwrite"),
                                               QStringLiteral("mousepad"),
                                               QStringLiteral("pluma"),
                                               QStringLiteral("xed"),
                                               QStringLiteral("featherpad")};

const QList<QStringList> DesktopShell::VolumeControls = {
    {QStringLiteral("pavucontrol")},
    {QStringLiteral("pavucontrol-qt")},
    {QStringLiteral("gnome-control-center"), QStringLiteral("sound")},
    {QStringLiteral("kcmshell6"), QStringLiteral("kcm_pulseaudio")},
    {QStringLiteral("kcmshell5"), QStringLiteral("kcm_pulseaudio")},
    {QStringLiteral("systemsettings"), QStringLiteral("kcm_pulseaudio")},
};

namespace {
// The desktop file the desktop names for plain text, if any.
QString defaultTextEditorEntry() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess query;
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(3000))
        return {};
    const QString id = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (id.isEmpty())
        return {};
    return QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
}

QString execLine(const QString &desktopFile) {
    QFile f(desktopFile);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inEntry = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec=")))
            return line.mid(5);
    }
    return {};
}
} // namespace

QStringList DesktopShell::ExecCommand(const QString &exec, const QString &path) {
    QStringList args = QProcess::splitCommand(exec);
    QStringList out;
    bool placed = false;
    for (const QString &a : args) {
        if (a == QLatin1String("%f") || a == QLatin1String("%F") || a == QLatin1String("%u") ||
            a == QLatin1String("%U")) {
            out << path;
            placed = true;
        } else if (a.size() == 2 && a.startsWith(QLatin1Char('%'))) {
            continue; // %i, %c, %k: nothing to give
        } else {
            out << a;
        }
    }
    if (!placed && !out.isEmpty())
        out << path;
    return out;
}

bool DesktopShell::editText(const QString &path) {
    const QString entry = defaultTextEditorEntry();
    if (!entry.isEmpty()) {
        const QStringList command = ExecCommand(execLine(entry), path);
        if (!command.isEmpty() && QProcess::startDetached(command.first(), command.mid(1)))
            return true;
    }
    for (const QString &editor : TextEditors) {
        const QString program = QStandardPaths::findExecutable(editor);
        if (!program.isEmpty() && QProcess::startDetached(program, {path}))
            return true;
    }
    return false;
}

bool DesktopShell::playExternally(const QString &source) {
    for (const QString &player : ExternalPlayers) {
        const QString program = QStandardPaths::findExecutable(player);
        if (program.isEmpty())
            continue;
        return QProcess::startDetached(program,
                                       source.isEmpty() ? QStringList() : QStringList{source});
    }
    return false;
}

bool DesktopShell::openUrl(const QString &url) {
    const QUrl address = QUrl::fromEncoded(WireUrl::encode(url), QUrl::StrictMode);
    return address.isValid() && QDesktopServices::openUrl(address);
}

bool DesktopShell::openFile(const QString &path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopShell::openFolder(const QString &path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopShell::openVolumeControl() {
    for (const QStringList &command : VolumeControls) {
        const QString program = QStandardPaths::findExecutable(command.first());
        if (!program.isEmpty())
            return QProcess::startDetached(program, command.mid(1));
    }
    return false;
}
