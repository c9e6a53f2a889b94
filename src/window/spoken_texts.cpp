#include "window/spoken_texts.h"

#include "content/question_bank.h"
#include "drill/drill.h"
#include "look/utf8.h"

#include <QAccessible>

namespace vantoriku {
namespace {

QString gradeWords(Colour colour) {
    const Grade* grade = gradeWithColour(colour);
    return grade != nullptr ? qString(grade->words) : QString();
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
    const EraCells& cells = eraCells(era);
    const auto colour = sheet.foreground(cells.percentage);
    return QStringLiteral("%1 %2点 %3%、%4")
        .arg(qString(QuestionBank::era(era).name),
             QString::fromStdString(sheet.caption(cells.score)),
             QString::fromStdString(sheet.caption(cells.percentage)),
             colour ? gradeWords(*colour) : QString());
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
