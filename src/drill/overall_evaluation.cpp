#include "content/question_bank.h"
#include "drill/drill.h"
#include "sheet/cell_number.h"

#include <array>

namespace vantoriku {
namespace {

constexpr std::array<Level, 4> kLevels{{
    {1, "初級", "残念でした"},
    {2, "中級", "なかなか!!"},
    {3, "上級", "すごい!!"},
    {4, "完璧", "すばらしい!!"},
}};

} // namespace

const Level& levelFor(double percentage) {
    // Three separate tests, each of which may overwrite the level: 100 passes
    // the second and the third and ends at the top level.
    int level = 2;
    if (percentage < 30) {
        level = 1;
    }
    if (percentage >= 80) {
        level = 3;
    }
    if (percentage == 100) {
        level = 4;
    }
    return kLevels[static_cast<std::size_t>(level - 1)];
}

std::string levelMessage(const Level& level) {
    std::string text = "あなたのレベルは";
    text += level.name;
    text += "です。";
    text += level.comment;
    return text;
}

void Drill::postTotal() {
    double total = 0.0;
    for (const Cell cell : kScoreCells) {
        total += leadingNumber(sheet_.caption(cell));
    }
    sheet_.setCaption(Cell::Total, doubleText(total));
    const double written = leadingNumber(sheet_.caption(Cell::Total));
    sheet_.setCaption(Cell::TotalPercentage,
                      wholeNumberText(percentageOf(written, kQuestionCount)));
}

void Drill::evaluate() {
    postTotal();
    const Level& level = levelFor(leadingNumber(sheet_.caption(Cell::TotalPercentage)));
    messageBox_.show(levelMessage(level));
    sheet_.setCaption(Cell::Level, std::string(level.name));
    sheet_.setEnabled(Button::Evaluate, false);
}

} // namespace vantoriku
