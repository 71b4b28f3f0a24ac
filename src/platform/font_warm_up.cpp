#include "font_warm_up.h"

#include <fontconfig/fontconfig.h>

FontWarmUp::FontWarmUp() : thread_([] { FcInit(); }) {}

void FontWarmUp::join() {
    if (thread_.joinable())
        thread_.join();
}

FontWarmUp::~FontWarmUp() {
    join();
}
