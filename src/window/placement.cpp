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

QRect besideOrOver(QSize frame, int narrowest, const QRect& mainFrame, const QRect& available) {
    QRect placed({}, frame.boundedTo(available.size()));
    placed.moveTop(mainFrame.top());
    const int right = available.right() - mainFrame.right();
    const int left = mainFrame.left() - available.left();
    if (std::max(right, left) < std::min(narrowest, placed.width())) {
        placed.moveTopLeft(mainFrame.topLeft());
    } else if (right >= std::min(left, placed.width())) {
        placed.setWidth(std::min(placed.width(), right));
        placed.moveLeft(mainFrame.right() + 1);
    } else {
        placed.setWidth(std::min(placed.width(), left));
        placed.moveRight(mainFrame.left() - 1);
    }
    return keptInside(placed, available);
}

} // namespace vantoriku
