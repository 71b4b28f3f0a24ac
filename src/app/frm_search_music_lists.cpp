// The main window's two song lists: their context menus, keys and right clicks.
#include "frm_search_music.h"

#include "lists/list_commands.h"
#include "lists/list_menu_state.h"
#include "lists/playlist_commands.h"
#include "lists/song_list.h"
#include "platform/dialogs.h"

#include "lists/playback_controller.h"
#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>

using ListMenuState::Item;

namespace {
const char *const ItemProperty = "tonaplyListItem";

QAction *addItem(QMenu *menu, const QString &caption, Item item) {
    QAction *action = menu->addAction(caption);
    action->setProperty(ItemProperty, static_cast<int>(item));
    return action;
}

// Sets every item's enabled state from the list as it is at the right click.
void setMenuState(QMenu *menu, const SongList &list) {
    const int entries = list.count();
    const int selected = list.selectedCount();
    for (QAction *action : menu->actions()) {
        const QVariant item = action->property(ItemProperty);
        if (item.isValid())
            action->setEnabled(
                ListMenuState::isEnabled(static_cast<Item>(item.toInt()), entries, selected));
    }
}
} // namespace

void frmSearchMusic::buildListMenus() {
    mnuSearchList = new QMenu(QStringLiteral("搜索列表(&S)"), this);
    mnuSearchListAddToPlayList =
        addItem(mnuSearchList, QStringLiteral("添加到播放列表(&A)"), Item::AddToPlayList);
    mnuSearchList->addSeparator();
    const bool canPlay = services_.realAudio1 != nullptr;
    if (canPlay) {
        mnuSearchListPlay = addItem(mnuSearchList, QStringLiteral("播放(&P)..."), Item::Play);
        mnuSearchListPlaySelectedSong =
            addItem(mnuSearchList, QStringLiteral("播放选定歌曲(&O)"), Item::PlaySelectedSongs);
    }
    mnuSearchListFind = addItem(mnuSearchList, QStringLiteral("查找当前列表(&F)"), Item::Find);
    mnuSearchList->addSeparator();
    mnuSearchListCopySongName =
        addItem(mnuSearchList, QStringLiteral("复制当前歌曲名称(&N)"), Item::CopySongName);
    mnuSearchListCopySongUrl =
        addItem(mnuSearchList, QStringLiteral("复制当前歌曲地址(&A)"), Item::CopySongUrl);
    mnuSearchListDelete = addItem(mnuSearchList, QStringLiteral("删除当前歌曲(&D)"), Item::Delete);

    mnuPlayList = new QMenu(QStringLiteral("播放列表(&P)"), this);
    if (canPlay) {
        mnuPlayListPlay = addItem(mnuPlayList, QStringLiteral("播放(&P)..."), Item::Play);
        mnuPlayListPlaySelectedSong =
            addItem(mnuPlayList, QStringLiteral("播放选定歌曲(&O)"), Item::PlaySelectedSongs);
        mnuPlayList->addSeparator();
        mnuPlayListOpenLocalSong =
            addItem(mnuPlayList, QStringLiteral("打开本地歌曲(&O)"), Item::OpenLocalSongs);
    }
    mnuPlayListFind = addItem(mnuPlayList, QStringLiteral("查找当前列表(&F)"), Item::Find);
    mnuPlayList->addSeparator();
    mnuPlayListUp = addItem(mnuPlayList, QStringLiteral("当前歌曲向上一格(&U)"), Item::MoveUp);
    mnuPlayListDown = addItem(mnuPlayList, QStringLiteral("当前歌曲向下一格(&D)"), Item::MoveDown);
    mnuPlayList->addSeparator();
    mnuPlayListCopySongName =
        addItem(mnuPlayList, QStringLiteral("复制当前歌曲名称(&N)"), Item::CopySongName);
    mnuPlayListCopySongUrl =
        addItem(mnuPlayList, QStringLiteral("复制当前歌曲地址(&A)"), Item::CopySongUrl);
    mnuPlayListDelete = addItem(mnuPlayList, QStringLiteral("删除当前歌曲(&D)"), Item::Delete);
    mnuPlayList->addSeparator();
    mnuPlayListOpen = addItem(mnuPlayList, QStringLiteral("导入歌曲列表(&I)"), Item::Import);
    mnuPlayListSave = addItem(mnuPlayList, QStringLiteral("导出歌曲列表(&O)"), Item::Export);

    // The shortcuts work wherever the focus is in the window, while their item is enabled.
    mnuPlayListUp->setShortcut(Qt::Key_F4);
    mnuPlayListDown->setShortcut(Qt::Key_F5);
    QList<QAction *> shortcuts{mnuPlayListUp, mnuPlayListDown};
    if (mnuPlayListPlay) {
        mnuPlayListPlay->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
        shortcuts << mnuPlayListPlay;
    }
    for (QAction *action : shortcuts) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    Dialogs *dialogs = services_.dialogs;
    Clipboard *clipboard = services_.clipboard;
    auto findIn = [](SongList &list, QListView *view, Dialogs *d) {
        if (d)
            ListCommands::FindInList(list, *d, [view](bool on) { view->setEnabled(on); });
    };

    connect(mnuSearchListAddToPlayList, &QAction::triggered, this,
            [this] { ListCommands::AddToPlayList(*searchList_, *playList_); });
    connect(mnuSearchListFind, &QAction::triggered, this,
            [=, this] { findIn(*searchList_, lstSearchListSongName, dialogs); });
    connect(mnuSearchListCopySongName, &QAction::triggered, this, [=, this] {
        if (clipboard)
            ListCommands::CopySongName(*searchList_, *clipboard);
    });
    connect(mnuSearchListCopySongUrl, &QAction::triggered, this, [=, this] {
        if (clipboard)
            ListCommands::CopySongUrl(*searchList_, *clipboard);
    });
    connect(mnuSearchListDelete, &QAction::triggered, this, [=, this] {
        if (dialogs)
            ListCommands::DeleteSelectedSongs(*searchList_, *dialogs);
    });

    connect(mnuPlayListFind, &QAction::triggered, this,
            [=, this] { findIn(*playList_, lstPlayListSongName, dialogs); });
    connect(mnuPlayListUp, &QAction::triggered, this,
            [this] { ListCommands::MoveSongUp(*playList_); });
    connect(mnuPlayListDown, &QAction::triggered, this,
            [this] { ListCommands::MoveSongDown(*playList_); });
    connect(mnuPlayListCopySongName, &QAction::triggered, this, [=, this] {
        if (clipboard)
            ListCommands::CopySongName(*playList_, *clipboard);
    });
    connect(mnuPlayListCopySongUrl, &QAction::triggered, this, [=, this] {
        if (clipboard)
            ListCommands::CopySongUrl(*playList_, *clipboard);
    });
    connect(mnuPlayListDelete, &QAction::triggered, this, [=, this] {
        if (dialogs)
            ListCommands::DeleteSelectedSongs(*playList_, *dialogs);
    });
    connect(mnuPlayListOpen, &QAction::triggered, this, [=, this] {
        if (dialogs)
            PlaylistCommands::ImportPlayList(*playList_, *dialogs);
    });
    connect(mnuPlayListSave, &QAction::triggered, this, [=, this] {
        if (dialogs)
            PlaylistCommands::ExportPlayList(*playList_, *dialogs);
    });
}

