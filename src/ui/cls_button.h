#pragma once

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QWidget>

class QLabel;

// A rectangle shape laid out on a skinned window: the border and background of a button.
class Shape : public QWidget {
    Q_OBJECT
public:
    enum Style { Rectangle = 0, RoundedRectangle = 4 };
    explicit Shape(QWidget *parent = nullptr);

    QColor borderColor() const { return border_; }
    void setBorderColor(const QColor &c);
    QColor backColor() const { return back_; }
    void setBackColor(const QColor &c);
    void setStyle(Style s);
    void setOpaque(bool opaque);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor border_ = Qt::black;
    QColor back_ = Qt::white;
    Style style_ = Rectangle;
    bool opaque_ = false;
};

// Turns a caption label, optionally on a shape, into a button: pressed look while the left
// button is held on the caption, normal look on release, then Click.
class clsButton : public QObject {
    Q_OBJECT
public:
    explicit clsButton(QObject *parent = nullptr);

    QLabel *lblButtonCaption = nullptr;
    Shape *shpButtonBorder = nullptr;

    void SetUpByShape(QLabel *lblLabel, Shape *shpShape);
    void SetUpNoShape(QLabel *lblLabel);
    bool Enabled() const;
    void setEnabled(bool blnNewValue);

    static const QColor BareNormal;
    static const QColor BarePressed;
    static const QColor BorderNormal;
    static const QColor BorderPressed;
    static const QColor CaptionPressed;
    static const QColor CaptionNormal;
    static const QColor ShapeBack;

signals:
    void Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void attach(QLabel *label);
    void showPressed(bool pressed);
    void applyBareLook(const QColor &text);

    quint8 bytButtonKind = 0;
};

// The text colour of a label in its enabled states; the disabled look stays the system's.
void SetLabelTextColour(QLabel *label, const QColor &colour);
QColor LabelTextColour(const QLabel *label);
