// The Flash viewer plugin is looked for beside the program: missing, or a file of its name
// that is not the viewer, the answer is no player and a plain reason; nothing is loaded.
#include "flash/flash_plugin_loader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFlashPluginLoader : public QObject {
    Q_OBJECT
private slots:
    void withoutTheViewerThereIsNoPlayer_data() {
        QTest::addColumn<QByteArray>("file"); // what lies where the plugin should be
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a library") << QByteArray("#!/bin/sh\necho hello\n");
        QTest::newRow("a truncated ELF file") << QByteArray("\x7f"
                                                            "ELF\x02\x01\x01",
                                                            7);
    }
    void withoutTheViewerThereIsNoPlayer() {
        QFETCH(QByteArray, file);
        QTemporaryDir folder;
        if (!file.isNull()) {
            QFile f(folder.filePath(FlashPluginLoader::PluginName));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file);
        }
        FlashPluginLoader loader({folder.path()});
        QString reason;
        QObject owner;
        QCOMPARE(loader.newFlashPlayer(&owner, &reason), nullptr);
        QCOMPARE(reason, FlashPluginLoader::TextNoViewer);
        // Asked again, the same answer.
        reason.clear();
        QCOMPARE(loader.newFlashPlayer(&owner, &reason), nullptr);
        QCOMPARE(reason, FlashPluginLoader::TextNoViewer);
    }
};

QTEST_GUILESS_MAIN(TestFlashPluginLoader)
#include "tst_flash_plugin_loader.moc"
