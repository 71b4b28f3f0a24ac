#pragma once

#include "platform/platform_layer.h"

#include "dialogs.h"

class QWidget;

// Dialogs as Qt message boxes, input boxes, file dialogs and menus, over a parent window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    void message(const QString &text, Icon icon) override;
    bool confirm(const QString &text) override;
    QString inputBox(const QString &prompt, const QString &defaultText) override;
    QString openFileName(const QString &filter) override;
    QStringList openFileNames(const QString &filter) override;
    QString saveFileName(const QString &filter) override;
    QString saveFileAs(const QString &suggestedPath) override;
    QAction *popupMenu(QMenu *menu, const QPoint &globalPos) override;
    void aboutBox(QWidget *owner, const QString &application, const QString &versions,
                  const QString &further) override;

    // Qt's own texts in the dialogs (file dialog buttons, edit menus) in Chinese, as every
    // text of the program is. False when Qt's translations are not installed.
    static bool UseChineseTexts();

    // "desc|pattern|desc|pattern" as a Qt name filter list.
    static QString QtFilter(const QString &filter);

private:
    QWidget *parent_;
};
