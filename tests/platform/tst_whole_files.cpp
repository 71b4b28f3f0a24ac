// The files the program writes, killed with SIGKILL at random moments while it writes them:
// each is always the old version or the new one, whole, never a mix or a stump.
#include "whole_files.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {
QByteArray bytesOf(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Why the files in folder are not whole, or "" when they are.
QString notWhole(const QString &kind, const QDir &folder) {
    if (kind == QLatin1String("flash")) {
        for (const QString &file : FlashCatalogue::FetchOrder()) {
            const QByteArray kept = bytesOf(folder.filePath(file));
            if (kept != WholeFiles::FlashBytes('A', file) &&
                kept != WholeFiles::FlashBytes('B', file))
                return QStringLiteral("%1: %2 bytes").arg(file).arg(kept.size());
        }
        return {};
    }
    if (kind == QLatin1String("download")) {
        const QByteArray kept = bytesOf(folder.filePath(WholeFiles::SongName));
        if (kept != WholeFiles::SongBytes('A') && kept != WholeFiles::SongBytes('B'))
            return QStringLiteral("song: %1 bytes").arg(kept.size());
        return {};
    }
    // The download manager's state and the configuration that holds its secret.
    const QString state = folder.filePath(WholeFiles::Aria2State);
    const QJsonObject saved = QJsonDocument::fromJson(bytesOf(state)).object();
    if (saved.value("secret").toString().size() < 16 || saved.value("port").toInt() <= 0)
        return QStringLiteral("state: %1").arg(QString::fromUtf8(bytesOf(state)));
    const QByteArray conf = bytesOf(state + ".conf");
    if (!QRegularExpression("^rpc-secret=[^\\s]{16,}\\n$")
             .match(QString::fromUtf8(conf))
             .hasMatch())
        return QStringLiteral("conf: %1").arg(QString::fromUtf8(conf));
    for (const QString &path : {state, state + ".conf"})
        if (QFile::permissions(path) != (QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ReadUser | QFileDevice::WriteUser))
            return QStringLiteral("%1 readable by others").arg(path);
    return {};
}
} // namespace

class TestWholeFiles : public QObject {
    Q_OBJECT
private slots:
    void aKillDuringAWriteLeavesAWholeFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("rounds");
        QTest::newRow("Flash catalogue files") << "flash" << 100;
        QTest::newRow("a downloaded song under its final name") << "download" << 100;
        QTest::newRow("the download manager's secret and state") << "aria2" << 100;
    }
    void aKillDuringAWriteLeavesAWholeFile() {
        QFETCH(QString, kind);
        QFETCH(int, rounds);
        QTemporaryDir folder;
        QRandomGenerator rng(20261211);
        int kills = 0;
        for (int round = 0; round < rounds; ++round) {
            QProcess writer;
            writer.start(QStringLiteral(TONAPLY_FILE_WRITER), {kind, folder.path()});
            QVERIFY(writer.waitForReadyRead(20000));
            QThread::usleep(rng.bounded(30000));
            writer.kill(); // SIGKILL
            QVERIFY(writer.waitForFinished(10000));
            kills += writer.exitStatus() == QProcess::CrashExit;
            const QString why = notWhole(kind, QDir(folder.path()));
            QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("round %1: %2").arg(round).arg(why)));
        }
        QCOMPARE(kills, rounds);
    }
};

QTEST_MAIN(TestWholeFiles)
#include "tst_whole_files.moc"
