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

// What a write touched, in words: "answer 3", "colour era 1 percentage", "enabled evaluate button".
inline std::string named(const Member& m) {
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
    case Kind::Foreground: return word + cells[static_cast<int>(m.cell())];
    case Kind::ButtonEnabled:
    case Kind::ButtonVisible: return word + (m.button() == Button::Score ? "score button" : "evaluate button");
    case Kind::EraChecked: return word + std::to_string(m.era());
    default: return word + std::to_string(m.row());
    }
}

// A drill on a sheet whose writes are logged, so that a test can name all that
// an operation wrote, and so that it wrote nothing else.
class DrillTest : public ::testing::Test {
  protected:
    DrillTest() {
        sheet.addListener([this](const Member& m) { log_.push_back(named(m)); });
    }
    // The writes since the last call in order, a run of rising numbers as one:
    // "answer 1 to 40, caption era 1 score".
    std::string writes() {
        std::string out;
        for (std::size_t first = 0, last = 0; first < log_.size(); first = ++last) {
            while (last + 1 < log_.size() && follows(log_[last], log_[last + 1]))
                ++last;
            out += (out.empty() ? "" : ", ") + log_[first];
            out += last > first ? " to " + log_[last].substr(log_[last].find_first_of("0123456789")) : "";
        }
        log_.clear();
        return out;
    }

    DrillSheet sheet;
    TestBox box;
    Drill drill{sheet, box};

  private:
    // "answer 3" is followed by "answer 4": the same words, then the next number, which ends both.
    static bool follows(const std::string& a, const std::string& b) {
        const std::size_t digits = a.find_first_of("0123456789");
        const auto endsInNumber = [digits](const std::string& s) {
            return digits < s.size() && s.find_first_not_of("0123456789", digits) == std::string::npos;
        };
        return endsInNumber(a) && endsInNumber(b) && a.compare(0, digits, b, 0, digits) == 0 &&
               std::stoi(b.substr(digits)) == std::stoi(a.substr(digits)) + 1;
    }
    std::vector<std::string> log_;
};

} // namespace vantoriku::testing
