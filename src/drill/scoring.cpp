#include "content/question_bank.h"
#include "drill/drill.h"
#include "sheet/cell_number.h"

#include <algorithm>

namespace vantoriku {

void Drill::score() {
    const std::string& firstCaption = sheet_.questionCaption(1);
    if (firstCaption.empty()) {
        messageBox_.show(kChooseEraMessage);
    }
    // The sheet keeps no current era: the first event in row 1 tells it.
    const auto era = QuestionBank::eraByFirstEvent(firstCaption);

    if (era) {
        for (const Question& question : QuestionBank::questionsOf(era->number)) {
            const bool right = sheet_.answer(question.row) == question.year;
            sheet_.setAnswer(question.row,
                             right ? std::string(kRightMark) : std::string(question.year));
        }
    }

    int rightAnswers = 0;
    for (int row = 1; row <= kSheetRows; ++row) {
        if (sheet_.answer(row) == kRightMark) {
            ++rightAnswers;
        }
    }

    if (era) {
        const EraCells& cells = eraCells(era->number);
        sheet_.setCaption(cells.score, wholeNumberText(rightAnswers));
        sheet_.setCaption(cells.percentage,
                          wholeNumberText(percentageOf(rightAnswers, era->rowCount)));
    }

    const bool allScored = std::ranges::none_of(
        kScoreCells, [this](Cell cell) { return sheet_.caption(cell).empty(); });
    if (allScored) {
        sheet_.setEnabled(Button::Evaluate, true);
    }
    sheet_.setEnabled(Button::Score, false);
}

} // namespace vantoriku
