#include "drill/drill.h"

namespace vantoriku {

Drill::Drill(DrillSheet& sheet, MessageBox& messageBox) : sheet_(sheet), messageBox_(messageBox) {
    sheet_.setChangeHandler(Cell::Label55, [this] { Label55_Change(); });
    sheet_.setChangeHandler(Cell::Label56, [this] { Label56_Change(); });
    sheet_.setChangeHandler(Cell::Label57, [this] { Label57_Change(); });
    sheet_.setChangeHandler(Cell::Label58, [this] { Label58_Change(); });
    sheet_.setChangeHandler(Cell::Label66, [this] { Label66_Change(); });
}

Drill::~Drill() {
    for (const Cell cell : kPercentageCells) {
        sheet_.setChangeHandler(cell, {});
    }
}

} // namespace vantoriku
