#pragma once

#include "layout/layout_table.h"

#include <QFont>

namespace vantoriku {

// The window's faces at a fixed pixel size, bold, italic, underlined or
// narrowed as its lettering asks; a pixel size of 0 is the window's.
QFont fontFor(const Lettering& lettering);

} // namespace vantoriku
