#include "font_warm_up.h"

#include <fontconfig/fontconfig.h>

FontWarmUp::FontWarmUp() : thread_([] { FcInit(); }) {}

FontWarmUp::~FontWarmUp() {
    if (thread_.joinable())
        thread_.join();
}

FontWarmUp::Face FontWarmUp::resolve(const QString &family) {
    if (thread_.joinable())
        thread_.join();
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
