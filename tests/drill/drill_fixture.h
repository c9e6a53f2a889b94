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

// What a write touched, in words, and the number that ends them, if any: {"answer ", 3},
// {"colour era 1 percentage", 0}, {"enabled evaluate button", 0}.
inline std::pair<std::string, int> named(const Member& m) {
    using Kind = Member::Kind;
    static const char* const kinds[] = {"question ", "answer ",  "shown answer ", "caption ",
                                        "colour ",   "enabled ", "shown ",        "checked era "};
    static const char* const cells[] = {"prompt",           "era 1 score",
                                        "era 2 score",      "era 3 score",
                                        "era 4 score",      "era 1 percentage",
                                        "era 2 percentage", "era 3 percentage",
                                        "era 4 percentage", "total",
                                        "total percentage", "level"};
    const std::string word = kinds[static_cast<int>(m.kind())];
    switch (m.kind()) {
    case Kind::Caption:
    case Kind::Foreground: return {word + cells[static_cast<int>(m.cell())], 0};
    case Kind::ButtonEnabled:
    case Kind::ButtonVisible: return {word + (m.button() == Button::Score ? "score button" : "evaluate button"), 0};
    case Kind::EraChecked: return {word, m.era()};
    default: return {word, m.row()};
    }
}

// A drill on a sheet whose writes are logged, so that a test can name all that
// an operation wrote, and so that it wrote nothing else.
class DrillTest : public ::testing::Test {
  protected:
    // A write that follows one to the same kind of member, numbered one more, extends its run.
    DrillTest() {
        sheet.addListener([this](const Member& m) {
            const auto [words, number] = named(m);
            if (number == 0 || log_.empty() || log_.back().words != words || log_.back().last + 1 != number)
                log_.push_back({words, number, number});
            else
                log_.back().last = number;
        });
    }
    // The writes since the last call in order, a run as one: "answer 1 to 40, caption era 1 score".
    std::string writes() {
        std::string out;
        for (const Run& run : log_) {
            out += (out.empty() ? "" : ", ") + run.words + (run.first ? std::to_string(run.first) : "");
            out += run.last > run.first ? " to " + std::to_string(run.last) : "";
        }
        log_.clear();
        return out;
    }

    DrillSheet sheet;
    TestBox box;
    Drill drill{sheet, box};

  private:
    struct Run {
        std::string words;
        int first, last;
    };
    std::vector<Run> log_;
};

} // namespace vantoriku::testing
