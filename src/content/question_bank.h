#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace vantoriku {

// One period of the drill, numbered 1 to 4 in the order of the era menu.
struct Era {
    int number;
    std::string_view menuItem;    // objectName of the era's menu entry
    std::string_view menuCaption; // text of that entry
    std::string_view firstEvent;  // event of row 1; identifies the era on the sheet
    int rowCount;
};

// One row of one era. All texts are UTF-8 and held character for character.
struct Question {
    int era;
    int row;
    std::string_view event;
    std::string_view year; // the only answer that counts as right
};

inline constexpr int kEraCount = 4;
inline constexpr int kQuestionCount = 150;

class QuestionBank {
  public:
    static std::span<const Era, kEraCount> eras();
    static const Era& era(int number); // 1 to 4; throws std::out_of_range otherwise
    static std::optional<Era> eraByFirstEvent(std::string_view text);

    static std::span<const Question, kQuestionCount> questions();
    static std::span<const Question> questionsOf(int eraNumber);
    static std::optional<Question> question(int eraNumber, int row);
};

} // namespace vantoriku
