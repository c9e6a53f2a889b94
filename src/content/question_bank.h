#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace vantoriku {

// One period of the drill, numbered 1 to 4 in the order of the era menu.
struct Era {
    int number;
    std::string_view name;       // as the era menu and the score table show it
    std::string_view firstEvent; // event of row 1; identifies the era on the sheet
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

// The eras in menu order. Here rather than with the questions, so that what
// shows their names (the era menu, the score table's row headings) can be
// made from them at compile time.
inline constexpr std::array<Era, kEraCount> kEras{{
    {1, "奈良から鎌倉", "仏教伝来", 40},
    {2, "室町から江戸", "足利尊氏が室町幕府を開く", 40},
    {3, "明治から昭和", "五箇条の御誓文", 40},
    {4, "昭和から平成", "朝鮮戦争開始", 30},
}};

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
