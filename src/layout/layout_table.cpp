#include "layout/layout_table.h"

#include "content/question_bank.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace vantoriku {
namespace {

constexpr Lettering kHeading{24, true, true, true}; // 18 pt bold italic underlined
constexpr Lettering kScore{12, true, false, true};  // 9 pt bold underlined
constexpr Lettering kTotalHeading{16, true};        // 12 pt bold
constexpr Lettering kLevelHeading{13, true};        // 9.75 pt bold
constexpr Lettering kEvaluateButton{21, true};      // 15.75 pt bold
constexpr Lettering kPromptFont{19, true};          // 14.25 pt bold

// The face's "%" is wider than the 9-pixel cells that hold it; drawn a little
// narrower, it stays whole at every scale.
constexpr Lettering kNarrow{.stretch = 85};

constexpr auto L = ControlKind::Label;
constexpr auto B = ControlKind::Button;
constexpr auto C = Alignment::Centre;
constexpr auto R = Alignment::Right;
constexpr auto Left = Alignment::Left;

// A label that shows a cell of the sheet, or a push button with its command.
constexpr LayoutRow cell(std::string_view name, Cell cell, int left, int top, int width, int height,
                         Alignment alignment, Lettering font = {}) {
    LayoutRow row{name, L, "", left, top, width, height, alignment, font};
    row.cell = cell;
    return row;
}
constexpr LayoutRow button(std::string_view name, Command command, std::string_view caption,
                           int left, int top, int width, int height, Lettering font = {}) {
    LayoutRow row{name, B, caption, left, top, width, height, C, font};
    row.command = command;
    return row;
}

constexpr std::array kPanel{
    button("scoreButton", Command::Score, "採点", 8760, 120, 1455, 1335, kHeading),
    button("clearButton", Command::Clear, "クリア", 8760, 1800, 1455, 495),
    LayoutRow{"scoreHeading", L, "得点", 8520, 2520, 1815, 375, C, kHeading, true},
    LayoutRow{"era1Name", L, kEras[0].name, 8280, 3120, 1095, 255},
    cell("era1Score", Cell::Era1Score, 9480, 3120, 375, 255, C, kScore),
    LayoutRow{"era1PointUnit", L, "点", 9960, 3120, 255, 255},
    cell("era1Percentage", Cell::Era1Percentage, 10200, 3120, 375, 255, R),
    LayoutRow{"era1PercentSign", L, "%", 10680, 3120, 135, 255, Left, kNarrow},
    LayoutRow{"era2Name", L, kEras[1].name, 8280, 3480, 1095, 255},
    cell("era2Score", Cell::Era2Score, 9480, 3480, 375, 255, C, kScore),
    LayoutRow{"era2PointUnit", L, "点", 9960, 3480, 255, 255},
    cell("era2Percentage", Cell::Era2Percentage, 10200, 3480, 375, 255, R),
    LayoutRow{"era2PercentSign", L, "%", 10680, 3480, 135, 255, Left, kNarrow},
    LayoutRow{"era3Name", L, kEras[2].name, 8280, 3840, 1095, 255},
    cell("era3Score", Cell::Era3Score, 9480, 3840, 375, 255, C, kScore),
    LayoutRow{"era3PointUnit", L, "点", 9960, 3840, 255, 255},
    cell("era3Percentage", Cell::Era3Percentage, 10200, 3840, 375, 255, R),
    LayoutRow{"era3PercentSign", L, "%", 10680, 3840, 135, 255, Left, kNarrow},
    LayoutRow{"era4Name", L, kEras[3].name, 8280, 4200, 1095, 255},
    cell("era4Score", Cell::Era4Score, 9480, 4200, 375, 255, C, kScore),
    LayoutRow{"era4PointUnit", L, "点", 9960, 4200, 255, 255},
    cell("era4Percentage", Cell::Era4Percentage, 10200, 4200, 375, 255, R),
    LayoutRow{"era4PercentSign", L, "%", 10680, 4320, 255, 255}, // stands lower than its row
    LayoutRow{"rule", ControlKind::Rule, "", 8280, 4560, 2535, 15},
    LayoutRow{"totalHeading", L, "総合", 8280, 4680, 975, 255, C, kTotalHeading},
    cell("total", Cell::Total, 9360, 4680, 615, 255, Left),
    LayoutRow{"totalPointUnit", L, "点", 9960, 4680, 255, 255},
    cell("totalPercentage", Cell::TotalPercentage, 10200, 4680, 375, 255, R),
    LayoutRow{"totalPercentSign", L, "%", 10680, 4680, 135, 255, Left, kNarrow},
    LayoutRow{"levelHeading", L, "レベル:", 8280, 5160, 735, 375, R, kLevelHeading},
    cell("level", Cell::Level, 9840, 5160, 975, 375, R),
    button("evaluateButton", Command::Evaluate, "総合評価", 8280, 5640, 2655, 495, kEvaluateButton),
    cell("prompt", Cell::Prompt, 3600, 7200, 4215, 375, Left, kPromptFont),
};

// The question caption or the answer field of row n, without its name.
constexpr LayoutRow rowControl(int n, ControlKind kind) {
    const bool firstColumn = n <= 20;
    const int top = 360 * (firstColumn ? n - 1 : n - 21);
    LayoutRow control{"", kind, "", firstColumn ? 0 : 3960, top, firstColumn ? 2655 : 2895, 255};
    if (kind == ControlKind::AnswerField) {
        control = {"", kind, "", firstColumn ? 2760 : 6960, top, firstColumn ? 1095 : 1215, 270};
    } else if (n == 31) {
        control.width = 3015; // reaches under the answer of row 31
    } else if (n == 18) {
        control.height = 375; // reaches into row 19
    }
    control.row = n;
    return control;
}

// Caption and field of each row in turn.
constexpr std::size_t kRowControls = 2 * static_cast<std::size_t>(kSheetRows);
constexpr std::array<LayoutRow, kRowControls> kRows = [] {
    std::array<LayoutRow, kRowControls> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] =
            rowControl(static_cast<int>(i / 2) + 1, i % 2 == 0 ? L : ControlKind::AnswerField);
    }
    return rows;
}();
static_assert(std::ranges::all_of(kRows, wholePixels));
static_assert(std::ranges::all_of(kPanel, wholePixels));

