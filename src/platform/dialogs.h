#pragma once

#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QPoint;
class QWidget;

// Every modal interaction with the user: message boxes, the input box, the file dialogs and
// pop-up menus. Boxes carry the application title "Tonaply"; tests answer them instead.
class Dialogs {
public:
    enum class Icon { Critical, Warning, Information };

    virtual ~Dialogs() = default;
    // A box with the given icon and an OK button.
    virtual void message(const QString &text, Icon icon) = 0;
    // A question box with OK and Cancel; true for OK (closing the box counts as Cancel).
    virtual bool confirm(const QString &text) = 0;
    // An input box; an empty text after Cancel.
    virtual QString inputBox(const QString &prompt, const QString &defaultText = {}) = 0;
    // File dialogs; the filter is written "description|pattern". An empty name after Cancel.
    // The Save dialog neither asks before replacing a file nor adds an extension.
    virtual QString openFileName(const QString &filter) = 0;
    virtual QStringList openFileNames(const QString &filter) = 0;
    virtual QString saveFileName(const QString &filter) = 0;
    // A Save dialog opened on a suggested path (folder and name), for a download.
    virtual QString saveFileAs(const QString &suggestedPath) = 0;
    // Pops the menu up at a global position and returns the chosen action (it has already
    // been triggered), or nullptr when the menu was closed without a choice.
    virtual QAction *popupMenu(QMenu *menu, const QPoint &globalPos) = 0;
    // The About box for a window: titled with the word for About and the application text,
    // then the application text, the system's version lines, the further text and the
    // window's own icon; returns when it is closed.
    virtual void aboutBox(QWidget *owner, const QString &application, const QString &versions,
                          const QString &further) = 0;
};
