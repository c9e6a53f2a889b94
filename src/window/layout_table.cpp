#include "window/layout_table.h"

#include "sheet/drill_sheet.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace vantoriku {
namespace {

constexpr FontSpec kHeading{24, true, true, true}; // 18 pt bold italic underlined
constexpr FontSpec kScore{12, true, false, true};  // 9 pt bold underlined
constexpr FontSpec kTotalHeading{16, true};        // 12 pt bold
constexpr FontSpec kLevelHeading{13, true};        // 9.75 pt bold
constexpr FontSpec kEvaluateButton{21, true};      // 15.75 pt bold
constexpr FontSpec kPromptFont{19, true};          // 14.25 pt bold

constexpr auto L = ControlKind::Label;
constexpr auto B = ControlKind::Button;
constexpr auto C = Alignment::Centre;
constexpr auto R = Alignment::Right;
constexpr auto Left = Alignment::Left;

constexpr std::array kPanel{
    ControlSpec{"Command1", B, "採点", 8760, 120, 1455, 1335, C, kHeading},
    ControlSpec{"Command3", B, "クリア", 8760, 1800, 1455, 495, C},
    ControlSpec{"Label42", L, "得点", 8520, 2520, 1815, 375, C, kHeading, true},
    ControlSpec{"Label43", L, "奈良から鎌倉", 8280, 3120, 1095, 255},
    ControlSpec{"Label47", L, "", 9480, 3120, 375, 255, C, kScore},
    ControlSpec{"Label50", L, "点", 9960, 3120, 255, 255},
    ControlSpec{"Label55", L, "", 10200, 3120, 375, 255, R},
    ControlSpec{"Label60", L, "%", 10680, 3120, 135, 255},
    ControlSpec{"Label44", L, "室町から江戸", 8280, 3480, 1095, 255},
    ControlSpec{"Label48", L, "", 9480, 3480, 375, 255, C, kScore},
    ControlSpec{"Label51", L, "点", 9960, 3480, 255, 255},
    ControlSpec{"Label56", L, "", 10200, 3480, 375, 255, R},
    ControlSpec{"Label61", L, "%", 10680, 3480, 135, 255},
    ControlSpec{"Label45", L, "明治から昭和", 8280, 3840, 1095, 255},
    ControlSpec{"Label49", L, "", 9480, 3840, 375, 255, C, kScore},
    ControlSpec{"Label52", L, "点", 9960, 3840, 255, 255},
    ControlSpec{"Label57", L, "", 10200, 3840, 375, 255, R},
    ControlSpec{"Label62", L, "%", 10680, 3840, 135, 255},
    ControlSpec{"Label46", L, "昭和から平成", 8280, 4200, 1095, 255},
    ControlSpec{"Label54", L, "", 9480, 4200, 375, 255, C, kScore},
    ControlSpec{"Label53", L, "点", 9960, 4200, 255, 255},
    ControlSpec{"Label58", L, "", 10200, 4200, 375, 255, R},
    ControlSpec{"Label67", L, "%", 10680, 4320, 255, 255}, // stands lower than its row
    ControlSpec{"Shape1", ControlKind::Rule, "", 8280, 4560, 2535, 15},
    ControlSpec{"Label63", L, "総合", 8280, 4680, 975, 255, C, kTotalHeading},
    ControlSpec{"Label64", L, "", 9360, 4680, 615, 255, Left},
    ControlSpec{"Label65", L, "点", 9960, 4680, 255, 255},
    ControlSpec{"Label66", L, "", 10200, 4680, 375, 255, R},
    ControlSpec{"Label59", L, "%", 10680, 4680, 135, 255},
    ControlSpec{"Label68", L, "レベル:", 8280, 5160, 735, 375, R, kLevelHeading},
    ControlSpec{"Label69", L, "", 9840, 5160, 975, 375, R},
    ControlSpec{"Command2", B, "総合評価", 8280, 5640, 2655, 495, C, kEvaluateButton},
    ControlSpec{"Label41", L, kPrompt, 3600, 7200, 4215, 375, Left, kPromptFont},
};

// The question caption or the answer field of row n, without its name.
constexpr ControlSpec rowControl(int n, ControlKind kind) {
    const bool firstColumn = n <= 20;
    const int top = 360 * (firstColumn ? n - 1 : n - 21);
    if (kind == ControlKind::AnswerField) {
        return {"", kind, "", firstColumn ? 2760 : 6960, top, firstColumn ? 1095 : 1215, 270};
    }
    // Label31 reaches under Text31, Label18 into row 19.
    const int width = n == 31 ? 3015 : firstColumn ? 2655 : 2895;
    return {"", kind, "", firstColumn ? 0 : 3960, top, width, n == 18 ? 375 : 255};
}

// Caption and field of each row in turn.
constexpr std::array<ControlSpec, 80> kRows = [] {
    std::array<ControlSpec, 80> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] =
            rowControl(static_cast<int>(i / 2) + 1, i % 2 == 0 ? L : ControlKind::AnswerField);
    }
    return rows;
}();
static_assert(std::ranges::all_of(kRows, wholePixels));
static_assert(std::ranges::all_of(kPanel, wholePixels));

std::vector<ControlSpec> makeControls() {
    // Names live as long as the program, so the table can hold views of them.
    static const std::vector<std::string> names = [] {
        std::vector<std::string> rows;
        for (int n = 1; n <= 40; ++n) {
            rows.push_back("Label" + std::to_string(n));
            rows.push_back("Text" + std::to_string(n));
        }
        return rows;
    }();
    std::vector<ControlSpec> controls(kRows.begin(), kRows.end());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        controls[i].name = names[i];
    }
    controls.insert(controls.end(), kPanel.begin(), kPanel.end());
    return controls;
}

constexpr std::array<std::string_view, 10> kFamilies{
    "ＭＳ Ｐゴシック", "MS PGothic",   "IPAPGothic",          "IPAexGothic", "Noto Sans CJK JP",
    "VL PGothic",      "TakaoPGothic", "Droid Sans Fallback", "IPAGothic",   "Noto Sans JP"};

} // namespace

std::span<const ControlSpec> layoutTable() {
    static const std::vector<ControlSpec> controls = makeControls();
    return controls;
}

std::span<const std::string_view> windowFontFamilies() {
    return kFamilies;
}

} // namespace vantoriku
