#pragma once

#include <QPalette>

// The program's own look: its light colours and its style, the same on every desktop.
namespace vantoriku {

// A light dialog palette of the program's own, so that the red, black and
// blue of the score cells, and the colours of the help, stay readable under a
// dark desktop theme.
QPalette lightPalette();

// Makes the program's windows, menus and boxes draw with its own style and
// light palette, whatever style the desktop sets: several desktop styles
// draw with colours of their own and would put dark buttons on the light
// face. Call it before the first window is made.
void useProgramLook();

} // namespace vantoriku
