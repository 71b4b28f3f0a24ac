// The main window's two song lists: their context menus, keys and right clicks.
#include "frm_search_music.h"

#include "lists/frm_downloads.h"
#include "lists/list_commands.h"
#include "lists/list_input.h"
#include "lists/list_keys.h"
#include "lists/playback_controller.h"
#include "lists/playlist_commands.h"
#include "lists/song_hand_off.h"
#include "lists/song_list.h"
#include "lists/song_list_menu.h"
#include "platform/dialogs.h"
#include "session.h"

#include <QAction>
#include <QKeySequence>
#include <QListView>

using ListMenuState::Item;

void frmSearchMusic::buildListMenus() {
    mnuSearchList = new SongListMenu(QStringLiteral("搜索列表(&S)"), this);
    mnuSearchListAddToPlayList =
        mnuSearchList->addItem(QStringLiteral("添加到播放列表(&A)"), Item::AddToPlayList);
    mnuSearchList->addSeparator();
    mnuSearchListPlay = mnuSearchList->addItem(QStringLiteral("播放(&P)..."), Item::Play);
    mnuSearchListPlaySelectedSong =
        mnuSearchList->addItem(QStringLiteral("播放选定歌曲(&O)"), Item::PlaySelectedSongs);
    mnuSearchListSearchSongWord =
        mnuSearchList->addItem(QStringLiteral("搜索当前歌词(&S)"), Item::SearchSongWord);
    mnuSearchListFind = mnuSearchList->addItem(QStringLiteral("查找当前列表(&F)"), Item::Find);
    mnuSearchList->addSeparator();
    mnuSearchListCopySongName =
        mnuSearchList->addItem(QStringLiteral("复制当前歌曲名称(&N)"), Item::CopySongName);
    mnuSearchListCopySongUrl =
        mnuSearchList->addItem(QStringLiteral("复制当前歌曲地址(&A)"), Item::CopySongUrl);
    mnuSearchListDelete = mnuSearchList->addItem(QStringLiteral("删除当前歌曲(&D)"), Item::Delete);
    mnuSearchList->addSeparator();
    mnuSearchListDownload =
        mnuSearchList->addItem(QStringLiteral("下载当前歌曲(&D)"), Item::Download);
    mnuSearchListDownloadByFlashGet =
        mnuSearchList->addItem(QStringLiteral("使用网际快车下载(&F)"), Item::DownloadByFlashGet);

    mnuPlayList = new SongListMenu(QStringLiteral("播放列表(&P)"), this);
    mnuPlayListPlay = mnuPlayList->addItem(QStringLiteral("播放(&P)..."), Item::Play);
    mnuPlayListPlaySelectedSong =
        mnuPlayList->addItem(QStringLiteral("播放选定歌曲(&O)"), Item::PlaySelectedSongs);
    mnuPlayList->addSeparator();
    mnuPlayListSearchSongWord =
        mnuPlayList->addItem(QStringLiteral("搜索当前歌词(&S)"), Item::SearchSongWord);
    mnuPlayListOpenLocalSong =
        mnuPlayList->addItem(QStringLiteral("打开本地歌曲(&O)"), Item::OpenLocalSongs);
    mnuPlayListFind = mnuPlayList->addItem(QStringLiteral("查找当前列表(&F)"), Item::Find);
    mnuPlayList->addSeparator();
    mnuPlayListUp = mnuPlayList->addItem(QStringLiteral("当前歌曲向上一格(&U)"), Item::MoveUp);
    mnuPlayListDown = mnuPlayList->addItem(QStringLiteral("当前歌曲向下一格(&D)"), Item::MoveDown);
    mnuPlayList->addSeparator();
    mnuPlayListCopySongName =
        mnuPlayList->addItem(QStringLiteral("复制当前歌曲名称(&N)"), Item::CopySongName);
    mnuPlayListCopySongUrl =
        mnuPlayList->addItem(QStringLiteral("复制当前歌曲地址(&A)"), Item::CopySongUrl);
    mnuPlayListDelete = mnuPlayList->addItem(QStringLiteral("删除当前歌曲(&D)"), Item::Delete);
    mnuPlayList->addSeparator();
    mnuPlayListOpen = mnuPlayList->addItem(QStringLiteral("导入歌曲列表(&I)"), Item::Import);
    mnuPlayListSave = mnuPlayList->addItem(QStringLiteral("导出歌曲列表(&O)"), Item::Export);
    mnuPlayList->addSeparator();
    mnuPlayListDownload = mnuPlayList->addItem(QStringLiteral("下载当前歌曲(&D)"), Item::Download);
    mnuPlayListDownloadByFlashGet =
        mnuPlayList->addItem(QStringLiteral("使用网际快车下载(&F)"), Item::DownloadByFlashGet);

    // The shortcuts work wherever the focus is in the window, while their item is enabled.
    mnuPlayListUp->setShortcut(Qt::Key_F4);
    mnuPlayListDown->setShortcut(Qt::Key_F5);
    mnuPlayListPlay->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    for (QAction *action : {mnuPlayListUp, mnuPlayListDown, mnuPlayListPlay}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    // The commands refer to the lists and ports themselves (a reference captured by
    // reference names the object): the window and the session outlive these menus.
    SongList &searchList = *searchList_;
    SongList &playList = session_.playList();
    Dialogs &dialogs = session_.dialogs();
    Clipboard &clipboard = session_.clipboard();
    auto findIn = [&dialogs](SongList &list, QListView *view) {
        ListCommands::FindInList(list, dialogs, [view](bool on) { view->setEnabled(on); });
    };

    connect(mnuSearchListAddToPlayList, &QAction::triggered, this,
            [&] { ListCommands::AddToPlayList(searchList, playList); });
    connect(mnuSearchListFind, &QAction::triggered, this,
            [=, this, &searchList] { findIn(searchList, lstSearchListSongName); });
    connect(mnuSearchListCopySongName, &QAction::triggered, this,
            [&] { ListCommands::CopySongName(searchList, clipboard); });
    connect(mnuSearchListCopySongUrl, &QAction::triggered, this,
            [&] { ListCommands::CopySongUrl(searchList, clipboard); });
    connect(mnuSearchListDelete, &QAction::triggered, this,
            [&] { ListCommands::DeleteSelectedSongs(searchList, dialogs); });

    connect(mnuPlayListFind, &QAction::triggered, this,
            [=, this, &playList] { findIn(playList, lstPlayListSongName); });
    connect(mnuPlayListUp, &QAction::triggered, this, [&] { ListCommands::MoveSongUp(playList); });
    connect(mnuPlayListDown, &QAction::triggered, this,
            [&] { ListCommands::MoveSongDown(playList); });
    connect(mnuPlayListCopySongName, &QAction::triggered, this,
            [&] { ListCommands::CopySongName(playList, clipboard); });
    connect(mnuPlayListCopySongUrl, &QAction::triggered, this,
            [&] { ListCommands::CopySongUrl(playList, clipboard); });
    connect(mnuPlayListDelete, &QAction::triggered, this,
            [&] { ListCommands::DeleteSelectedSongs(playList, dialogs); });
    connect(mnuPlayListOpen, &QAction::triggered, this,
            [&] { PlaylistCommands::ImportPlayList(playList, dialogs); });
    connect(mnuPlayListSave, &QAction::triggered, this,
            [&] { PlaylistCommands::ExportPlayList(playList, dialogs); });

    connect(mnuSearchListDownload, &QAction::triggered, this,
            &frmSearchMusic::mnuSearchListDownload_Click);
    connect(mnuPlayListDownload, &QAction::triggered, this,
            &frmSearchMusic::mnuPlayListDownload_Click);
    connect(mnuSearchListDownloadByFlashGet, &QAction::triggered, this,
            &frmSearchMusic::mnuSearchListDownloadByFlashGet_Click);
    connect(mnuPlayListDownloadByFlashGet, &QAction::triggered, this,
            &frmSearchMusic::mnuPlayListDownloadByFlashGet_Click);
    connect(mnuSearchListSearchSongWord, &QAction::triggered, this,
            &frmSearchMusic::mnuSearchListSearchSongWord_Click);
    connect(mnuPlayListSearchSongWord, &QAction::triggered, this,
            &frmSearchMusic::mnuPlayListSearchSongWord_Click);

    auto *searchInput = new ListInput(lstSearchListSongName);
    connect(searchInput, &ListInput::rightPressed, this,
            &frmSearchMusic::lstSearchListSongName_MouseDown);
    connect(searchInput, &ListInput::keyDown, this, &frmSearchMusic::lstSearchListSongName_KeyDown);
    connect(searchInput, &ListInput::doubleClicked, this,
            &frmSearchMusic::lstSearchListSongName_DblClick);
    auto *playInput = new ListInput(lstPlayListSongName);
    connect(playInput, &ListInput::rightPressed, this,
            &frmSearchMusic::lstPlayListSongName_MouseDown);
    connect(playInput, &ListInput::keyDown, this, &frmSearchMusic::lstPlayListSongName_KeyDown);
    connect(playInput, &ListInput::doubleClicked, this,
            &frmSearchMusic::lstPlayListSongName_DblClick);
}

void frmSearchMusic::lstSearchListSongName_MouseDown(const QPoint &globalPos) {
    mnuSearchList->popUp(session_.dialogs(), *searchList_, globalPos);
}

void frmSearchMusic::lstPlayListSongName_MouseDown(const QPoint &globalPos) {
    mnuPlayList->popUp(session_.dialogs(), session_.playList(), globalPos);
}

void frmSearchMusic::lstSearchListSongName_KeyDown(int key) {
    ListKeys::KeyDown(key, *searchList_, session_.playback(), session_.dialogs());
}

void frmSearchMusic::lstPlayListSongName_KeyDown(int key) {
    ListKeys::KeyDown(key, session_.playList(), session_.playback(), session_.dialogs());
}

void frmSearchMusic::lstSearchListSongName_DblClick() {
    session_.playback().PlayFromCurrentSong(*searchList_);
}

void frmSearchMusic::lstPlayListSongName_DblClick() {
    session_.playback().PlayFromCurrentSong(session_.playList());
}

void frmSearchMusic::mnuSearchListDownload_Click() {
    SongHandOff::DownloadSong(*searchList_, session_.downloadDialog());
}

void frmSearchMusic::mnuPlayListDownload_Click() {
    SongHandOff::DownloadSong(session_.playList(), session_.downloadDialog());
}

void frmSearchMusic::mnuSearchListDownloadByFlashGet_Click() {
    if (SongHandOff::DownloadByFlashGet(*searchList_, session_.downloadManager(),
                                        session_.dialogs(), session_.endpoints().dataServerUrl))
        showDownloads();
}

void frmSearchMusic::mnuPlayListDownloadByFlashGet_Click() {
    if (SongHandOff::DownloadByFlashGet(session_.playList(), session_.downloadManager(),
                                        session_.dialogs(), session_.endpoints().dataServerUrl))
        showDownloads();
}

void frmSearchMusic::showDownloads() {
    if (!downloads_)
        downloads_ = new frmDownloads(session_.downloadManager(), session_.shell(), this);
    downloads_->show();
    downloads_->raise();
    downloads_->refresh();
}

void frmSearchMusic::mnuSearchListSearchSongWord_Click() {
    SongHandOff::SearchSongWord(*searchList_, session_.clipboard(), session_.dialogs(),
                                session_.shell(), session_.endpoints().lyricsSite);
}

void frmSearchMusic::mnuPlayListSearchSongWord_Click() {
    SongHandOff::SearchSongWord(session_.playList(), session_.clipboard(), session_.dialogs(),
                                session_.shell(), session_.endpoints().lyricsSite);
}
