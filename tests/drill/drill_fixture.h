#pragma once

#include "content/question_bank.h"
#include "drill/drill.h"

#include <functional>
#include <gtest/gtest.h>

namespace vantoriku::testing {

// A box that the test answers at once, looking at the sheet while it is "open".
struct TestBox : MessageBox {
    void show(const std::string& text) override { onShow(text); }
    std::function<void(const std::string&)> onShow = [](const std::string&) {};
};

// A drill on a sheet whose writes are logged, so that a test can name all that
// an operation wrote, and so that it wrote nothing else.
class DrillTest : public ::testing::Test {
  protected:
    DrillTest() {
        sheet.addListener([this](const Member& m) { log_.push_back(m); });
    }
    // The writes since the last call as kind:index, a run over rising indices as
    // one: "1:1-40 3:55". Kinds: 0 question caption, 1 answer, 2 answer shown,
    // 3 caption, 4 colour, 5 button enabled, 6 button shown, 7 era checked.
    std::string writes() {
        std::string out;
        for (std::size_t i = 0, j = 0; i < log_.size(); i = ++j) {
            while (j + 1 < log_.size() && log_[j + 1].kind == log_[i].kind && log_[j + 1].index == log_[j].index + 1) {
                ++j;
            }
            out += (i == 0 ? "" : " ") + std::to_string(static_cast<int>(log_[i].kind)) + ":" +
                   std::to_string(log_[i].index) + (j > i ? "-" + std::to_string(log_[j].index) : "");
        }
        log_.clear();
        return out;
    }
    // The right year in the era's first `right` rows, `wrong` in the others.
    void answer(int era, int right, const std::string& wrong = "") {
        for (const Question& q : QuestionBank::questionsOf(era)) {
            sheet.setAnswer(q.row, q.row <= right ? std::string(q.year) : wrong);
        }
    }

    DrillSheet sheet;
    TestBox box;
    Drill drill{sheet, box};

  private:
    std::vector<Member> log_;
};

} // namespace vantoriku::testing
