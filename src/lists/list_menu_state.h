#pragma once

// Which context-menu items of a song list are enabled, decided at each right click from the
// number of entries and of selected entries.
namespace ListMenuState {

enum class Item {
    AddToPlayList,
    Play,
    PlaySelectedSongs,
    SearchSongWord,
    OpenLocalSongs,
    Find,
    MoveUp,
    MoveDown,
    CopySongName,
    CopySongUrl,
    Delete,
    Import,
    Export,
    Download,
    DownloadByFlashGet,
};

// Commands on one current song need exactly one selected entry; commands on the selected
// songs, and play, need at least one; find needs an entry; adding songs is always possible.
constexpr bool isEnabled(Item item, int entries, int selected) {
    switch (item) {
    case Item::OpenLocalSongs:
    case Item::Import:
        return true;
    case Item::Find:
        return entries > 0;
    case Item::SearchSongWord:
    case Item::MoveUp:
    case Item::MoveDown:
    case Item::CopySongName:
    case Item::CopySongUrl:
    case Item::Download:
        return entries > 0 && selected == 1;
    case Item::AddToPlayList:
    case Item::Play:
    case Item::PlaySelectedSongs:
    case Item::Delete:
    case Item::Export:
    case Item::DownloadByFlashGet:
        return entries > 0 && selected >= 1;
    }
    return false;
}

} // namespace ListMenuState
