#include "content/question_bank.h"
#include "drill/drill.h"

namespace vantoriku {

void Drill::clearAnswers() {
    for (int row = 1; row <= kSheetRows; ++row) {
        sheet_.setAnswer(row, {});
    }
}

void Drill::Command3_Click() {
    clearAnswers();
    sheet_.setEnabled(Button::Command1, true);
}

void Drill::muncliaitem_Click() {
    clearAnswers();
}

} // namespace vantoriku
