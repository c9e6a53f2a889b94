#include "window/spoken_texts.h"

#include "content/question_bank.h"
#include "drill/drill.h"
#include "look/utf8.h"

#include <QAccessible>

namespace vantoriku {
namespace {

// "赤、30%未満"; nothing for a colour that is no grade's.
QString gradeWords(Colour colour) {
    const Grade* grade = gradeWithColour(colour);
    return grade != nullptr
               ? qString(grade->colourName) + QStringLiteral("、") + qString(grade->words)
               : QString();
}

// "奈良から鎌倉、40問中2問正解、正答率5%、赤、30%未満".
QString result(const QString& name, int questions, const DrillSheet& sheet, Cell score,
               Cell percentage) {
    const auto colour = sheet.foreground(percentage);
    return QStringLiteral("%1、%2問中%3問正解、正答率%4%、%5")
        .arg(name, QString::number(questions), QString::fromStdString(sheet.caption(score)),
             QString::fromStdString(sheet.caption(percentage)),
             colour ? gradeWords(*colour) : QString());
}

} // namespace

QString cellName(Cell cell) {
    if (const auto era = eraOfCell(cell)) {
        const QString name = qString(QuestionBank::era(*era).name);
        return name +
               (eraCells(*era).score == cell ? QStringLiteral(" 得点") : QStringLiteral(" 正答率"));
    }
    switch (cell) {
    case Cell::Total:
        return QStringLiteral("総合 得点");
    case Cell::TotalPercentage:
        return QStringLiteral("総合 正答率");
    case Cell::Level:
        return QStringLiteral("レベル");
    default:
        return {};
    }
}

QString gradedCellName(Cell cell, Colour colour) {
    return cellName(cell) + QStringLiteral("、") + gradeWords(colour);
}

QString eraResult(const DrillSheet& sheet, int era) {
    const Era& chosen = QuestionBank::era(era);
    const EraCells& cells = eraCells(era);
    return result(qString(chosen.name), chosen.rowCount, sheet, cells.score, cells.percentage);
}

QString totalResult(const DrillSheet& sheet) {
    QString told =
        result(QStringLiteral("総合"), kQuestionCount, sheet, Cell::Total, Cell::TotalPercentage);
    if (const std::string& level = sheet.caption(Cell::Level); !level.empty()) {
        told += QStringLiteral("、レベルは") + QString::fromStdString(level);
    }
    return told;
}

void announce(QObject& from, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(&from, text);
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&announcement);
#else
    Q_UNUSED(from)
    Q_UNUSED(text)
#endif
}

} // namespace vantoriku
