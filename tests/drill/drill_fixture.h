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

// What a write touched, in the window's words: "answer Text3", "colour Label55", "enabled Command2".
inline std::string named(const Member& m) {
    using Kind = Member::Kind;
    static const char* const words[] = {"question Label", "answer Text", "shown Text", "caption Label",
                                        "colour Label",   "enabled ",    "shown ",     "checked jidai"};
    const std::string word = words[static_cast<int>(m.kind())];
    switch (m.kind()) {
    case Kind::Caption:
    case Kind::Foreground: return word + std::to_string(static_cast<int>(m.cell()));
    case Kind::ButtonEnabled:
    case Kind::ButtonVisible: return word + (m.button() == Button::Command1 ? "Command1" : "Command2");
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
    // "answer Text1 to Text40, caption Label47".
    std::string writes() {
        std::string out;
        for (std::size_t first = 0, last = 0; first < log_.size(); first = ++last) {
            while (last + 1 < log_.size() && follows(log_[last], log_[last + 1]))
                ++last;
            out += (out.empty() ? "" : ", ") + log_[first];
            out += last > first ? " to " + log_[last].substr(log_[last].find(' ') + 1) : "";
        }
        log_.clear();
        return out;
    }

    DrillSheet sheet;
    TestBox box;
    Drill drill{sheet, box};

  private:
    // "answer Text3" is followed by "answer Text4": the same words, the next number.
    static bool follows(const std::string& a, const std::string& b) {
        const std::size_t digits = a.find_first_of("0123456789");
        return digits == b.find_first_of("0123456789") && a.compare(0, digits, b, 0, digits) == 0 &&
               std::stoi(b.substr(digits)) == std::stoi(a.substr(digits)) + 1;
    }
    std::vector<std::string> log_;
};

} // namespace vantoriku::testing
