// Renders the main window in the middle of a drill to a PNG for the README:
// era 2 chosen, most answers typed, scored.
#include "content/question_bank.h"
#include "look/program_look.h"
#include "window/main_window.h"

#include <QApplication>
#include <QPixmap>
#include <cstdio>

namespace {

class NoServices : public vantoriku::WindowServices {
  public:
    void showHelp(QWidget& /*window*/) override {}
    void printClientArea(QWidget& /*clientArea*/,
                         std::function<void(const std::string&)> /*done*/) override {}
    void quit() override {}
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    vantoriku::useProgramLook();
    NoServices services;
    vantoriku::MainWindow window(services);
    window.showAtStart();

    using namespace vantoriku;
    auto& sheet = window.sheet();
    for (int era : {1, 3, 4}) { // earlier attempts left in the score table
        sheet.setCaption(eraCells(era).score, std::to_string(era * 9));
    }
    sheet.setCaption(Cell::Era1Percentage, "22");
    sheet.setCaption(Cell::Era3Percentage, "67");
    sheet.setCaption(Cell::Era4Percentage, "90");
    window.findChild<QAction*>("era2Item")->trigger();
    for (const Question& q : QuestionBank::questionsOf(2)) {
        if (q.row % 4 != 0) {
            sheet.setAnswer(q.row, std::string(q.year));
        } else if (q.row % 8 == 0) {
            sheet.setAnswer(q.row, "1700");
        }
    }
    QMetaObject::invokeMethod(window.findChild<QObject*>("scoreButton"), "click");
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
