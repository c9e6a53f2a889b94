#include "window/placement.h"

#include <algorithm>

namespace vantoriku {
namespace {

// The frame moved as little as it takes to lie inside the area, its top-left
// corner last, so that is what stays in reach when it cannot all fit.
QRect keptInside(QRect frame, const QRect& available) {
    frame.moveRight(std::min(frame.right(), available.right()));
    frame.moveBottom(std::min(frame.bottom(), available.bottom()));
    frame.moveLeft(std::max(frame.left(), available.left()));
    frame.moveTop(std::max(frame.top(), available.top()));
    return frame;
}

} // namespace

QPoint centredFramePosition(QSize frame, const QRect& available) {
    QRect centred({}, frame);
    centred.moveCenter(available.center());
    return keptInside(centred, available).topLeft();
}

QRect besideOrOver(QSize frame, const QRect& mainFrame, const QRect& available) {
    QRect placed({}, frame.boundedTo(available.size()));
    placed.moveTop(mainFrame.top());
    if (available.right() - mainFrame.right() >= placed.width()) {
        placed.moveLeft(mainFrame.right() + 1);
    } else if (mainFrame.left() - available.left() >= placed.width()) {
        placed.moveRight(mainFrame.left() - 1);
    } else {
        placed.moveTopLeft(mainFrame.topLeft());
    }
    return keptInside(placed, available);
}

} // namespace vantoriku
