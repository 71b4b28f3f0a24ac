#include "frm_music_library.h"

#include "app/session.h"
#include "music_library.h"
#include "song_list.h"

#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QVBoxLayout>

frmMusicLibrary::frmMusicLibrary(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window), session_(session) {
    setWindowTitle(QStringLiteral("Tonaply - 歌库"));
    Frame1 = new QGroupBox(QStringLiteral("歌手专集(双击添加到播放列表)"), this);
    filMusicLib = new QListWidget(Frame1);
    auto *inFrame = new QVBoxLayout(Frame1);
    inFrame->addWidget(filMusicLib);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    resize(300, 360);
    connect(filMusicLib, &QListWidget::itemDoubleClicked, this,
            &frmMusicLibrary::filMusicLib_DblClick);
    Form_Load();
}

void frmMusicLibrary::Form_Load() {
    folder_ = MusicLibrary::AlbumFolder(session_.appFolder());
    for (const QString &file : MusicLibrary::AlbumFiles(folder_)) {
        auto *item = new QListWidgetItem(file, filMusicLib);
        item->setToolTip(file);
    }
}

void frmMusicLibrary::filMusicLib_DblClick(QListWidgetItem *item) {
    if (!item)
        return;
    MusicLibrary::InputSong(QDir(folder_).filePath(item->text()), session_.playList(),
                            session_.StreamBaseUrl());
}
