// Renders the main window in the middle of a drill to a PNG for the README and
// the store page: three eras already tried, then era 2 chosen, most answers
// typed and scored. Every step goes through the drill as a learner's would,
// and the score table is checked before the picture is taken, so that it shows
// nothing the program could not.
#include "content/question_bank.h"
#include "look/program_look.h"
#include "sheet/cell_number.h"
#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

namespace {

using namespace vantoriku;

class NoServices : public WindowServices {
  public:
    void showHelp(QWidget& /*window*/) override {}
    void printClientArea(QWidget& /*clientArea*/,
                         std::function<void(const std::string&)> /*done*/) override {}
    void quit() override {}
};

// Chooses the era, answers the rows that `right` picks with their years and
// the others with a wrong one, and scores it.
void tryEra(MainWindow& window, int era, const std::function<bool(int row)>& right) {
    window.findChild<QAction*>(QStringLiteral("era%1Item").arg(era))->trigger();
    for (const Question& q : QuestionBank::questionsOf(era)) {
        window.sheet().setAnswer(q.row, right(q.row) ? std::string(q.year) : "1700");
    }
    window.findChild<QPushButton*>(QStringLiteral("scoreButton"))->click();
}

// Each era's score is at most its questions, and its percentage is the one
// that score gives; the reason why not, or nothing.
std::string unreachable(const DrillSheet& sheet) {
    for (const Era& era : QuestionBank::eras()) {
        const EraCells& cells = eraCells(era.number);
        const double score = leadingNumber(sheet.caption(cells.score));
        const std::string percentage =
            wholeNumberText(percentageOf(score, static_cast<std::int32_t>(era.rowCount)));
        if (score > era.rowCount || sheet.caption(cells.percentage) != percentage) {
            return std::string(era.name) + ": " + sheet.caption(cells.score) + " points, " +
                   sheet.caption(cells.percentage) + " %";
        }
    }
    return {};
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    useProgramLook();
    NoServices services;
    MainWindow window(services);
    window.showAtStart();

    // Earlier attempts left in the score table: 9 of 40, 27 of 40, 27 of 30.
    tryEra(window, 1, [](int row) { return row <= 9; });
    tryEra(window, 3, [](int row) { return row % 3 != 0; });
    tryEra(window, 4, [](int row) { return row % 10 != 0; });
    // The era on the screen: most answers right, a few wrong, a few left empty.
    window.findChild<QAction*>(QStringLiteral("era2Item"))->trigger();
    for (const Question& q : QuestionBank::questionsOf(2)) {
        if (q.row % 4 != 0) {
            window.sheet().setAnswer(q.row, std::string(q.year));
        } else if (q.row % 8 == 0) {
            window.sheet().setAnswer(q.row, "1700");
        }
    }
    window.findChild<QPushButton*>(QStringLiteral("scoreButton"))->click();
    QApplication::processEvents();

    if (const std::string reason = unreachable(window.sheet()); !reason.empty()) {
        std::fprintf(stderr, "the score table shows what no drill can reach: %s\n", reason.c_str());
        return 1;
    }
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
