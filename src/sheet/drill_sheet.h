#pragma once

#include "content/question_bank.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantoriku {

// A 24-bit colour in blue-green-red order: 0x0000FF is red.
struct Colour {
    std::uint32_t bgr;
    friend bool operator==(Colour, Colour) = default;
};
inline constexpr Colour kRed{0x0000FF};
inline constexpr Colour kBlack{0x000000};
inline constexpr Colour kBlue{0xFF0000};

inline constexpr int kSheetRows = 40;

// The single cells of the sheet: the prompt and the score table's cells.
enum class Cell {
    Prompt,
    Era1Score,
    Era2Score,
    Era3Score,
    Era4Score,
    Era1Percentage,
    Era2Percentage,
    Era3Percentage,
    Era4Percentage,
    Total,
    TotalPercentage,
    Level,
};
inline constexpr std::array<Cell, 12> kCells{
    Cell::Prompt,         Cell::Era1Score,      Cell::Era2Score,       Cell::Era3Score,
    Cell::Era4Score,      Cell::Era1Percentage, Cell::Era2Percentage,  Cell::Era3Percentage,
    Cell::Era4Percentage, Cell::Total,          Cell::TotalPercentage, Cell::Level};

// Where the score table posts each era: its score cell and its percentage cell, in era order.
struct EraCells {
    Cell score;
    Cell percentage;
};
inline constexpr std::array<EraCells, kEraCount> kEraCells{
    {{Cell::Era1Score, Cell::Era1Percentage},
     {Cell::Era2Score, Cell::Era2Percentage},
     {Cell::Era3Score, Cell::Era3Percentage},
     {Cell::Era4Score, Cell::Era4Percentage}}};
// The cells of era 1 to 4; throws std::out_of_range for any other number.
const EraCells& eraCells(int era);
// The era whose score or percentage cell this is, if it is one.
std::optional<int> eraOfCell(Cell cell);

inline constexpr std::array<Cell, kEraCount> kScoreCells = [] {
    std::array<Cell, kEraCount> cells{};
    for (std::size_t era = 0; era < cells.size(); ++era) {
        cells[era] = kEraCells[era].score;
    }
    return cells;
}();
// The era percentages and the total percentage: the cells that are graded by colour.
inline constexpr std::array<Cell, kEraCount + 1> kPercentageCells = [] {
    std::array<Cell, kEraCount + 1> cells{};
    for (std::size_t era = 0; era < kEraCells.size(); ++era) {
        cells[era] = kEraCells[era].percentage;
    }
    cells.back() = Cell::TotalPercentage;
    return cells;
}();

bool isPercentageCell(Cell cell);

// The two buttons whose flags the drill paces: 採点 and 総合評価.
enum class Button { Score, Evaluate };

inline constexpr char kPrompt[] = "\u3000最初に時代を選択してください";

// Which member a write touched: a row's caption, answer or visibility, a
// cell's caption or colour, a button's flag, or an era's check mark.
class Member {
  public:
    enum class Kind {
        QuestionCaption,
        Answer,
        AnswerVisible,
        Caption,
        Foreground,
        ButtonEnabled,
        ButtonVisible,
        EraChecked,
    };
    static constexpr Member ofRow(Kind kind, int row) { return {kind, row}; }
    static constexpr Member ofCell(Kind kind, Cell cell) { return {kind, static_cast<int>(cell)}; }
    static constexpr Member ofButton(Kind kind, Button button) {
        return {kind, static_cast<int>(button)};
    }
    static constexpr Member ofEra(int era) { return {Kind::EraChecked, era}; }

    [[nodiscard]] constexpr Kind kind() const { return kind_; }
    // Each accessor is for the kinds it names; asked of another kind, it throws std::logic_error.
    [[nodiscard]] int row() const;       // QuestionCaption, Answer, AnswerVisible: 1 to 40
    [[nodiscard]] Cell cell() const;     // Caption, Foreground
    [[nodiscard]] Button button() const; // ButtonEnabled, ButtonVisible
    [[nodiscard]] int era() const;       // EraChecked: 1 to 4

    friend bool operator==(const Member&, const Member&) = default;

  private:
    constexpr Member(Kind kind, int index) : kind_(kind), index_(index) {}
    [[nodiscard]] int checked(std::initializer_list<Kind> kinds) const;

    Kind kind_;
    int index_;
};

// The whole state of the drill: every caption, text, flag and colour that the
// window shows and the operations read and write. Rows and eras count from 1;
// an index out of range throws std::out_of_range.
class DrillSheet {
  public:
    using Listener = std::function<void(const Member&)>;
    using ChangeHandler = std::function<void()>;

    DrillSheet();
    // Listeners and change handlers point into their owners: a copy would call them on the wrong
    // sheet.
    DrillSheet(const DrillSheet&) = delete;
    DrillSheet& operator=(const DrillSheet&) = delete;

    [[nodiscard]] const std::string& questionCaption(int row) const;
    void setQuestionCaption(int row, std::string text);

    [[nodiscard]] const std::string& answer(int row) const;
    void setAnswer(int row, std::string text);
    [[nodiscard]] bool answerVisible(int row) const;
    void setAnswerVisible(int row, bool visible);

    [[nodiscard]] const std::string& caption(Cell cell) const;
    // Writing a percentage cell runs its change handler before returning.
    void setCaption(Cell cell, std::string text);

    // Percentage cells only; none until first set, meaning the default text colour.
    [[nodiscard]] std::optional<Colour> foreground(Cell cell) const;
    void setForeground(Cell cell, Colour colour);

    [[nodiscard]] bool enabled(Button button) const;
    void setEnabled(Button button, bool enabled);
    [[nodiscard]] bool visible(Button button) const;
    void setVisible(Button button, bool visible);

    [[nodiscard]] bool eraChecked(int era) const;
    void setEraChecked(int era, bool checked);

    // Told of every write, after the value is stored.
    void addListener(Listener listener);
    // The change notification of a percentage cell; an empty handler disconnects.
    void setChangeHandler(Cell cell, ChangeHandler handler);

  private:
    struct ButtonState {
        bool enabled;
        bool visible;
    };

    void notify(const Member& member) const;
    static std::size_t rowIndex(int row);
    static std::size_t cellIndex(Cell cell);
    static std::size_t percentageIndex(Cell cell);

    std::array<std::string, kSheetRows> questionCaptions_{};
    std::array<std::string, kSheetRows> answers_{};
    std::array<bool, kSheetRows> answerVisible_{};
    std::array<std::string, kCells.size()> captions_{};
    std::array<std::optional<Colour>, kPercentageCells.size()> foregrounds_{};
    std::array<ChangeHandler, kPercentageCells.size()> changeHandlers_{};
    std::array<ButtonState, 2> buttons_{};
    std::array<bool, kEraCount> eraChecked_{};
    std::vector<Listener> listeners_;
};

} // namespace vantoriku
