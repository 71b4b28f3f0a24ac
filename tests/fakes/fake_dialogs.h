#pragma once

#include <QWidget>

#include "platform/clipboard.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QList>
#include <QMenu>
#include <QQueue>
#include <functional>

// Answers the program's questions from a script and records what it was shown.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        Icon icon;
    };
    QList<Shown> messages;
    QStringList questions;
    QStringList prompts;
    QStringList fileFilters;
    QQueue<bool> confirmAnswers; // empty queue: Cancel
    QQueue<QString> inputAnswers;
    QQueue<QString> fileAnswers;
    // Called with the menu at pop-up time; returns the item to choose (nullptr: none).
    std::function<QAction *(QMenu *)> onMenu;
    QList<QMenu *> menusShown;
    std::function<void()> duringConfirm;

    void message(const QString &text, Icon icon) override { messages.append({text, icon}); }
    bool confirm(const QString &text) override {
        questions.append(text);
        if (duringConfirm)
            duringConfirm();
        return confirmAnswers.isEmpty() ? false : confirmAnswers.dequeue();
    }
    QString inputBox(const QString &prompt, const QString &) override {
        prompts.append(prompt);
        return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
    }
    QString openFileName(const QString &filter) override { return nextFile(filter); }
    QStringList openFileNames(const QString &filter) override {
        const QString f = nextFile(filter);
        return f.isEmpty() ? QStringList() : QStringList{f};
    }
    QString saveFileName(const QString &filter) override { return nextFile(filter); }
    QStringList suggestedPaths;
    QString saveFileAs(const QString &suggestedPath) override {
        suggestedPaths.append(suggestedPath);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }
    QStringList abouts; // "application|versions|further|owner's title"
    void aboutBox(QWidget *owner, const QString &application, const QString &versions,
                  const QString &further) override {
        abouts << application + "|" + versions + "|" + further + "|" +
                      (owner ? owner->windowTitle() : QString());
    }
    QAction *popupMenu(QMenu *menu, const QPoint &) override {
        menusShown.append(menu);
        QAction *chosen = onMenu ? onMenu(menu) : nullptr;
        if (chosen && chosen->isEnabled())
            chosen->trigger();
        return chosen;
    }

private:
    QString nextFile(const QString &filter) {
        fileFilters.append(filter);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }
};

class FakeClipboard : public Clipboard {
public:
    QString text = QStringLiteral("(untouched)");
    int clears = 0;
    void setText(const QString &t) override {
        ++clears;
        text = t;
    }
};
