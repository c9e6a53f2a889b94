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

// A lettering in which a text stands on one line inside its box with all its
// ink, and how many pixels below the box's top its line then starts.
struct FittedLettering {
    QFont font;
    int drop = 0;
};

// Faces differ in width and height, and the cells are sized for one. The
// text's own lettering where it fits; else the same face moved down a pixel
// or two, narrowed, or made smaller, as little as it takes. A text that no
// near lettering fits keeps its own, to wrap and be cut like any long text.
FittedLettering fitted(const QFont& lettering, const QString& text, QSize box,
                       Qt::Alignment alignment);

// A light dialog palette of the program's own, so that the red, black and
// blue of the score cells, and the colours of the help, stay readable under a
// dark desktop theme.
QPalette lightPalette();

// Makes the program's windows, menus and boxes draw with its own style and
// light palette, whatever style the desktop sets: several desktop styles
// draw with colours of their own and would put dark buttons on the light
// face. Call it before the first window is made.
void useProgramLook();

// An open book with lines on both pages, at 16 and 32 pixels.
QIcon programIcon();

} // namespace vantoriku
