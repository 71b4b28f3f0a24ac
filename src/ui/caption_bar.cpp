#include "caption_bar.h"

#include "cls_button.h"
#include "skin.h"

#include <QLabel>
#include <QPainter>

namespace {
// The program's icon, drawn when the caption is first painted: making its picture took up
// to 3 ms on the way to the main window's map.
class ProgramIconLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.drawPixmap(0, 0, Skin::ProgramIcon(height()));
    }
};

QLabel *textLabel(const QString &text, QWidget *parent, const QRect &at, const QString &tip = {}) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setToolTip(tip);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(at);
    return label;
}
} // namespace

CaptionBar MakeCaptionBar(QWidget *window, const QString &caption, int windowWidth) {
    CaptionBar bar{};
    bar.icon = new ProgramIconLabel(window);
    bar.icon->setGeometry(10, 6, 18, 18);
    bar.caption = textLabel(caption, window, QRect(34, 5, windowWidth - 94, 20));
    QFont captionFont = bar.caption->font();
    captionFont.setBold(true);
    captionFont.setPointSize(10);
    bar.caption->setFont(captionFont);
    SetLabelTextColour(bar.caption, Skin::CaptionText);
    bar.icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    bar.caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    bar.minButton = textLabel(QStringLiteral("-"), window, QRect(windowWidth - 50, 5, 18, 20),
                              QStringLiteral("最小化"));
    bar.closeButton = textLabel(QStringLiteral("×"), window, QRect(windowWidth - 30, 5, 18, 20),
                                QStringLiteral("关闭"));
    bar.minButton->setCursor(Qt::PointingHandCursor);
    bar.closeButton->setCursor(Qt::PointingHandCursor);
    return bar;
}
