#include "font_warm_up.h"

#include <fontconfig/fontconfig.h>

FontWarmUp::FontWarmUp()
    : thread_([this, family = asked_.get_future()]() mutable {
          FcInit();
          const QString name = family.get();
          if (!name.isNull())
              face_ = lookUp(name);
      }) {}

FontWarmUp::~FontWarmUp() {
    answer();
}

void FontWarmUp::ask(const QString &family) {
    if (askedOnce_)
        return;
    askedOnce_ = true;
    face_.family = family;
    asked_.set_value(family);
}

FontWarmUp::Face FontWarmUp::answer() {
    ask(QString()); // the thread waits for a question
    if (thread_.joinable())
        thread_.join();
    return face_;
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
