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

// The cell's name with the grade of its colour in words: "奈良から鎌倉 正答率、30%未満".
QString gradedCellName(Cell cell, Colour colour);

// The score table's row of an era as one line: "奈良から鎌倉 2点 5%、30%未満".
QString eraResult(const DrillSheet& sheet, int era);

// Has screen readers speak the text at once, after what they are saying
// (Qt 6.8 on; with Qt 6.4 nothing is sent, and descriptions alone tell).
void announce(QObject& from, const QString& text);

} // namespace vantoriku
