#include "platform/font_warm_up.h"
#include "platform/window_system.h"
#include "ui/cls_button.h"
#include "ui/cls_no_caption_form.h"
#include "ui/pressable_label.h"
#include "ui/skin.h"
#include "ui/wait_seconds.h"
#include "ui/window_region.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRawFont>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <functional>
#include <memory>

namespace {
void sendMouse(QWidget *to, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
               QPoint at) {
    QMouseEvent event(type, QPointF(at), QPointF(to->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

// A window that says when it draws its text (on Paint), or lays it out as a dialog does (on
// Show).
template <typename Base, QEvent::Type When> class SaysWhen : public Base {
public:
    explicit SaysWhen(std::function<void()> step) : step_(std::move(step)) {}

protected:
    bool event(QEvent *event) override {
        if (event->type() == When)
            step_();
        return Base::event(event);
    }

private:
    std::function<void()> step_;
};

struct ShapedButton {
    QWidget window;
    Shape *shape = new Shape(&window);
    QLabel *label = new QLabel(QStringLiteral("搜索"), &window);
    clsButton button;
    ShapedButton() {
        window.resize(300, 200);
        shape->setGeometry(100, 40, 60, 20);
        label->adjustSize();
        button.SetUpByShape(label, shape);
    }
};
} // namespace

class TestChrome : public QObject {
    Q_OBJECT
private slots:
    // The main window sends its map the moment it is shown; where there is no X server
    // (the offscreen platform of the tests and of an install's first run) that does nothing.
    void sendingTheWindowsRequestsNeedsNoXServer() { WindowSystem::SendPendingRequests(); }

    void chineseTextIsDrawnInChineseGlyphs_data() {
        QTest::addColumn<QString>("desktopFont");
        QTest::newRow("the system's") << QString();
        // A desktop font with Chinese glyphs of its own, in their Japanese forms.
        QTest::newRow("a Japanese CJK face") << QStringLiteral("Noto Sans CJK JP");
    }
    void chineseTextIsDrawnInChineseGlyphs() {
        QFETCH(QString, desktopFont);
        const QFont before = QApplication::font();
        if (!desktopFont.isEmpty())
            QApplication::setFont(QFont(desktopFont));
        const QString desktopFamily = QFontInfo(QApplication::font()).family();
        Skin::UseChineseGlyphs(desktopFamily, QFontDatabase::writingSystems(desktopFamily)
                                                  .contains(QFontDatabase::SimplifiedChinese));
        auto faces = [](const QString &text, bool bold) {
            QFont font = QApplication::font();
            font.setBold(bold);
            QTextLayout layout(text, font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            QStringList names;
            for (const QGlyphRun &run : layout.glyphRuns())
                names << run.rawFont().familyName();
            return names;
        };
        const QStringList han = faces(QStringLiteral("播放列表骨直"), false);
        const QStringList bold = faces(QStringLiteral("播放列表骨直"), true);
        const QStringList latin = faces(QStringLiteral("RM MP3"), false);
        QApplication::setFont(before);
        // Han characters from the Simplified Chinese face, not the Japanese one a C or
        // English locale falls back to; Latin ones from the desktop's font.
        QCOMPARE(han, QStringList{QStringLiteral("Noto Sans CJK SC")});
        QCOMPARE(bold, QStringList{QStringLiteral("Noto Sans CJK SC")});
        // (A desktop font with Chinese glyphs gives way to the Chinese face for Latin too.)
        if (!QFontDatabase::writingSystems(desktopFamily)
                 .contains(QFontDatabase::SimplifiedChinese))
            QCOMPARE(latin, QStringList{desktopFamily});
    }

    // The program picks its fonts before Qt loads any: its answer must be Qt's own.
    void theDesktopFontResolvesAsQtResolvesIt_data() {
        QTest::addColumn<QString>("family");
        QTest::newRow("the application's") << QApplication::font().family();
        QTest::newRow("an alias") << QStringLiteral("Sans Serif");
        QTest::newRow("a Latin face") << QStringLiteral("DejaVu Sans");
        QTest::newRow("a CJK face") << QStringLiteral("Noto Sans CJK JP");
    }
    void theDesktopFontResolvesAsQtResolvesIt() {
        QFETCH(QString, family);
        FontWarmUp fonts(family, {});
        const FontWarmUp::Face face = fonts.answer();
        const QString qtFamily = QFontInfo(QFont(family)).family();
        QCOMPARE(face.family, qtFamily);
        QCOMPARE(face.hasHan, QFontDatabase::writingSystems(qtFamily).contains(
                                  QFontDatabase::SimplifiedChinese));
    }

    // The lookup starts after the main window is shown, and its answer is in use before any
    // text is drawn: in the first window painted, or in a dialog that comes first.
    void theDesktopFontIsInUseBeforeTheFirstText_data() {
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<bool>("started");
        QTest::newRow("a window, the lookup under way") << false << true;
        QTest::newRow("a window, the lookup not yet started") << false << false;
        QTest::newRow("a dialog") << true << false;
    }
    void theDesktopFontIsInUseBeforeTheFirstText() {
        QFETCH(bool, dialog);
        QFETCH(bool, started);
        const QFont before = QApplication::font();
        const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
        int uses = 0;
        FontWarmUp fonts(QStringLiteral("Noto Sans CJK SC"), [&](const FontWarmUp::Face &face) {
            ++uses;
            QFont font = QApplication::font();
            font.setFamilies({face.family});
            QApplication::setFont(font);
        });
        if (started)
            fonts.start();
        // The font that a window and a dialog have when they first draw or lay out their text.
        std::unique_ptr<QWidget> shown;
        QStringList familiesAtFirstText;
        auto firstText = [&] {
            if (familiesAtFirstText.isEmpty())
                familiesAtFirstText = shown->font().families();
        };
        if (dialog) {
            auto box = std::make_unique<SaysWhen<QDialog, QEvent::Show>>(firstText);
            box->setModal(false);
            shown = std::move(box);
        } else {
            shown = std::make_unique<SaysWhen<QWidget, QEvent::Paint>>(firstText);
        }
        shown->resize(120, 60);
        shown->show();
        QTRY_VERIFY(!familiesAtFirstText.isEmpty());
        QCOMPARE(familiesAtFirstText, QStringList{QStringLiteral("Noto Sans CJK SC")});
        // Once only: a second window does not look again.
        SaysWhen<QWidget, QEvent::Paint> second([] {});
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        fonts.apply();
        QCOMPARE(uses, 1);
    }

    // The program may end before it looks up anything (another copy is running) or while
    // the lookup runs; a second answer is the first one.
    void theFontWarmUpEndsWhetherStartedOrNot() {
        { FontWarmUp never(QStringLiteral("DejaVu Sans"), {}); }
        {
            FontWarmUp running(QStringLiteral("DejaVu Sans"), {});
            running.start();
        }
        FontWarmUp fonts(QStringLiteral("Noto Sans CJK SC"), {});
        const FontWarmUp::Face face = fonts.answer();
        QCOMPARE(face.family, QStringLiteral("Noto Sans CJK SC"));
        QVERIFY(face.hasHan);
        fonts.start();
        QCOMPARE(fonts.answer().family, face.family);
    }

    void theCaptionCoversItsShapeWithItsTextCentred() {
        ShapedButton b;
        QCOMPARE(b.label->geometry(), b.shape->geometry());
        QCOMPARE(b.label->alignment(), Qt::AlignCenter);
        // The caption is above its shape, so the whole button takes the mouse.
        QCOMPARE(b.window.childAt(b.shape->geometry().topLeft() + QPoint(1, 1)), b.label);
    }

    void shapedButtonLooksAndClicks() {
        ShapedButton b;
        QCOMPARE(b.shape->borderColor(), QColor(128, 128, 128));
        QCOMPARE(b.shape->backColor(), QColor(255, 255, 255));
        QSignalSpy clicks(&b.button, &clsButton::Click);
        sendMouse(b.label, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {2, 2});
        QCOMPARE(b.shape->borderColor(), QColor(0, 0, 0));
        QCOMPARE(LabelTextColour(b.label), QColor(0, 0, 255));
        QCOMPARE(clicks.count(), 0);
        // Released after the pointer left the caption: still a click.
        sendMouse(b.label, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {90, 90});
        QCOMPARE(b.shape->borderColor(), QColor(128, 128, 128));
        QCOMPARE(LabelTextColour(b.label), QColor(0, 0, 0));
        QCOMPARE(clicks.count(), 1);
    }

    void otherMouseButtonsDoNothing_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void otherMouseButtonsDoNothing() {
        QFETCH(Qt::MouseButton, button);
        ShapedButton b;
        QSignalSpy clicks(&b.button, &clsButton::Click);
        sendMouse(b.label, QEvent::MouseButtonPress, button, button, {2, 2});
        QCOMPARE(b.shape->borderColor(), QColor(128, 128, 128));
        sendMouse(b.label, QEvent::MouseButtonRelease, button, Qt::NoButton, {2, 2});
        QCOMPARE(clicks.count(), 0);
    }

    void aDisabledButtonNeitherPressesNorClicks() {
        ShapedButton b;
        b.button.setEnabled(false);
        QVERIFY(!b.button.Enabled());
        QSignalSpy clicks(&b.button, &clsButton::Click);
        sendMouse(b.label, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {2, 2});
        QCOMPARE(b.shape->borderColor(), QColor(128, 128, 128));
        sendMouse(b.label, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {2, 2});
        QCOMPARE(clicks.count(), 0);
    }

    void aClickThatDisablesTheButtonLeavesTheNormalLook() {
        ShapedButton b;
        QObject::connect(&b.button, &clsButton::Click, [&] { b.button.setEnabled(false); });
        sendMouse(b.label, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {2, 2});
        sendMouse(b.label, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {2, 2});
        QVERIFY(!b.label->isEnabled());
        QCOMPARE(LabelTextColour(b.label), QColor(0, 0, 0));
        QCOMPARE(b.shape->borderColor(), QColor(128, 128, 128));
    }

    void bareCaptionLooksAndClicks() {
        QWidget window;
        auto *glyph = new QLabel(QStringLiteral("×"), &window);
        clsButton button;
        button.SetUpNoShape(glyph);
        QCOMPARE(LabelTextColour(glyph), QColor(128, 0, 0));
        QVERIFY(glyph->font().bold());
        QCOMPARE(glyph->font().pointSize(), 10);
        QSignalSpy clicks(&button, &clsButton::Click);
        sendMouse(glyph, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {1, 1});
        QCOMPARE(LabelTextColour(glyph), QColor(192, 192, 192));
        sendMouse(glyph, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {1, 1});
        QCOMPARE(LabelTextColour(glyph), QColor(128, 0, 0));
        QCOMPARE(clicks.count(), 1);
    }

    // A caption that works as a button is reached with Tab from its window's first show; it is
    // not laid out as a text document before it first takes the focus, which would load the
    // fonts on the way to the window's map.
    void aPressableCaptionTakesTheFocusOnceShown_data() {
        QTest::addColumn<bool>("madeBeforeShow");
        QTest::newRow("made before its window is shown") << true;
        QTest::newRow("made once its window is on the screen") << false;
    }
    void aPressableCaptionTakesTheFocusOnceShown() {
        QFETCH(bool, madeBeforeShow);
        QWidget window;
        // Made first, put after "before" in the keyboard's order.
        auto *caption = new QLabel(QStringLiteral("帮助"), &window);
        auto *before = new QPushButton(QStringLiteral("before"), &window);
        new QPushButton(QStringLiteral("after"), &window);
        caption->setGeometry(0, 40, 60, 20);
        int presses = 0;
        const auto make = [&] {
            PressableLabel::Make(caption, [&presses] { ++presses; });
            QWidget::setTabOrder(before, caption);
        };
        const auto documents = [caption] {
            int n = 0;
            for (const QObject *child : caption->children())
                n += QByteArray(child->metaObject()->className()) == "QWidgetTextControl";
            return n;
        };
        if (madeBeforeShow)
            make();
        window.show();
        if (!madeBeforeShow)
            make();
        QVERIFY(caption->focusPolicy() & Qt::TabFocus);
        QCOMPARE(documents(), 0);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), caption);
        QTest::keyClick(caption, Qt::Key_Space);
        QCOMPARE(presses, 1);
    }

    void dragMovesTheWindowWithThePointer_data() {
        QTest::addColumn<Qt::MouseButton>("pressed");
        QTest::addColumn<Qt::MouseButtons>("held");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("left") << Qt::LeftButton << Qt::MouseButtons(Qt::LeftButton)
                              << QPoint(202, 104);
        QTest::newRow("right") << Qt::RightButton << Qt::MouseButtons(Qt::RightButton)
                               << QPoint(200, 100);
        QTest::newRow("left and right")
            << Qt::LeftButton << (Qt::LeftButton | Qt::RightButton) << QPoint(200, 100);
    }
    void dragMovesTheWindowWithThePointer() {
        QFETCH(Qt::MouseButton, pressed);
        QFETCH(Qt::MouseButtons, held);
        QFETCH(QPoint, moved);
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(200, 100, 300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        clsNoCaptionForm drag;
        drag.setName(&window);
        sendMouse(&window, QEvent::MouseButtonPress, pressed, pressed, {10, 5});
        sendMouse(&window, QEvent::MouseMove, Qt::NoButton, held, {12, 9});
        QCOMPARE(window.pos(), moved);
    }

    void pressingAControlDoesNotDrag() {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(200, 100, 300, 200);
        auto *control = new QPushButton(QStringLiteral("按钮"), &window);
        control->setGeometry(0, 0, 100, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        clsNoCaptionForm drag;
        drag.setName(&window);
        sendMouse(&window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {10, 5});
        sendMouse(&window, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {40, 25});
        QCOMPARE(window.pos(), QPoint(200, 100));
    }

    void roundRegion_data() {
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QSize>("inner");
        QTest::addColumn<RoundRegion>("region");
        QTest::newRow("borderless 450 × 486")
            << QSize(450, 486) << QSize(450, 486) << RoundRegion{1, 1, 450, 486, 36};
        QTest::newRow("4-pixel frame, 19-pixel caption")
            << QSize(458, 509) << QSize(450, 486) << RoundRegion{5, 20, 454, 505, 36};
    }
    void roundRegion() {
        QFETCH(QSize, outer);
        QFETCH(QSize, inner);
        QFETCH(RoundRegion, region);
        QCOMPARE(RoundRegionFor(outer.width(), outer.height(), inner.width(), inner.height(), 36),
                 region);
    }

    void roundRegionClipsTheWindow() {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.resize(450, 486);
        SetWindowRoundRegion(&window, 36);
        const QRegion mask = window.mask();
        QVERIFY(mask.contains(QPoint(225, 243)));
        QVERIFY(mask.contains(QPoint(225, 1)));
        QVERIFY(!mask.contains(QPoint(225, 0))); // the top row is cut away
        QVERIFY(!mask.contains(QPoint(0, 243))); // and the left column
        QVERIFY(!mask.contains(QPoint(2, 2)));   // corners are round
        QVERIFY(!mask.contains(QPoint(448, 484)));
        QVERIFY(!mask.contains(QPoint(450, 243)));
    }

    void waitSecondsEndsOnTheNextWholeSecond_data() {
        QTest::addColumn<double>("clock");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<double>("wait");
        QTest::newRow("100.4 + 1") << 100.4 << 1 << 0.6;
        QTest::newRow("100.6 + 1") << 100.6 << 1 << 1.4;
        QTest::newRow("half to even") << 100.5 << 1 << 1.5;
        QTest::newRow("across midnight") << 86399.7 << 1 << 1.3;
        QTest::newRow("zero") << 10.2 << 0 << 0.0;
    }
    void waitSecondsEndsOnTheNextWholeSecond() {
        QFETCH(double, clock);
        QFETCH(int, seconds);
        QFETCH(double, wait);
        QVERIFY(qAbs(WaitSecondsDuration(clock, seconds) - wait) < 1e-6);
    }

    void waitSecondsKeepsEventsFlowing() {
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(50);
        QElapsedTimer clock;
        clock.start();
        WaitSeconds(1);
        QVERIFY(clock.elapsed() >= 400);
        QVERIFY(ticks >= 4);
    }
};

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
