#include "drill/drill.h"

namespace vantoriku {

Drill::Drill(DrillSheet& sheet, MessageBox& messageBox) : sheet_(sheet), messageBox_(messageBox) {
    for (const Cell cell : kPercentageCells) {
        sheet_.setChangeHandler(cell, [this, cell] { gradeCell(cell); });
    }
}

Drill::~Drill() {
    for (const Cell cell : kPercentageCells) {
        sheet_.setChangeHandler(cell, {});
    }
}

} // namespace vantoriku
