// Renders the main window in the middle of a drill to a PNG for the README:
// era 2 chosen, most answers typed, scored.
#include "content/question_bank.h"
#include "window/appearance.h"
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
    vantoriku::Form1 form(services);
    form.Form_Load();

    using namespace vantoriku;
    auto& sheet = form.sheet();
    for (int era : {1, 3, 4}) { // earlier attempts left in the score table
        sheet.setCaption(eraCells(era).score, std::to_string(era * 9));
    }
    sheet.setCaption(Cell::Label55, "22");
    sheet.setCaption(Cell::Label57, "67");
    sheet.setCaption(Cell::Label58, "90");
    form.findChild<QAction*>("jidai2")->trigger();
    for (const Question& q : QuestionBank::questionsOf(2)) {
        if (q.row % 4 != 0) {
            sheet.setAnswer(q.row, std::string(q.year));
        } else if (q.row % 8 == 0) {
            sheet.setAnswer(q.row, "1700");
        }
    }
    QMetaObject::invokeMethod(form.findChild<QObject*>("Command1"), "click");
    QApplication::processEvents();
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
