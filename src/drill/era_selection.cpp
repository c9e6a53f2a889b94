#include "content/question_bank.h"
#include "drill/drill.h"

namespace vantoriku {

void Drill::selectEra(int era) {
    const Era& chosen = QuestionBank::era(era);
    for (int row = 1; row <= kSheetRows; ++row) {
        const auto question = QuestionBank::question(era, row);
        sheet_.setQuestionCaption(row, question ? std::string(question->event) : std::string());
    }
    sheet_.setCaption(Cell::Prompt, {});
    // Rows 1 to 30 exist in every era; only the rows past a shorter era hide.
    for (int row = 31; row <= kSheetRows; ++row) {
        sheet_.setAnswerVisible(row, row <= chosen.rowCount);
    }
    clearAnswers();
    for (const Era& each : QuestionBank::eras()) {
        sheet_.setEraChecked(each.number, each.number == era);
    }
    sheet_.setEnabled(Button::Score, true);
}

} // namespace vantoriku
