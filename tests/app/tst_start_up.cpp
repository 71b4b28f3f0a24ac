#include "app/app_folder.h"
#include "app/mod_main.h"
#include "fakes/fake_dialogs.h"
#include "platform/quit_signals.h"
#include "platform/single_instance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace {
const QString PluginPath = QStringLiteral("Program Files/Common Files/Real/Plugins/pnxr3260.dll");

void touch(const QString &path, const QByteArray &content = "x") {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void pluginFileIsRemovedBelowTheRoot() {
        QTemporaryDir root;
        FakeDialogs dialogs;
        QVERIFY(modMain::RemoveRealPlugin(dialogs, root.path())); // absent
        touch(root.filePath(PluginPath));
        QVERIFY(modMain::RemoveRealPlugin(dialogs, root.path()));
        QVERIFY(!QFile::exists(root.filePath(PluginPath)));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void aPluginThatCannotBeRemovedStopsTheStart() {
        QTemporaryDir root;
        QDir().mkpath(root.filePath(PluginPath)); // a folder by that name cannot be deleted
        FakeDialogs dialogs;
        bool shown = false;
        modMain::StartSteps steps;
        steps.fileSystemRoot = root.path();
        steps.showMainWindow = [&] { shown = true; };
        QVERIFY(!modMain::Main(dialogs, steps));
        QVERIFY(!shown);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("删除文件pnxr3260.dll出错，请搜索并手工删除！"));
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Critical);
    }

    void aQuitSignalAsksTheProgramToEnd_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("logout or shutdown") << int(SIGTERM);
        QTest::newRow("terminal gone") << int(SIGHUP);
        QTest::newRow("Ctrl+C") << int(SIGINT);
    }
    void aQuitSignalAsksTheProgramToEnd() {
        QFETCH(int, signalNumber);
        QuitSignals quit;
        QSignalSpy asked(&quit, &QuitSignals::quitRequested);
        QCOMPARE(raise(signalNumber), 0);
        QTRY_COMPARE(asked.count(), 1);
        QCOMPARE(asked[0][0].toInt(), signalNumber);
        // Another one while ending asks again instead of killing the program mid-save.
        QCOMPARE(raise(signalNumber), 0);
        QTRY_COMPARE(asked.count(), 2);
    }

    void aSecondCopyEndsSilently() {
        QTemporaryDir root;
        FakeDialogs dialogs;
        int shown = 0;
        modMain::StartSteps steps;
        steps.fileSystemRoot = root.path();
        steps.otherCopyRunning = [] { return true; };
        steps.showMainWindow = [&] { ++shown; };
        QVERIFY(!modMain::Main(dialogs, steps));
        QCOMPARE(shown, 0);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void startRunsItsStepsInOrderWithTheServerSettings() {
        QTemporaryDir root;
        FakeDialogs dialogs;
        QStringList order;
        modMain::StartSteps steps;
        steps.fileSystemRoot = root.path();
        steps.otherCopyRunning = [&] {
            order << "test";
            return false;
        };
        steps.showMainWindow = [&] { order << "window:" + modMain::DataServerUrl(); };
        steps.loadTrayWindow = [&] { order << "tray"; };
        QVERIFY(modMain::Main(dialogs, steps));
        QCOMPARE(order.size(), 3);
        QCOMPARE(order[0], "test");
        QVERIFY(order[1].startsWith("window:http://"));
        QVERIFY(order[1].endsWith("/"));
        QCOMPARE(order[2], "tray");
        QVERIFY(modMain::UpdateInstallerUrl().startsWith("http://"));
        QCOMPARE(modMain::VersionText(), QStringLiteral("1.43"));
    }

    void aWindowThatCannotBeCreatedIsReported() {
        QTemporaryDir root;
        FakeDialogs dialogs;
        modMain::StartSteps steps;
        steps.fileSystemRoot = root.path();
        steps.showMainWindow = [] { throw std::runtime_error("no player"); };
        QVERIFY(!modMain::Main(dialogs, steps));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("错误！您的电脑上可能没有安装RealOne软件。"));
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Critical);
    }

    void onlyOneCopyHoldsTheLock() {
        QTemporaryDir dir;
        const QString lock = dir.filePath("tonaply.lock");
        {
            SingleInstance first(lock);
            QVERIFY(!first.otherCopyRunning());
            SingleInstance second(lock);
            QVERIFY(second.otherCopyRunning());
        }
        SingleInstance third(lock);
        QVERIFY(!third.otherCopyRunning());
    }

    void aKilledCopyNeverBlocksTheNextStart() {
        QTemporaryDir dir;
        const QString lock = dir.filePath("tonaply.lock");
        // Another process takes the lock (this test program, started again as a holder).
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {"--hold-lock", lock});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readAll().trimmed(), QByteArray("held"));
        QVERIFY(SingleInstance(lock).otherCopyRunning());
        holder.kill();
        QVERIFY(holder.waitForFinished());
        SingleInstance next(lock);
        QVERIFY(!next.otherCopyRunning());
    }

    void applicationFolder() {
        QTemporaryDir base;
        const QString exe = base.filePath("bin");
        const QString user = base.filePath("user");
        const QString installed = base.filePath("share");
        QDir().mkpath(exe);
        // A build tree or portable copy: its own folder.
        touch(exe + "/start.ram", "exe");
        QCOMPARE(AppFolder::Choose(exe, true, user, installed), QDir::cleanPath(exe));
        // An installed copy that cannot write its folder: the user's folder, seeded once.
        touch(exe + "/music/歌手/专辑.hdm", "album");
        touch(user + "/start.ram", "edited by the user");
        QCOMPARE(AppFolder::Choose(exe, false, user, installed), QDir::cleanPath(user));
        QCOMPARE(contents(user + "/start.ram"), QByteArray("edited by the user"));
        QCOMPARE(contents(user + "/music/歌手/专辑.hdm"), QByteArray("album"));
    }

    void applicationFolderOfAnInstalledCopy() {
        QTemporaryDir base;
        const QString exe = base.filePath("bin");
        const QString user = base.filePath("user");
        const QString installed = base.filePath("share");
        QDir().mkpath(exe);
        touch(installed + "/start.ram", "shipped");
        QCOMPARE(AppFolder::Choose(exe, true, user, installed), QDir::cleanPath(user));
        QCOMPARE(contents(user + "/start.ram"), QByteArray("shipped"));
    }
};

int main(int argc, char *argv[]) {
    if (argc == 3 && QByteArray(argv[1]) == "--hold-lock") {
        SingleInstance instance(QString::fromLocal8Bit(argv[2]));
        if (instance.otherCopyRunning())
            return 1;
        std::fputs("held\n", stdout);
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    QCoreApplication app(argc, argv);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_start_up.moc"
