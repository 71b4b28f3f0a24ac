#include "font_warm_up.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QWindow>
#include <fontconfig/fontconfig.h>

FontWarmUp::FontWarmUp(const QString &family, Use use)
    : asked_(family), use_(std::move(use)), face_{family, false} {
    QCoreApplication::instance()->installEventFilter(this);
}

FontWarmUp::~FontWarmUp() {
    if (thread_.joinable())
        thread_.join();
}

void FontWarmUp::start() {
    if (started_)
        return;
    started_ = true;
    thread_ = std::thread([this] {
        FcInit();
        face_ = lookUp(asked_);
    });
}

FontWarmUp::Face FontWarmUp::answer() {
    start();
    if (thread_.joinable())
        thread_.join();
    return face_;
}

void FontWarmUp::apply() {
    if (applied_)
        return;
    applied_ = true;
    QCoreApplication::instance()->removeEventFilter(this);
    const Face face = answer();
    if (use_)
        use_(face);
    // A change of the application's font reaches the widgets by posted events; delivered now,
    // the window being exposed paints in the new font.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationFontChange);
}

bool FontWarmUp::eventFilter(QObject *watched, QEvent *event) {
    // A window is painted once exposed; a dialog lays out its text as it shows.
    if ((event->type() == QEvent::Expose && watched->isWindowType() &&
         static_cast<QWindow *>(watched)->isExposed()) ||
        (event->type() == QEvent::Show && qobject_cast<QDialog *>(watched)))
        apply();
    return false;
}

FontWarmUp::Face FontWarmUp::lookUp(const QString &family) {
    Face face{family, false};
    FcPattern *pattern = FcPatternCreate();
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern *match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8 *found = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch && found)
            face.family = QString::fromUtf8(reinterpret_cast<const char *>(found));
        FcLangSet *langs = nullptr;
        // As Qt counts a face's writing systems: by the languages it declares.
        if (FcPatternGetLangSet(match, FC_LANG, 0, &langs) == FcResultMatch && langs)
            face.hasHan = FcLangSetHasLang(langs, reinterpret_cast<const FcChar8 *>("zh-cn")) !=
                          FcLangDifferentLang;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return face;
}
