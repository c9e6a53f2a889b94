#include "drill/drill.h"
#include "sheet/cell_number.h"

namespace vantoriku {

Colour gradeColour(double percentage) {
    if (percentage < 30) {
        return kRed;
    }
    if (percentage < 79) {
        return kBlack;
    }
    return kBlue;
}

void Drill::gradeCell(Cell cell) {
    sheet_.setForeground(cell, gradeColour(leadingNumber(sheet_.caption(cell))));
}

} // namespace vantoriku