std::vector<LayoutRow> makeControls() {
    // Names live as long as the program, so the table can hold views of them.
    static const std::vector<std::string> names = [] {
        std::vector<std::string> rows;
        for (int n = 1; n <= kSheetRows; ++n) {
            rows.push_back("question" + std::to_string(n));
            rows.push_back("answer" + std::to_string(n));
        }
        return rows;
    }();
    std::vector<LayoutRow> controls(kRows.begin(), kRows.end());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        controls[i].name = names[i];
    }
    controls.insert(controls.end(), kPanel.begin(), kPanel.end());
    return controls;
}

constexpr std::array<std::string_view, 10> kFamilies{
    "ＭＳ Ｐゴシック", "MS PGothic",   "IPAPGothic",          "IPAexGothic", "Noto Sans CJK JP",
    "VL PGothic",      "TakaoPGothic", "Droid Sans Fallback", "IPAGothic",   "Noto Sans JP"};

constexpr std::array<MenuItem, 4> kFileMenu{{
    {"printItem", "印刷", MenuCommand::Print},
    {"clearItem", "クリア", MenuCommand::Clear},
    {"fileSeparator", "", MenuCommand::Separator},
    {"quitItem", "終了", MenuCommand::Quit},
}};
// An item for each era, captioned with its name.
constexpr std::array<std::string_view, kEraCount> kEraItemNames{"era1Item", "era2Item", "era3Item",
                                                                "era4Item"};
constexpr std::array<MenuItem, kEraCount> kEraMenu = [] {
    std::array<MenuItem, kEraCount> items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = {kEraItemNames[i], kEras[i].name, MenuCommand::SelectEra, kEras[i].number};
    }
    return items;
}();
constexpr std::array<MenuItem, 1> kHelpMenu{{{"contentsItem", "目次", MenuCommand::Help}}};
constexpr std::array<Menu, 3> kMenus{{
    {"fileMenu", "ファイル", kFileMenu},
    {"eraMenu", "時代選択", kEraMenu},
    {"helpMenu", "ヘルプ", kHelpMenu},
}};

} // namespace

std::span<const LayoutRow> layoutTable() {
    static const std::vector<LayoutRow> controls = makeControls();
    return controls;
}

std::span<const Menu> menuTree() {
    return kMenus;
}

std::span<const std::string_view> windowFontFamilies() {
    return kFamilies;
}

} // namespace vantoriku
