#include "app/extra_windows.h"
#include "app/frm_search_music.h"
#include "channels/frm_net_channel.h"
#include "endpoints.h"
#include "fakes/fake_session.h"
#include "flash/frm_net_flash.h"
#include "lists/frm_downloads.h"
#include "lists/frm_music_library.h"
#include "lists/song_list.h"
#include "ui/cls_button.h"
#include "ui/player_area.h"
#include "ui/shown_tool_tip.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {
QByteArray gbk(const QString &text) {
    QStringEncoder encode("GB18030");
    return encode(text);
}

void sendMouse(QWidget *to, QEvent::Type type, Qt::MouseButton button, QPoint at = {5, 5}) {
    QMouseEvent event(type, QPointF(at), QPointF(to->mapToGlobal(at)), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

void click(QLabel *caption) {
    sendMouse(caption, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(caption, QEvent::MouseButtonRelease, Qt::LeftButton);
}

QStringList enabledItems(QMenu *menu) {
    QStringList out;
    for (QAction *a : menu->actions())
        if (!a->isSeparator() && a->isEnabled())
            out << a->text();
    return out;
}

// A main window over a session of fakes, with its application folder in a temporary place.
struct Fixture {
    FakeSession fakes;
    QTemporaryDir &folder = fakes.folder;
    FakeDialogs &dialogs = fakes.dialogs;
    FakeClipboard &clipboard = fakes.clipboard;
    FakeStreamPlayer &player = fakes.player;
    int ended = 0;
    std::unique_ptr<ExtraWindows> extra;
    std::unique_ptr<frmSearchMusic> window;

    explicit Fixture(const QByteArray &playlist = {}) {
        if (!playlist.isNull()) {
            QFile f(folder.filePath("播放列表.hdm"));
            f.open(QIODevice::WriteOnly);
            f.write(playlist);
        }
        extra = std::make_unique<ExtraWindows>(fakes.make());
        window = std::make_unique<frmSearchMusic>(*fakes.session, *extra);
        QObject::connect(window.get(), &frmSearchMusic::unloaded, [this] { ++ended; });
        window->Show();
    }
    QByteArray savedPlaylist() {
        QFile f(folder.filePath("播放列表.hdm"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void fill(SongList &list, int n) {
        for (int i = 0; i < n; ++i)
            list.append(
                Song{QStringLiteral("MP3→歌%1").arg(i), QStringLiteral("http://h/%1").arg(i)});
    }
};
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void opensWithItsControlsAndThePlaylistRestored() {
        Fixture f(gbk("MP3→月亮代表我的心\r\nhttp://h/1.mp3\r\nRM.→小城故事\r\nrtsp://h/2.rm\r\n"));
        frmSearchMusic &w = *f.window;
        QVERIFY(w.isVisible());
        QCOMPARE(w.size(), QSize(450, 486));
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!w.mask().isEmpty());
        // Given once the window is shown; the desktop's task bar shows it.
        QCOMPARE(w.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
        QVERIFY(w.optMusicFileType[0]->isChecked());
        QCOMPARE(w.optMusicFileType[0]->text(), QStringLiteral("RM"));
        QCOMPARE(w.optMusicFileType[1]->text(), QStringLiteral("MP3"));
        QVERIFY(w.mnuMoreSearcher[0]->isChecked());
        QVERIFY(!w.mnuMoreSearcher[1]->isChecked());
        QCOMPARE(w.lblSearch->text(), QStringLiteral("搜索"));
        QCOMPARE(w.lblStop->text(), QStringLiteral("停止"));
        QCOMPARE(w.lblMoreOperation->text(), QStringLiteral("↓"));
        QCOMPARE(w.playList().count(), 2);
        QCOMPARE(w.playList().name(0), QStringLiteral("MP3→月亮代表我的心"));
        QCOMPARE(w.playList().selectedEntries(), QList<int>{1});
        QCOMPARE(w.lblPlayListCount->text(), QStringLiteral("↓ 000002首"));
        QCOMPARE(w.lstPlayListSongName->toolTip(),
                 QStringLiteral("回车播放(更多功能单击鼠标右键)"));
    }

    void closingSavesThePlaylistAndEndsTheProgram() {
        Fixture f;
        QCOMPARE(f.window->lblPlayListCount->text(), QStringLiteral("↓ 000000首"));
        f.window->playList().append(Song{"a", "x"});
        QCOMPARE(f.window->lblPlayListCount->text(), QStringLiteral("↓ 000001首"));
        click(f.window->lblCloseButton);
        QCOMPARE(f.savedPlaylist(), QByteArray("a\r\nx\r\n"));
        QCOMPARE(f.ended, 1);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void aPlaylistHoldingMoreThanCanBeLoadedIsKeptAndTheUserTold() {
        const QByteArray old("a\r\nx\r\n\r\nb\r\ny\r\n");
        Fixture f(old);
        QCOMPARE(f.window->playList().count(), 1);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].icon, Dialogs::Icon::Information);
        const QString text = f.dialogs.messages[0].text;
        QVERIFY(
            text.startsWith(QStringLiteral("播放列表文件中有无法读取的内容，原文件已另存为：\n")));
        QFile copy(text.section(QLatin1Char('\n'), 1));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), old);
        f.window->close();
        QCOMPARE(f.savedPlaylist(), QByteArray("a\r\nx\r\n"));
    }

    void closingWithAnEmptyPlaylistLeavesAnEmptyFile() {
        Fixture f(QByteArray("old\r\nx\r\n"));
        f.window->playList().removeEntries({0});
        f.window->close();
        QCOMPARE(f.savedPlaylist(), QByteArray());
    }

    void aPlaylistThatCannotBeSavedIsReportedAndTheProgramStillEnds() {
        Fixture f;
        QDir(f.folder.path()).mkdir("播放列表.hdm"); // a folder by that name: no file there
        f.window->playList().append(Song{"a", "x"});
        f.window->close();
        QCOMPARE(f.ended, 1);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].icon, Dialogs::Icon::Warning);
        QVERIFY(f.dialogs.messages[0].text.contains("播放列表.hdm"));
    }

    void moreOperationsMenuChoosesTheEngineAndExits() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        f.dialogs.onMenu = [&](QMenu *menu) { return menu->actions().at(1); };
        click(w.lblMoreOperation);
        QCOMPARE(f.dialogs.menusShown, QList<QMenu *>{w.mnuMoreOperation});
        QVERIFY(!w.mnuMoreSearcher[0]->isChecked());
        QVERIFY(w.mnuMoreSearcher[1]->isChecked());
        w.mnuMoreSearcher_Click(1); // the checked item stays checked
        QVERIFY(w.mnuMoreSearcher[1]->isChecked());
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuMoreExit; };
        click(w.lblMoreOperation);
        QCOMPARE(f.ended, 1);
        QCOMPARE(f.savedPlaylist(), QByteArray());
    }

    void rightClickSetsTheMenuStates_data() {
        QTest::addColumn<bool>("onPlayList");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("empty playlist")
            << true << 0 << QList<int>{} << QStringList{"打开本地歌曲(&O)", "导入歌曲列表(&I)"};
        QTest::newRow("search list, none selected")
            << false << 3 << QList<int>{} << QStringList{"查找当前列表(&F)"};
        QTest::newRow("playlist, one selected")
            << true << 3 << QList<int>{1}
            << QStringList{"播放(&P)...",          "播放选定歌曲(&O)",     "搜索当前歌词(&S)",
                           "打开本地歌曲(&O)",     "查找当前列表(&F)",     "当前歌曲向上一格(&U)",
                           "当前歌曲向下一格(&D)", "复制当前歌曲名称(&N)", "复制当前歌曲地址(&A)",
                           "删除当前歌曲(&D)",     "导入歌曲列表(&I)",     "导出歌曲列表(&O)",
                           "下载当前歌曲(&D)",     "使用网际快车下载(&F)"};
        QTest::newRow("playlist, three selected")
            << true << 5 << QList<int>{0, 1, 2}
            << QStringList{"播放(&P)...",      "播放选定歌曲(&O)",    "打开本地歌曲(&O)",
                           "查找当前列表(&F)", "删除当前歌曲(&D)",    "导入歌曲列表(&I)",
                           "导出歌曲列表(&O)", "使用网际快车下载(&F)"};
        QTest::newRow("search list, one selected")
            << false << 3 << QList<int>{1}
            << QStringList{"添加到播放列表(&A)",   "播放(&P)...",      "播放选定歌曲(&O)",
                           "搜索当前歌词(&S)",     "查找当前列表(&F)", "复制当前歌曲名称(&N)",
                           "复制当前歌曲地址(&A)", "删除当前歌曲(&D)", "下载当前歌曲(&D)",
                           "使用网际快车下载(&F)"};
        QTest::newRow("search list, two selected")
            << false << 3 << QList<int>{0, 2}
            << QStringList{"添加到播放列表(&A)", "播放(&P)...",      "播放选定歌曲(&O)",
                           "查找当前列表(&F)",   "删除当前歌曲(&D)", "使用网际快车下载(&F)"};
    }
    void rightClickSetsTheMenuStates() {
        QFETCH(bool, onPlayList);
        QFETCH(int, entries);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, enabled);
        Fixture f;
        SongList &list = onPlayList ? f.window->playList() : f.window->searchList();
        QListView *view =
            onPlayList ? f.window->lstPlayListSongName : f.window->lstSearchListSongName;
        f.fill(list, entries);
        list.clearSelection();
        for (int r : selected)
            list.setSelected(r, true);
        list.setCurrentEntry(entries - 1);
        QStringList seen;
        f.dialogs.onMenu = [&](QMenu *menu) {
            seen = enabledItems(menu);
            return nullptr;
        };
        sendMouse(view->viewport(), QEvent::MouseButtonPress, Qt::RightButton, {5, 5});
        QCOMPARE(seen, enabled);
        // The right click itself changes neither the marks nor the current entry.
        QCOMPARE(list.selectedEntries(), selected);
        QCOMPARE(list.currentEntry(), entries - 1);
    }

    void shortcutsFollowTheLastRightClick() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        f.fill(w.playList(), 5);
        w.playList().clearSelection();
        for (int r : {1, 2, 3})
            w.playList().setSelected(r, true);
        w.playList().setCurrentEntry(2);
        sendMouse(w.lstPlayListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QVERIFY(!w.mnuPlayListUp->isEnabled());
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.lstSearchListSongName->setFocus();
        QTest::keyClick(w.lstSearchListSongName, Qt::Key_F4);
        QCOMPARE(w.playList().name(2), QStringLiteral("MP3→歌2"));

        w.playList().clearSelection();
        w.playList().setSelected(2, true);
        sendMouse(w.lstPlayListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QVERIFY(w.mnuPlayListUp->isEnabled());
        // F4 works from the other list too.
        QTest::keyClick(w.lstSearchListSongName, Qt::Key_F4);
        QCOMPARE(w.playList().name(1), QStringLiteral("MP3→歌2"));
        QTest::keyClick(w.lstSearchListSongName, Qt::Key_F5);
        QTest::keyClick(w.lstSearchListSongName, Qt::Key_F5);
        QCOMPARE(w.playList().name(3), QStringLiteral("MP3→歌2"));
        QCOMPARE(w.playList().selectedEntries(), QList<int>{3});
    }

    void menuCommandsReachTheirList() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        f.fill(w.searchList(), 4);
        w.searchList().setSelected(1, true);
        w.searchList().setSelected(3, true);
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuSearchListAddToPlayList; };
        sendMouse(w.lstSearchListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(w.playList().count(), 2);
        QCOMPARE(w.lblPlayListCount->text(), QStringLiteral("↓ 000002首"));

        w.playList().setCurrentEntry(0);
        w.playList().clearSelection();
        w.playList().setSelected(0, true);
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuPlayListCopySongName; };
        sendMouse(w.lstPlayListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(f.clipboard.text, QStringLiteral("歌1"));
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuPlayListCopySongUrl; };
        sendMouse(w.lstPlayListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(f.clipboard.text, QStringLiteral("http://h/1"));
    }

    void handOffItemsTakeTheSongsOfTheirList() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        f.fill(w.searchList(), 3);
        w.searchList().setSelected(2, true);
        w.searchList().setCurrentEntry(2);
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuSearchListDownload; };
        sendMouse(w.lstSearchListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(f.fakes.downloadDialog.asked.size(), 1);
        QCOMPARE(f.fakes.downloadDialog.asked[0].url, QStringLiteral("http://h/2"));
        QCOMPARE(f.fakes.downloadDialog.asked[0].title, QStringLiteral("歌2"));

        f.fill(w.playList(), 4);
        w.playList().clearSelection();
        w.playList().setSelected(1, true);
        w.playList().setSelected(3, true);
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuPlayListDownloadByFlashGet; };
        sendMouse(w.lstPlayListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(f.fakes.downloadManager.addUrlListCalls,
                 QList<QStringList>({{QStringLiteral("http://data.example/"), "http://h/1", "歌1",
                                      "http://h/3", "歌3"}}));
        // What was handed over is shown in the downloads window.
        auto *downloads = w.findChild<frmDownloads *>();
        QVERIFY(downloads && downloads->isVisible());

        f.dialogs.inputAnswers.enqueue(QStringLiteral("歌2"));
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuSearchListSearchSongWord; };
        sendMouse(w.lstSearchListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(f.fakes.shell.opened.size(), 1);
        QVERIFY(f.fakes.shell.opened[0].endsWith(QStringLiteral("&word=歌2")));
    }

    // A link turns blue and is framed while pressed; its release, wherever the pointer is,
    // restores it and runs its action. The library opens once; a right click does nothing.
    void theLinkBarOpensTheLibraryOnceAndShowsTheUsage() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        QLabel *library = w.Label2[0];
        QCOMPARE(library->text(), QStringLiteral("歌库"));
        sendMouse(library, QEvent::MouseButtonPress, Qt::RightButton);
        sendMouse(library, QEvent::MouseButtonRelease, Qt::RightButton);
        QVERIFY(!f.extra->musicLibrary());
        sendMouse(library, QEvent::MouseButtonPress, Qt::LeftButton);
        QCOMPARE(library->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(w.Shape5->isVisible());
        QCOMPARE(w.Shape5->geometry(), library->geometry());
        sendMouse(library, QEvent::MouseButtonRelease, Qt::LeftButton, {-40, 90});
        QCOMPARE(library->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(!w.Shape5->isVisible());
        QPointer<frmMusicLibrary> window = f.extra->musicLibrary();
        QVERIFY(window && window->isVisible());
        click(library);
        QCOMPARE(f.extra->musicLibrary(), window.data());

        click(w.Label2[5]);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].icon, Dialogs::Icon::Information);
        const QStringList lines = f.dialogs.messages[0].text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(gbk(lines[i]).size(), 73);
        QCOMPARE(gbk(lines[3]).size(), 71);
        QVERIFY(lines[4].startsWith(QStringLiteral("05. 其余请自行摸索，有疑问请和我交流。")));
        QVERIFY(lines[4].endsWith(QString(8, QLatin1Char(' '))));
    }

    // "电视", "电影", "MTV" and "Flash" open their windows, which load their catalogues first.
    void theLinkBarOpensTheChannelWindows() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        QCOMPARE(w.Label2[1]->text(), QStringLiteral("电视"));
        click(w.Label2[1]);
        QVERIFY(f.extra->netTv() && f.extra->netTv()->isLoading());
        QCOMPARE(f.fakes.network.last()->pending,
                 QStringLiteral("http://data.example/netradiotv/file0.txt"));
        click(w.Label2[2]);
        QVERIFY(f.extra->netMovie());
        QCOMPARE(f.fakes.network.last()->pending,
                 QStringLiteral("http://data.example/netmovie/file0.txt"));
        click(w.Label2[3]);
        QVERIFY(f.extra->netMtv());
        QCOMPARE(f.fakes.network.last()->pending,
                 QStringLiteral("http://data.example/netmtv/file0.txt"));
        click(w.Label2[4]);
        QVERIFY(f.extra->netFlash() && f.extra->netFlash()->isLoading());
        // The main window stays as it was.
        QVERIFY(w.isVisible());
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // The information commands: the "↓" menu's items in their order; help hands the
    // application folder's help.htm to the browser whether or not it is there, the home page
    // its address; the About box from the menu, the player's menu and the link bar names the
    // program with its version (no blank), the versions it runs on and the copyright line.
    void theInformationCommands() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        QStringList items;
        for (QAction *a : w.mnuMoreOperation->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, QStringList({"网络搜索引擎Ⅰ(&F)", "网络搜索引擎Ⅱ(&S)", "-",
                                     "播放开始歌曲(&S)", "编辑开始歌曲(&E)", "-", "软件说明(&H)",
                                     "软件主页(&P)", "关于 Tonaply(&A)", "-", "退出(&X)"}));
        QCOMPARE(w.mnuRealAudio->actions().last()->text(), QStringLiteral("关于 Tonaply(&A)"));
        QVERIFY(w.mnuRealAudio->actions().at(w.mnuRealAudio->actions().size() - 2)->isSeparator());

        w.mnuMoreHelp->trigger();
        QCOMPARE(f.fakes.shell.files, QStringList{f.folder.filePath("help.htm")});
        w.mnuMoreHomePage->trigger();
        QCOMPARE(f.fakes.shell.opened, QStringList{TONAPLY_HOME_PAGE});

        w.mnuMoreAbout->trigger();
        w.mnuRealAudioAbout->trigger();
        click(w.Label2[6]);
        QCOMPARE(f.dialogs.abouts.size(), 3);
        const QStringList about = f.dialogs.abouts[0].split('|');
        QCOMPARE(about[0], QStringLiteral("Tonaply1.43"));
        QVERIFY(about[1].startsWith(QStringLiteral("Qt 6.")));
        QVERIFY(about[1].contains(QStringLiteral("mpv 0.0.0")));
        QVERIFY(about[2].contains(QStringLiteral("Tonaply 开发组")));
        QCOMPARE(about[3], QStringLiteral("Tonaply")); // for the main window, with its icon
        QCOMPARE(f.dialogs.abouts[1], f.dialogs.abouts[0]);
        QCOMPARE(f.dialogs.abouts[2], f.dialogs.abouts[0]);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // Every skinned button and link is a button to assistive technology, named by its caption
    // (or its tip where the caption is a sign), reached with Tab and pressed from the keyboard
    // or by the screen reader's press action.
    void theSkinnedControlsAreButtonsForEveryone() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        QStringList names;
        for (QLabel *label : w.findChildren<QLabel *>()) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(label);
            if (!a || a->role() != QAccessible::Button)
                continue;
            QVERIFY(label->focusPolicy() & Qt::TabFocus);
            QVERIFY(a->actionInterface());
            QCOMPARE(a->actionInterface()->actionNames(),
                     QStringList{QAccessibleActionInterface::pressAction()});
            names << a->text(QAccessible::Name);
        }
        // The keyboard's order: the keyword box, the type, the two lists, the buttons, the
        // links, then the window's own buttons.
        QList<QWidget *> order{w.Combo1,
                               w.optMusicFileType[0],
                               w.optMusicFileType[1],
                               w.lstSearchListSongName,
                               w.lstPlayListSongName,
                               w.lblSearch,
                               w.lblStop,
                               w.lblMoreOperation};
        for (QLabel *link : w.Label2)
            order << link;
        order << w.lblMinButton << w.lblCloseButton;
        QList<QWidget *> walked;
        for (QWidget *at = w.Combo1->nextInFocusChain(); at != w.Combo1 && walked.size() < 99;
             at = at->nextInFocusChain())
            if (order.contains(at) && (at->focusPolicy() & Qt::TabFocus))
                walked << at;
        QCOMPARE(walked, order.mid(1));
        names.sort();
        QStringList expected{"搜索", "停止", "更多操作", "最小化", "关闭", "歌库",
                             "电视", "电影", "MTV",      "Flash",  "帮助", "关于"};
        expected.sort();
        QCOMPARE(names, expected);

        // "帮助" by the keyboard, "关于" by the screen reader.
        w.Label2[5]->setFocus();
        QTest::keyClick(w.Label2[5], Qt::Key_Space);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QAccessible::queryAccessibleInterface(w.Label2[6])
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.dialogs.abouts.size(), 1);
        // "↓" by Enter opens its menu.
        QTest::keyClick(w.lblMoreOperation, Qt::Key_Return);
        QCOMPARE(f.dialogs.menusShown, QList<QMenu *>{w.mnuMoreOperation});
    }

    void theKeywordBoxOffersTheSingerNames() {
        FakeSession fakes;
        QFile singers(fakes.folder.filePath("singer.txt"));
        QVERIFY(singers.open(QIODevice::WriteOnly));
        singers.write(gbk(QStringLiteral("陈嘉怡\r\n\r\n林小雨\r\n")));
        singers.close();
        ExtraWindows extra(fakes.make());
        frmSearchMusic w(*fakes.session, extra);
        w.Show();
        QCOMPARE(w.Combo1->count(), 3);
        QCOMPARE(w.Combo1->itemText(0), QStringLiteral("陈嘉怡"));
        QCOMPARE(w.Combo1->itemText(1), QString());
        QCOMPARE(w.Combo1->currentText(), QString());
    }

    void exportAndImportThroughTheMenu() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        f.fill(w.playList(), 3);
        w.playList().clearSelection();
        w.playList().setSelected(0, true);
        w.playList().setSelected(2, true);
        const QString file = f.folder.filePath("导出.hdm");
        f.dialogs.fileAnswers << file << QString() << file;
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuPlayListSave; };
        sendMouse(w.lstPlayListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QVERIFY(QFile::exists(file));
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuPlayListOpen; };
        sendMouse(w.lstPlayListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(w.playList().count(), 3); // cancelled
        sendMouse(w.lstPlayListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(w.playList().count(), 5);
        QCOMPARE(w.playList().name(4), QStringLiteral("MP3→歌2"));
        QCOMPARE(w.lblPlayListCount->text(), QStringLiteral("↓ 000005首"));
    }

    void deleteKeyAsksEvenWithNothingSelected() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        f.fill(w.searchList(), 3);
        w.searchList().clearSelection();
        f.dialogs.confirmAnswers << true << true;
        QTest::keyClick(w.lstSearchListSongName, Qt::Key_Delete);
        QCOMPARE(f.dialogs.questions.size(), 1);
        QCOMPARE(w.searchList().count(), 3);
        w.searchList().setSelected(1, true);
        QTest::keyClick(w.lstSearchListSongName, Qt::Key_Delete);
        QCOMPARE(w.searchList().count(), 2);
    }

    void minimisingHidesOnlyWhenTheTrayCanBringItBack() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        click(w.lblMinButton);
        QVERIFY(w.isVisible());
        QVERIFY(w.isMinimized());
        w.showNormal();
        w.setTrayIconShown(true);
        click(w.lblMinButton);
        QVERIFY(!w.isVisible());
        w.showNormal();
        QVERIFY(w.isVisible());
        w.showMinimized(); // by any means, such as the task bar
        QTRY_VERIFY(!w.isVisible());
    }

    void theStartMusicPlaysAtLoad() {
        Fixture f;
        QVERIFY(f.player.calls.contains("source:file://" + f.folder.filePath("start.ram")));
        QVERIFY(f.player.mouseEventReporting());
        QVERIFY(f.window->mnuMoreLoopPlay->isChecked());
        QVERIFY(!f.window->mnuRealAudioDoPrevItem->isEnabled());
        QVERIFY(!f.window->mnuRealAudioDoNextItem->isEnabled());
    }

    void aRightClickOnThePlayerShowsItsMenuOnce() {
        Fixture f;
        f.player.reportRightClick(5, 5);
        QTRY_COMPARE(f.dialogs.menusShown.size(), 1);
        QTest::qWait(50);
        QCOMPARE(f.dialogs.menusShown, QList<QMenu *>{f.window->mnuRealAudio});
    }

    void enterAndTheMenuPlayFromTheCurrentSong() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        f.fill(w.playList(), 3);
        w.playList().setCurrentEntry(2);
        f.player.calls.clear();
        QTest::keyClick(w.lstPlayListSongName, Qt::Key_Return);
        QCOMPARE(f.player.calls.size(), 4);
        QVERIFY(f.player.calls[2].endsWith(".ram"));
        QFile metafile(f.player.calls[2].mid(7));
        QVERIFY(metafile.open(QIODevice::ReadOnly));
        QCOMPARE(metafile.readAll(), QByteArray("http://h/2\r\nhttp://h/0\r\nhttp://h/1\r\n"));
        // The play-state event sets the title label and F8 / F9.
        f.player.title = QStringLiteral("歌2");
        f.player.next = true;
        f.player.raiseState(StreamPlayer::Playing);
        QCOMPARE(w.lblOpenedSongName->text(), QStringLiteral("→歌2"));
        QVERIFY(w.mnuRealAudioDoNextItem->isEnabled());
        QVERIFY(!w.mnuRealAudioDoPrevItem->isEnabled());
        // A title with markup in it is shown as it is, in the label and in its tip.
        f.player.title = QStringLiteral("<i>歌</i> &amp; <br>2");
        f.player.raiseState(StreamPlayer::Playing);
        QCOMPARE(w.lblOpenedSongName->textFormat(), Qt::PlainText);
        QCOMPARE(shownToolTip(w.lblOpenedSongName->toolTip()),
                 QStringLiteral("→<i>歌</i> &amp; <br>2"));
    }

    void aDoubleClickPlaysFromTheClickedSong() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        f.fill(w.searchList(), 3);
        w.show();
        f.player.calls.clear();
        const QPoint second = w.lstSearchListSongName->visualRect(w.searchList().index(1)).center();
        QTest::mouseDClick(w.lstSearchListSongName->viewport(), Qt::LeftButton, {}, second);
        QTRY_COMPARE(f.player.calls.size(), 4);
        QFile metafile(f.player.calls[2].mid(7));
        QVERIFY(metafile.open(QIODevice::ReadOnly));
        QVERIFY(metafile.readAll().startsWith("http://h/1\r\n"));
    }

    void aMissingPlayerIsSaidOnceAndTheRestWorks() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        emit f.player.unavailable();
        emit f.player.unavailable(); // a second player, or a second try
        QTRY_COMPARE(f.dialogs.messages.size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(!w.picPlayer->playButton->isEnabled());
        QCOMPARE(f.dialogs.messages[0].text,
                 QStringLiteral("错误！您的电脑上可能没有安装RealOne软件。"));
        QCOMPARE(f.dialogs.messages[0].icon, Dialogs::Icon::Critical);
        w.Combo1->setEditText(QStringLiteral("月亮"));
        click(w.lblSearch);
        QVERIFY(f.fakes.network.last()->pending.contains(QStringLiteral("p=月亮")));
        f.fill(w.searchList(), 2);
        w.searchList().setSelected(1, true);
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuSearchListAddToPlayList; };
        sendMouse(w.lstSearchListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(w.playList().count(), 1);
    }

    void theNewestEntryIsScrolledIntoView() {
        QByteArray file;
        for (int i = 0; i < 60; ++i)
            file += gbk(QStringLiteral("MP3→歌%1\r\nhttp://h/%1\r\n").arg(i));
        Fixture f(file);
        frmSearchMusic &w = *f.window;
        auto inView = [](QListView *view, const SongList &list) {
            const QRect last = view->visualRect(list.index(list.count() - 1));
            return !last.isEmpty() && view->viewport()->rect().contains(last);
        };
        QCOMPARE(w.playList().count(), 60);
        QTRY_VERIFY(inView(w.lstPlayListSongName, w.playList()));
        w.lstPlayListSongName->scrollToTop();
        QVERIFY(!inView(w.lstPlayListSongName, w.playList()));
        f.fill(w.searchList(), 3);
        w.searchList().setSelected(0, true);
        f.dialogs.onMenu = [&](QMenu *) { return w.mnuSearchListAddToPlayList; };
        sendMouse(w.lstSearchListSongName->viewport(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(w.playList().count(), 61);
        QTRY_VERIFY(inView(w.lstPlayListSongName, w.playList()));
    }

    void dragByTheBodyButNotByTheLists() {
        Fixture f;
        frmSearchMusic &w = *f.window;
        w.move(100, 100);
        const QPoint body(5, 80);
        QVERIFY(w.childAt(body) == nullptr);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(body), QPointF(w.mapToGlobal(body)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(body + QPoint(30, 20)),
                         QPointF(w.mapToGlobal(body + QPoint(30, 20))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
        QCOMPARE(w.pos(), QPoint(130, 120));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
