#pragma once

#include "content/question_bank.h"
#include "drill/drill.h"
#include "sheet/drill_sheet.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantoriku::testing {

// Answers every box at once and remembers what it said. `onShow` runs while
// the box is open, to look at the sheet as the user sees it then.
class RecordingMessageBox : public MessageBox {
  public:
    void show(const std::string& text) override {
        shown.push_back(text);
        if (onShow) {
            onShow();
        }
    }
    std::vector<std::string> shown;
    std::function<void()> onShow;
};

// Every member of the sheet, one per line, for comparing whole states.
inline std::string dump(const DrillSheet& sheet) {
    std::string out;
    for (int row = 1; row <= kSheetRows; ++row) {
        out += "Label" + std::to_string(row) + "=" + sheet.questionCaption(row) + "\n";
        out += "Text" + std::to_string(row) + "=" + sheet.answer(row) +
               (sheet.answerVisible(row) ? "" : " (hidden)") + "\n";
    }
    for (const Cell cell : kCells) {
        out += "Label" + std::to_string(static_cast<int>(cell)) + "=" + sheet.caption(cell);
        if (isPercentageCell(cell)) {
            const auto colour = sheet.foreground(cell);
            out += colour ? " colour " + std::to_string(colour->bgr) : " default colour";
        }
        out += "\n";
    }
    for (const Button b : {Button::Command1, Button::Command2}) {
        out += std::string(b == Button::Command1 ? "Command1" : "Command2") +
               (sheet.enabled(b) ? " enabled" : " disabled") +
               (sheet.visible(b) ? " visible\n" : " hidden\n");
    }
    for (int era = 1; era <= kEraCount; ++era) {
        out += "jidai" + std::to_string(era) + (sheet.eraChecked(era) ? " checked\n" : "\n");
    }
    return out;
}

class DrillTest : public ::testing::Test {
  protected:
    // Types the right year into the first `right` rows of the era on the
    // sheet and `wrong` into the rest.
    void answerEra(int era, int right, const std::string& wrong = "") {
        for (const Question& q : QuestionBank::questionsOf(era)) {
            sheet.setAnswer(q.row, q.row <= right ? std::string(q.year) : wrong);
        }
    }
    void scoreEra(int era, int right) {
        drill.selectEra(era);
        answerEra(era, right);
        drill.Command1_Click();
    }

    DrillSheet sheet;
    RecordingMessageBox box;
    Drill drill{sheet, box};
};

} // namespace vantoriku::testing
