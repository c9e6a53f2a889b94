#pragma once

#include "sheet/drill_sheet.h"

#include <QString>

class QObject;

// What assistive tools are told beyond the captions that the screen shows:
// what each cell of the score table is, the grade that a colour stands for,
// and the result of a scoring run in one line.
namespace vantoriku {

// "奈良から鎌倉 得点", "総合 正答率", "レベル"; empty for the prompt.
QString cellName(Cell cell);

// The cell's name with the colour it shows and the grade that colour stands
// for: "奈良から鎌倉 正答率、赤、30%未満".
QString gradedCellName(Cell cell, Colour colour);

// A row of the score table as one line, for those who do not see the table:
// "奈良から鎌倉、40問中2問正解、正答率5%、赤、30%未満".
QString eraResult(const DrillSheet& sheet, int era);

// The total's row in the same words, with the level once it is rated:
// "総合、150問中60問正解、正答率40%、黒、30%以上79%未満、レベルは中級".
QString totalResult(const DrillSheet& sheet);

// Has screen readers speak the text at once, after what they are saying
// (Qt 6.8 on; with Qt 6.4 nothing is sent, and descriptions alone tell).
void announce(QObject& from, const QString& text);

} // namespace vantoriku
