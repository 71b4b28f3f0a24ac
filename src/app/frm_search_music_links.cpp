// The main window's link bar, the music library it opens and the singer names of the keyword
// box.
#include "frm_search_music.h"

#include "extra_windows.h"
#include "lists/music_library.h"
#include "platform/dialogs.h"
#include "session.h"
#include "ui/cls_button.h"
#include "ui/information.h"
#include "ui/pressable_label.h"
#include "ui/skin.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int LinkHeight = 16;
constexpr int SeparatorWidth = 10;
const QColor LinkText = Qt::black;
const QColor PressedLinkText{0, 0, 255};

struct Link {
    const char16_t *caption;
    int width; // from the design: no text is measured before the window is on the screen
};
constexpr Link Links[7] = {{u"歌库", 28},  {u"电视", 28}, {u"电影", 28}, {u"MTV", 30},
                           {u"Flash", 34}, {u"帮助", 28}, {u"关于", 28}};

// Passes a left press and its release on a link to the window's handlers; the release
// comes to the pressed link wherever the pointer is.
class LinkInput : public QObject {
public:
    LinkInput(QLabel *label, int index, frmSearchMusic *window)
        : QObject(label), index_(index), window_(window) {
        label->installEventFilter(this);
        // The keyboard and a screen reader press it as the mouse does.
        PressableLabel::Make(label, [index, window] {
            window->Label2_MouseDown(index);
            window->Label2_MouseUp(index);
        });
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonRelease)
            return false;
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        if (event->type() == QEvent::MouseButtonPress)
            window_->Label2_MouseDown(index_);
        else
            window_->Label2_MouseUp(index_);
        return true;
    }

private:
    int index_;
    frmSearchMusic *window_;
};

} // namespace

void frmSearchMusic::buildLinkBar(int top) {
    Shape5 = new Shape(this);
    Shape5->setBorderColor(PressedLinkText);
    Shape5->hide();
    int left = 12;
    for (int i = 0; i < 7; ++i) {
        if (i > 0) {
            Label1[i - 1] = new QLabel(QStringLiteral("|"), this);
            Label1[i - 1]->setGeometry(left, top, SeparatorWidth, LinkHeight);
            Label1[i - 1]->setAlignment(Qt::AlignCenter);
            SetLabelTextColour(Label1[i - 1], Skin::HeadingText);
            left += SeparatorWidth;
        }
        QLabel *link = new QLabel(QString::fromUtf16(Links[i].caption), this);
        link->setTextFormat(Qt::PlainText);
        link->setAlignment(Qt::AlignCenter);
        link->setGeometry(left, top, Links[i].width, LinkHeight);
        link->setCursor(Qt::PointingHandCursor);
        SetLabelTextColour(link, LinkText);
        new LinkInput(link, i, this);
        Label2[i] = link;
        left += Links[i].width;
    }
    Shape5->raise();
    Shape5->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void frmSearchMusic::Label2_MouseDown(int index) {
    QLabel *link = Label2.at(index);
    SetLabelTextColour(link, PressedLinkText);
    Shape5->setGeometry(link->geometry());
    Shape5->show();
}

void frmSearchMusic::Label2_MouseUp(int index) {
    SetLabelTextColour(Label2.at(index), LinkText);
    Shape5->hide();
    switch (index) {
    case 0:
        extraWindows_.ShowMusicLibrary();
        break;
    case 1:
        extraWindows_.ShowNetTv();
        break;
    case 2:
        extraWindows_.ShowNetMovie();
        break;
    case 3:
        extraWindows_.ShowNetMtv();
        break;
    case 4:
        extraWindows_.ShowNetFlash();
        break;
    case 5:
        session_.dialogs().message(Information::UsageText(), Dialogs::Icon::Information);
        break;
    default:
        Information::ShowAboutBox(this, session_);
        break;
    }
}

void frmSearchMusic::LoadSingerList() {
    // Read in its place in the load sequence; the keyword box takes the names once the
    // window is on the screen (makeKeywordBoxEditable): a combo box with items measures their
    // text when first shown, which would load every font before the window maps, and the
    // list cannot be opened before then anyway.
    singerNames_ = MusicLibrary::LoadSingerList(session_.appFolder());
}
