#pragma once

#include <QObject>
#include <functional>

class QLabel;

// A caption label that works as a button (a skinned button, a link of the link bar) for the
// keyboard and for assistive technology: Tab reaches it (a light blue field behind its caption
// while it has the focus), Space or Enter presses it, and a screen reader hears a button named by
// its caption, or by its tip where the caption is only a sign such as "×", and can press it.
class PressableLabel : public QObject {
    Q_OBJECT
public:
    // press: what the mouse's click on the label does.
    static PressableLabel *Make(QLabel *label, std::function<void()> press);
    // The one made for label, or nullptr.
    static PressableLabel *Of(const QObject *label);

    // The name said for the label.
    QString name() const;
    void press();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PressableLabel(QLabel *label, std::function<void()> press);
    QLabel *label_;
    std::function<void()> press_;
};
