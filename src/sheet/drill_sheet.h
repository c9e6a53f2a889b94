#pragma once

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

// The single cells of the sheet, valued by the number of the label that shows them.
enum class Cell : int {
    Label41 = 41, // prompt
    Label47 = 47, // era score cells of eras 1, 2, 3, 4
    Label48 = 48,
    Label49 = 49,
    Label54 = 54,
    Label55 = 55, // era percentage cells of eras 1 to 4
    Label56 = 56,
    Label57 = 57,
    Label58 = 58,
    Label64 = 64, // total
    Label66 = 66, // total percentage
    Label69 = 69, // level
};
inline constexpr std::array<Cell, 12> kCells{
    Cell::Label41, Cell::Label47, Cell::Label48, Cell::Label49, Cell::Label54, Cell::Label55,
    Cell::Label56, Cell::Label57, Cell::Label58, Cell::Label64, Cell::Label66, Cell::Label69};
inline constexpr std::array<Cell, 4> kScoreCells{Cell::Label47, Cell::Label48, Cell::Label49,
                                                 Cell::Label54};
inline constexpr std::array<Cell, 5> kPercentageCells{Cell::Label55, Cell::Label56, Cell::Label57,
                                                      Cell::Label58, Cell::Label66};

// The cell whose label has this number, if that label is a cell of the sheet.
std::optional<Cell> cellOfLabel(int labelNumber);
bool isPercentageCell(Cell cell);

// Valued by the number in the button's name, as Member::index reports it.
enum class Button : int { Command1 = 1, Command2 = 2 };

inline constexpr char kPrompt[] = "\u3000最初に時代を選択してください";

// Which member a write touched; `index` is the row (1 to 40), the era (1 to 4),
// or the label number of a cell, or 1 and 2 for Command1 and Command2.
struct Member {
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
    Kind kind;
    int index;
    friend bool operator==(const Member&, const Member&) = default;
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

    void notify(Member::Kind kind, int index) const;
    static std::size_t rowIndex(int row);
    static std::size_t cellIndex(Cell cell);
    static std::size_t percentageIndex(Cell cell);

    std::array<std::string, 40> questionCaptions_{};
    std::array<std::string, 40> answers_{};
    std::array<bool, 40> answerVisible_{};
    std::array<std::string, kCells.size()> captions_{};
    std::array<std::optional<Colour>, kPercentageCells.size()> foregrounds_{};
    std::array<ChangeHandler, kPercentageCells.size()> changeHandlers_{};
    std::array<ButtonState, 2> buttons_{};
    std::array<bool, 4> eraChecked_{};
    std::vector<Listener> listeners_;
};

} // namespace vantoriku
