#include "cls_button.h"

#include "pressable_label.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

const QColor clsButton::BareNormal{128, 0, 0};
const QColor clsButton::BarePressed{192, 192, 192};
const QColor clsButton::BorderNormal{128, 128, 128};
const QColor clsButton::BorderPressed{0, 0, 0};
const QColor clsButton::CaptionPressed{0, 0, 255};
const QColor clsButton::CaptionNormal{0, 0, 0};
const QColor clsButton::ShapeBack{255, 255, 255};

Shape::Shape(QWidget *parent) : QWidget(parent) {
    // A shape only draws: clicks fall through to the window below it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setBorderColor(const QColor &c) {
    border_ = c;
    update();
}

void Shape::setBackColor(const QColor &c) {
    back_ = c;
    update();
}

void Shape::setStyle(Style s) {
    style_ = s;
    update();
}

void Shape::setOpaque(bool opaque) {
    opaque_ = opaque;
    update();
}

void Shape::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(border_, 1));
    p.setBrush(opaque_ ? QBrush(back_) : Qt::NoBrush);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (style_ == RoundedRectangle) {
        const qreal radius = std::min(r.width(), r.height()) / 4.0;
        p.drawRoundedRect(r, radius, radius);
    } else {
        p.drawRect(r);
    }
}

void SetLabelTextColour(QLabel *label, const QColor &colour) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, colour);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    label->setPalette(pal);
}

QColor LabelTextColour(const QLabel *label) {
    return label->palette().color(QPalette::Active, QPalette::WindowText);
}

clsButton::clsButton(QObject *parent) : QObject(parent) {}

void clsButton::attach(QLabel *label) {
    if (lblButtonCaption)
        lblButtonCaption->removeEventFilter(this);
    lblButtonCaption = label;
    if (label) {
        label->installEventFilter(this);
        PressableLabel::Make(label, [this] {
            if (Enabled())
                emit Click();
        });
    }
}

void clsButton::SetUpByShape(QLabel *lblLabel, Shape *shpShape) {
    attach(lblLabel);
    shpButtonBorder = shpShape;
    bytButtonKind = 1;
    if (!lblLabel || !shpShape)
        return;
    shpShape->setOpaque(true);
    shpShape->setBorderColor(BorderNormal);
    shpShape->setBackColor(ShapeBack);
    shpShape->setStyle(Shape::RoundedRectangle);
    // The caption covers its shape with the text centred: the whole button takes the
    // mouse, and nothing is measured before the window is on the screen.
    lblLabel->setGeometry(shpShape->geometry());
    lblLabel->setAlignment(Qt::AlignCenter);
    lblLabel->setAutoFillBackground(false);
    lblLabel->raise();
}

void clsButton::applyBareLook(const QColor &text) {
    QFont f = lblButtonCaption->font();
    f.setBold(true);
    f.setPointSize(10);
    lblButtonCaption->setFont(f);
    lblButtonCaption->setAutoFillBackground(false);
    SetLabelTextColour(lblButtonCaption, text);
    lblButtonCaption->setAlignment(Qt::AlignCenter);
}

void clsButton::SetUpNoShape(QLabel *lblLabel) {
    bytButtonKind = 0;
    attach(lblLabel);
    shpButtonBorder = nullptr;
    if (lblLabel)
        applyBareLook(BareNormal);
}

bool clsButton::Enabled() const {
    return lblButtonCaption && lblButtonCaption->isEnabled();
}

void clsButton::setEnabled(bool blnNewValue) {
    if (lblButtonCaption)
        lblButtonCaption->setEnabled(blnNewValue);
}

void clsButton::showPressed(bool pressed) {
    if (bytButtonKind == 0) {
        applyBareLook(pressed ? BarePressed : BareNormal);
        return;
    }
    if (shpButtonBorder)
        shpButtonBorder->setBorderColor(pressed ? BorderPressed : BorderNormal);
    SetLabelTextColour(lblButtonCaption, pressed ? CaptionPressed : CaptionNormal);
}

bool clsButton::eventFilter(QObject *watched, QEvent *event) {
    if (watched != lblButtonCaption)
        return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton || !lblButtonCaption->isEnabled())
        return false;
    if (type == QEvent::MouseButtonRelease) {
        showPressed(false);
        // The normal look is painted before the command runs.
        lblButtonCaption->repaint();
        if (shpButtonBorder)
            shpButtonBorder->repaint();
        emit Click();
    } else {
        // A double click is a second press: it must not reach the window as a drag.
        showPressed(true);
    }
    return true;
}
