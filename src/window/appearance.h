#pragma once

#include "window/layout_table.h"

#include <QFont>
#include <QIcon>
#include <QPalette>

// How the program's windows look: their faces, their light colours, their icon.
namespace vantoriku {

// The window's faces at a fixed pixel size, bold, italic, underlined or
// narrowed as its lettering asks; a pixel size of 0 is the window's.
QFont fontFor(const Lettering& lettering);

// A light dialog palette of the program's own, so that the red, black and
// blue of the score cells, and the colours of the help, stay readable under a
// dark desktop theme.
QPalette lightPalette();

// An open book with lines on both pages, at 16 and 32 pixels.
QIcon programIcon();

} // namespace vantoriku
