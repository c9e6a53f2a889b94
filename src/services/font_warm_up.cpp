#include "services/font_warm_up.h"

#include <fontconfig/fontconfig.h>

namespace vantoriku {

FontWarmUp::FontWarmUp() : thread_([] { FcInit(); }) {}

FontWarmUp::~FontWarmUp() {
    finish();
}

void FontWarmUp::finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace vantoriku
