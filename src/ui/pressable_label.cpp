#include "pressable_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>

namespace {
// QAccessibleWidget already offers the action interface; a button adds its press.
class PressableAccessible : public QAccessibleWidget {
public:
    explicit PressableAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            if (const PressableLabel *p = PressableLabel::Of(object()))
                return p->name();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
    void doAction(const QString &action) override {
        if (action == pressAction() && widget()->isEnabled())
            if (PressableLabel *p = PressableLabel::Of(object()))
                p->press();
    }
};

QAccessibleInterface *factory(const QString &, QObject *object) {
    if (auto *label = qobject_cast<QLabel *>(object); label && PressableLabel::Of(label))
        return new PressableAccessible(label);
    return nullptr;
}

// The focus shows as a light blue field behind the caption: a change of font would measure the
// text again, and the caption's colour is the pressed look's.
void showFocus(QLabel *label, bool on) {
    if (on) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, QColor(110, 160, 240, 120));
        label->setPalette(palette);
    }
    label->setAutoFillBackground(on);
}
} // namespace

PressableLabel *PressableLabel::Make(QLabel *label, std::function<void()> press) {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
    if (PressableLabel *old = Of(label))
        delete old;
    return new PressableLabel(label, std::move(press));
}

PressableLabel *PressableLabel::Of(const QObject *label) {
    return label ? label->findChild<PressableLabel *>(QString(), Qt::FindDirectChildrenOnly)
                 : nullptr;
}

PressableLabel::PressableLabel(QLabel *label, std::function<void()> press)
    : QObject(label), label_(label), press_(std::move(press)) {
    label->setFocusPolicy(Qt::TabFocus);
    label->installEventFilter(this);
    // A description of the plain label may already be held: it is made again, as a button.
    if (QAccessibleInterface *known = QAccessible::queryAccessibleInterface(label);
        known && known->role() != QAccessible::Button)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

QString PressableLabel::name() const {
    QString caption = label_->text();
    caption.remove(QLatin1Char('&'));
    for (const QChar c : caption)
        if (c.isLetterOrNumber())
            return caption;
    return label_->toolTip().isEmpty() ? caption : label_->toolTip();
}

void PressableLabel::press() {
    if (press_ && label_->isEnabled())
        press_();
}

bool PressableLabel::eventFilter(QObject *watched, QEvent *event) {
    if (watched != label_)
        return false;
    switch (event->type()) {
    // A label that takes the focus lays its caption out as a text document when it is
    // polished, which loaded the fonts on the way to the window's map: it is polished as one
    // that does not, and takes the focus again at its show (its place in the keyboard's order
    // stays); the document is made only when it first has the focus.
    case QEvent::Polish:
        label_->setFocusPolicy(Qt::NoFocus);
        break;
    case QEvent::Show:
        label_->setFocusPolicy(Qt::TabFocus);
        break;
    case QEvent::FocusIn:
        showFocus(label_, true);
        break;
    case QEvent::FocusOut:
        showFocus(label_, false);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            press();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}
