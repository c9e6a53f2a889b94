#pragma once

#include <QRect>

// Where windows open on the screen's available area (the screen less its panels).
namespace vantoriku {

// The top-left corner of a frame of this size, centred on the area; a frame
// larger than the area keeps its top-left corner inside it, so that the title
// bar, the menu bar and the first row stay in reach and what is cut off is
// the right and the bottom.
QPoint centredFramePosition(QSize frame, const QRect& available);

// A second window's frame: the size it asks for, no larger than the area,
// beside the main window's frame on the side with room for it; where neither
// side has that much, narrowed to the roomier side down to `narrowest`
// wide; else over the main window.
QRect besideOrOver(QSize frame, int narrowest, const QRect& mainFrame, const QRect& available);

} // namespace vantoriku
