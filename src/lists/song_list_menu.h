#pragma once

#include "list_menu_state.h"

#include <QMenu>

class Dialogs;
class SongList;

// A list's context menu: each item knows which command of the enabled-state table it is, so
// one right click sets every item's state from the list as it then stands. The states stay
// until the next right click on that list; shortcuts of its items follow them.
class SongListMenu : public QMenu {
    Q_OBJECT
public:
    using QMenu::QMenu;

    QAction *addItem(const QString &caption, ListMenuState::Item item);
    // Sets every item's enabled state from the list's entries and selection marks.
    void setStates(const SongList &list);
    // Sets the states, then pops the menu up.
    void popUp(Dialogs &dialogs, const SongList &list, const QPoint &globalPos);
};
