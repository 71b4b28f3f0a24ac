#include "song_list_menu.h"

#include "platform/dialogs.h"
#include "song_list.h"

namespace {
const char *const ItemProperty = "tonaplyListItem";
} // namespace

QAction *SongListMenu::addItem(const QString &caption, ListMenuState::Item item) {
    QAction *action = addAction(caption);
    action->setProperty(ItemProperty, static_cast<int>(item));
    return action;
}

void SongListMenu::setStates(const SongList &list) {
    const int entries = list.count();
    const int selected = list.selectedCount();
    for (QAction *action : actions()) {
        const QVariant item = action->property(ItemProperty);
        if (item.isValid())
            action->setEnabled(ListMenuState::isEnabled(
                static_cast<ListMenuState::Item>(item.toInt()), entries, selected));
    }
}

void SongListMenu::popUp(Dialogs &dialogs, const SongList &list, const QPoint &globalPos) {
    setStates(list);
    dialogs.popupMenu(this, globalPos);
}
