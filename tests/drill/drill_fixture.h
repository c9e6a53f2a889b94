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

// What a write touched, in the window's words: "answer Text3", "caption Label47",
// "colour Label55", "enabled Command2", "checked jidai1".
inline std::string named(const Member& m) {
    using Kind = Member::Kind;
    const auto label = [](Cell cell) { return "Label" + std::to_string(static_cast<int>(cell)); };
    const auto button = [](Button b) { return b == Button::Command1 ? "Command1" : "Command2"; };
    switch (m.kind()) {
    case Kind::QuestionCaption:
        return "question Label" + std::to_string(m.row());
    case Kind::Answer:
        return "answer Text" + std::to_string(m.row());
    case Kind::AnswerVisible:
        return "shown Text" + std::to_string(m.row());
    case Kind::Caption:
        return "caption " + label(m.cell());
    case Kind::Foreground:
        return "colour " + label(m.cell());
    case Kind::ButtonEnabled:
        return std::string("enabled ") + button(m.button());
    case Kind::ButtonVisible:
        return std::string("shown ") + button(m.button());
    case Kind::EraChecked:
        return "checked jidai" + std::to_string(m.era());
    }
    return "?";
}

// A drill on a sheet whose writes are logged, so that a test can name all that
// an operation wrote, and so that it wrote nothing else.
class DrillTest : public ::testing::Test {
  protected:
    DrillTest() {
        sheet.addListener([this](const Member& m) { log_.push_back(named(m)); });
    }
    // The writes since the last call, in order, a run of rising numbers as one:
    // "answer Text1 to Text40, caption Label47".
    std::string writes() {
        std::string out;
        for (std::size_t i = 0; i < log_.size(); ++i) {
            std::size_t last = i;
            while (last + 1 < log_.size() && follows(log_[last], log_[last + 1])) {
                ++last;
            }
            out += (out.empty() ? "" : ", ") + log_[i] + (last > i ? " to " + number(log_[last]) : "");
            i = last;
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
    // "answer Text3" -> "Text3"; a run continues while the word is the same and the number rises by one.
    static std::string number(const std::string& write) { return write.substr(write.find(' ') + 1); }
    static bool follows(const std::string& a, const std::string& b) {
        const auto digits = [](const std::string& s) { return s.find_first_of("0123456789"); };
        return a.substr(0, digits(a)) == b.substr(0, digits(b)) &&
               std::stoi(b.substr(digits(b))) == std::stoi(a.substr(digits(a))) + 1;
    }
    std::vector<std::string> log_;
};

} // namespace vantoriku::testing
