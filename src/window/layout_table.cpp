#include "window/layout_table.h"

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
    button("Command1", Command::Command1, "採点", 8760, 120, 1455, 1335, kHeading),
    button("Command3", Command::Command3, "クリア", 8760, 1800, 1455, 495),
    LayoutRow{"Label42", L, "得点", 8520, 2520, 1815, 375, C, kHeading, true},
    LayoutRow{"Label43", L, kEras[0].menuCaption, 8280, 3120, 1095, 255},
    cell("Label47", Cell::Label47, 9480, 3120, 375, 255, C, kScore),
    LayoutRow{"Label50", L, "点", 9960, 3120, 255, 255},
    cell("Label55", Cell::Label55, 10200, 3120, 375, 255, R),
    LayoutRow{"Label60", L, "%", 10680, 3120, 135, 255, Left, kNarrow},
    LayoutRow{"Label44", L, kEras[1].menuCaption, 8280, 3480, 1095, 255},
    cell("Label48", Cell::Label48, 9480, 3480, 375, 255, C, kScore),
    LayoutRow{"Label51", L, "点", 9960, 3480, 255, 255},
    cell("Label56", Cell::Label56, 10200, 3480, 375, 255, R),
    LayoutRow{"Label61", L, "%", 10680, 3480, 135, 255, Left, kNarrow},
    LayoutRow{"Label45", L, kEras[2].menuCaption, 8280, 3840, 1095, 255},
    cell("Label49", Cell::Label49, 9480, 3840, 375, 255, C, kScore),
    LayoutRow{"Label52", L, "点", 9960, 3840, 255, 255},
    cell("Label57", Cell::Label57, 10200, 3840, 375, 255, R),
    LayoutRow{"Label62", L, "%", 10680, 3840, 135, 255, Left, kNarrow},
    LayoutRow{"Label46", L, kEras[3].menuCaption, 8280, 4200, 1095, 255},
    cell("Label54", Cell::Label54, 9480, 4200, 375, 255, C, kScore),
    LayoutRow{"Label53", L, "点", 9960, 4200, 255, 255},
    cell("Label58", Cell::Label58, 10200, 4200, 375, 255, R),
    LayoutRow{"Label67", L, "%", 10680, 4320, 255, 255}, // stands lower than its row
    LayoutRow{"Shape1", ControlKind::Rule, "", 8280, 4560, 2535, 15},
    LayoutRow{"Label63", L, "総合", 8280, 4680, 975, 255, C, kTotalHeading},
    cell("Label64", Cell::Label64, 9360, 4680, 615, 255, Left),
    LayoutRow{"Label65", L, "点", 9960, 4680, 255, 255},
    cell("Label66", Cell::Label66, 10200, 4680, 375, 255, R),
    LayoutRow{"Label59", L, "%", 10680, 4680, 135, 255, Left, kNarrow},
    LayoutRow{"Label68", L, "レベル:", 8280, 5160, 735, 375, R, kLevelHeading},
    cell("Label69", Cell::Label69, 9840, 5160, 975, 375, R),
    button("Command2", Command::Command2, "総合評価", 8280, 5640, 2655, 495, kEvaluateButton),
    cell("Label41", Cell::Label41, 3600, 7200, 4215, 375, Left, kPromptFont),
};

// The question caption or the answer field of row n, without its name.
constexpr LayoutRow rowControl(int n, ControlKind kind) {
    const bool firstColumn = n <= 20;
    const int top = 360 * (firstColumn ? n - 1 : n - 21);
    LayoutRow control{"", kind, "", firstColumn ? 0 : 3960, top, firstColumn ? 2655 : 2895, 255};
    if (kind == ControlKind::AnswerField) {
        control = {"", kind, "", firstColumn ? 2760 : 6960, top, firstColumn ? 1095 : 1215, 270};
    } else if (n == 31) {
        control.width = 3015; // reaches under Text31
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
            rows.push_back("Label" + std::to_string(n));
            rows.push_back("Text" + std::to_string(n));
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
    {"munprintitem", "印刷", MenuCommand::Print},
    {"muncliaitem", "クリア", MenuCommand::Clear},
    {"mun", "", MenuCommand::Separator},
    {"munquititem", "終了", MenuCommand::Quit},
}};
// An item for each era, with the era's name and caption.
constexpr std::array<MenuItem, kEraCount> kEraMenu = [] {
    std::array<MenuItem, kEraCount> items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = {kEras[i].menuItem, kEras[i].menuCaption, MenuCommand::SelectEra,
                    kEras[i].number};
    }
    return items;
}();
constexpr std::array<MenuItem, 1> kHelpMenu{{{"mokuji", "目次", MenuCommand::Help}}};
constexpr std::array<Menu, 3> kMenus{{
    {"munfail", "ファイル", kFileMenu},
    {"munjidai", "時代選択", kEraMenu},
    {"help", "ヘルプ", kHelpMenu},
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
