// The downloads window over a scripted download manager: what it lists, and what its buttons
// ask of the manager.
#include "fakes/fake_downloads.h"
#include "fakes/fake_shell.h"
#include "lists/frm_downloads.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

class TestDownloadsWindow : public QObject {
    Q_OBJECT
private slots:
    void listsTheDownloadsAndDrivesTheManager() {
        FakeDownloadManager manager;
        manager.entries = {{"g1", "月亮.mp3", "active", 1000, 250, 2048},
                           {"g2", "二.mp3", "paused", 0, 0, 0},
                           {"g3", "旧.mp3", "removed", 10, 10, 0},
                           {"g4", "一.mp3", "complete", 10, 10, 0}};
        FakeShell shell;
        frmDownloads w(manager, shell);
        w.show();
        QTreeWidget *list = w.lstDownloads;
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("月亮.mp3"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("25%"));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("2.0 KB/秒"));
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("下载中"));
        QCOMPARE(list->topLevelItem(2)->text(3), QStringLiteral("已完成"));
        QVERIFY(!w.btnPause->isEnabled() && !w.btnRemove->isEnabled());

        list->topLevelItem(0)->setSelected(true);
        QVERIFY(w.btnPause->isEnabled() && !w.btnResume->isEnabled());
        w.btnPause->click();
        QCOMPARE(manager.paused, QStringList{"g1"});
        // The selection survives the refresh that follows.
        QVERIFY(list->topLevelItem(0)->isSelected());

        list->clearSelection();
        list->topLevelItem(1)->setSelected(true);
        QVERIFY(!w.btnPause->isEnabled() && w.btnResume->isEnabled());
        w.btnResume->click();
        w.btnRemove->click();
        QCOMPARE(manager.resumed, QStringList{"g2"});
        QCOMPARE(manager.removed, QStringList{"g2"});
        w.btnOpenFolder->click();
        QCOMPARE(shell.folders, QStringList{"/downloads"});
    }
};

QTEST_MAIN(TestDownloadsWindow)
#include "tst_downloads_window.moc"
