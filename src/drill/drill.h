#pragma once

#include "drill/message_box.h"
#include "sheet/drill_sheet.h"

#include <array>
#include <limits>
#include <string_view>

namespace vantoriku {

inline constexpr char kRightMark[] = "正解";
inline constexpr char kChooseEraMessage[] = "時代を選択してください";

// How a percentage is graded: the colour of its cell and, for those who do not
// see it, the colour's name and the grade in words. Red below 30, black below
// 79, blue from 79 up.
struct Grade {
    double below; // the grade holds percentages under this bound
    Colour colour;
    std::string_view colourName;
    std::string_view words;
};
inline constexpr std::array<Grade, 3> kGrades{{
    {30, kRed, "赤", "30%未満"},
    {79, kBlack, "黒", "30%以上79%未満"},
    {std::numeric_limits<double>::infinity(), kBlue, "青", "79%以上"},
}};
const Grade& gradeOf(double percentage);
// The grade that a cell's colour stands for; none for a colour that is no grade's.
const Grade* gradeWithColour(Colour colour);

struct Level {
    int number;
    std::string_view name;
    std::string_view comment;
};
// The level that the overall evaluation rates a total percentage as.
const Level& levelFor(double percentage);
std::string levelMessage(const Level& level);

// The handlers of the drill, run on a sheet. Each takes what it needs from the
// sheet and the question bank and writes its results back to the sheet; none
// keeps state between runs. Constructing a Drill connects the colouring of the
// five percentage cells to the sheet; destroying it disconnects them.
class Drill {
  public:
    Drill(DrillSheet& sheet, MessageBox& messageBox);
    ~Drill();
    Drill(const Drill&) = delete;
    Drill& operator=(const Drill&) = delete;

    // An era chosen from the era menu: its events on a fresh sheet.
    void selectEra(int era);

    // 採点: marks the era on the sheet and posts its score.
    void score();

    // Colours a percentage cell by its grade; run inside each write of one.
    void gradeCell(Cell cell);

    // 総合評価: the total and its level; a click on the total cell posts the total alone.
    void evaluate();
    void postTotal();

    // Empties the answers: the button クリア also turns scoring on again for
    // another try, the menu item クリア does not.
    void clearForAnotherTry();
    void clearAnswers();

  private:
    DrillSheet& sheet_;
    MessageBox& messageBox_;
};

} // namespace vantoriku