void frmSearchMusic::lstSearchListSongName_MouseDown(const QPoint &globalPos) {
    setMenuState(mnuSearchList, *searchList_);
    if (services_.dialogs)
        services_.dialogs->popupMenu(mnuSearchList, globalPos);
}

void frmSearchMusic::lstPlayListSongName_MouseDown(const QPoint &globalPos) {
    setMenuState(mnuPlayList, *playList_);
    if (services_.dialogs)
        services_.dialogs->popupMenu(mnuPlayList, globalPos);
}

void frmSearchMusic::lstSearchListSongName_KeyDown(int key) {
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && playback_)
        playback_->PlayFromCurrentSong(*searchList_);
    else if (key == Qt::Key_Delete && services_.dialogs)
        ListCommands::DeleteSelectedSongs(*searchList_, *services_.dialogs);
}

void frmSearchMusic::lstPlayListSongName_KeyDown(int key) {
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && playback_)
        playback_->PlayFromCurrentSong(*playList_);
    else if (key == Qt::Key_Delete && services_.dialogs)
        ListCommands::DeleteSelectedSongs(*playList_, *services_.dialogs);
}

void frmSearchMusic::lstSearchListSongName_DblClick() {
    if (playback_)
        playback_->PlayFromCurrentSong(*searchList_);
}

void frmSearchMusic::lstPlayListSongName_DblClick() {
    if (playback_)
        playback_->PlayFromCurrentSong(*playList_);
}

bool frmSearchMusic::eventFilter(QObject *watched, QEvent *event) {
    const bool onSearchList =
        watched == lstSearchListSongName || watched == lstSearchListSongName->viewport();
    const bool onPlayList =
        watched == lstPlayListSongName || watched == lstPlayListSongName->viewport();
    if (!onSearchList && !onPlayList)
        return QWidget::eventFilter(watched, event);

    if (event->type() == QEvent::MouseButtonPress && watched != lstSearchListSongName &&
        watched != lstPlayListSongName) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            // The right click itself leaves the selection and current entry as they are.
            const QPoint at = mouse->globalPosition().toPoint();
            if (onSearchList)
                lstSearchListSongName_MouseDown(at);
            else
                lstPlayListSongName_MouseDown(at);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonDblClick &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
               watched != lstSearchListSongName && watched != lstPlayListSongName) {
        // Played once the view has made the double-clicked entry current.
        QMetaObject::invokeMethod(
            this,
            [this, onSearchList] {
                onSearchList ? lstSearchListSongName_DblClick() : lstPlayListSongName_DblClick();
            },
            Qt::QueuedConnection);
    } else if (event->type() == QEvent::ContextMenu) {
        return true;
    } else if (event->type() == QEvent::KeyPress &&
               (watched == lstSearchListSongName || watched == lstPlayListSongName)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (onSearchList)
            lstSearchListSongName_KeyDown(key);
        else
            lstPlayListSongName_KeyDown(key);
    }
    return QWidget::eventFilter(watched, event);
}
