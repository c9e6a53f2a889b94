#include "drill/drill.h"

namespace vantoriku {

void Drill::clearAnswers() {
    for (int row = 1; row <= kSheetRows; ++row) {
        sheet_.setAnswer(row, {});
    }
}

void Drill::clearForAnotherTry() {
    clearAnswers();
    sheet_.setEnabled(Button::Score, true);
}

} // namespace vantoriku
