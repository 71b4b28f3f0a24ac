// The start-up version check: when the version file announces a newer version, and what the
// check does then (the message, the installer fetched, started, the process ended), over fakes.
#include "app/version_check.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_installer.h"
#include "fakes/fake_transfer.h"

#include <QTest>

namespace {
const QString Data = QStringLiteral("http://data.example/");
const QString Setup = QStringLiteral("http://data.example/setup.exe");
} // namespace

class TestVersionCheck : public QObject {
    Q_OBJECT
private slots:
    void newerOnlyWhenFourCharactersAnnounceMore_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("newer");
        QTest::newRow("1.44") << "1.44" << true;
        QTest::newRow("equal is not newer") << "1.43" << false;
        QTest::newRow("older") << "1.42" << false;
        QTest::newRow("1.5: three characters") << "1.5" << false;
        QTest::newRow("blanks around 1.50") << " 1.50 " << true;
        QTest::newRow("many blanks") << "     2.00   " << true;
        QTest::newRow("line break after it") << "1.44\r\n" << false;
        QTest::newRow("lone line feed") << "1.44\n" << false;
        QTest::newRow("four characters with a line break") << "1.5\n" << false;
        QTest::newRow("line break inside the blanks") << "  180\n " << false;
        QTest::newRow("tab is not a blank") << "\t1.44" << false;
        QTest::newRow("not a number") << "abcd" << false;
        QTest::newRow("comma as the point") << "1,44" << false;
        QTest::newRow("exponent") << "1e10" << false;
        QTest::newRow("sign") << "+9.9" << false;
        QTest::newRow("empty (server down)") << "" << false;
        QTest::newRow("an error page") << "<h1>404 Not Found</h1>" << false;
        QTest::newRow("integer") << "2000" << true;
        QTest::newRow("full-width digits") << "１.４４" << false;
    }
    void newerOnlyWhenFourCharactersAnnounceMore() {
        QFETCH(QString, file);
        QFETCH(bool, newer);
        QCOMPARE(VersionCheck::IsNewer(QStringLiteral("1.43"), file), newer);
    }

    // A newer version: said, the installer fetched and started, the process ended. The
    // download failing: said, nothing started, the process ended all the same. No newer one,
    // or no answer: not a word, nothing fetched.
    void whatTheCheckDoes_data() {
        QTest::addColumn<QString>("file"); // "-": the server has none
        QTest::addColumn<bool>("downloads");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("calls");
        const QString up = QStringLiteral("软件已升级，即将下载最新版本并安装！");
        const QString failed = QStringLiteral("升级失败，请稍候重试！");
        QTest::newRow("newer") << "1.44" << true << QStringList{up}
                               << QStringList{"download:" + Setup, "start", "end"};
        QTest::newRow("download fails") << "1.44" << false << QStringList{up, failed}
                                        << QStringList{"download:" + Setup, "end"};
        QTest::newRow("same version") << "1.43" << true << QStringList{} << QStringList{};
        QTest::newRow("no version file") << "-" << true << QStringList{} << QStringList{};
    }
    void whatTheCheckDoes() {
        QFETCH(QString, file);
        QFETCH(bool, downloads);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, calls);
        FakeTransferFactory network;
        if (file != QLatin1String("-"))
            network.files.insert(Data + "tnplversion.txt", file);
        FakeDialogs dialogs;
        FakeInstaller installer;
        installer.downloads = downloads;
        {
            VersionCheck::Request request(network, Data);
            QCOMPARE(network.last()->requested, QStringList{Data + "tnplversion.txt"});
            if (file == QLatin1String("-")) // the server says it has no such file
                QTimer::singleShot(0, network.last(), &FakeTransfer::fail);
            VersionCheck::GetNewVersion(request, dialogs, installer, Setup, QStringLiteral("1.43"));
        }
        QCOMPARE(network.made.size(), 1);
        QVERIFY(network.made[0].isNull()); // its transfer is gone with the request
        QStringList said;
        for (const auto &m : dialogs.messages) {
            said << m.text;
            QCOMPARE(m.icon, Dialogs::Icon::Information);
        }
        QCOMPARE(said, messages);
        QCOMPARE(installer.calls, calls);
    }
};

QTEST_GUILESS_MAIN(TestVersionCheck)
#include "tst_version_check.moc"
