#include "drill/drill.h"
#include "sheet/cell_number.h"

#include <algorithm>

namespace vantoriku {

const Grade& gradeOf(double percentage) {
    // The last bound is infinite, so every number but NaN has a grade; NaN reads as the top one.
    const auto found = std::ranges::find_if(
        kGrades, [percentage](const Grade& grade) { return percentage < grade.below; });
    return found != kGrades.end() ? *found : kGrades.back();
}

const Grade* gradeWithColour(Colour colour) {
    const auto found = std::ranges::find(kGrades, colour, &Grade::colour);
    return found != kGrades.end() ? &*found : nullptr;
}

void Drill::gradeCell(Cell cell) {
    sheet_.setForeground(cell, gradeOf(leadingNumber(sheet_.caption(cell))).colour);
}

} // namespace vantoriku
