#pragma once

#include <QFont>
#include <QString>

namespace vantoriku {

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

} // namespace vantoriku
