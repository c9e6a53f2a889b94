// Start-up, memory and scoring figures for the window, in one process per run;
// it links what the program links:
//   window_benchmark vantoriku   time from launch to the first paint of the
//                                main window, and peak resident memory
//   window_benchmark score       median time of one 採点 press, click to repainted window
#include "content/question_bank.h"
#include "first_paint.h"
#include "services/desktop_services.h"
#include "services/font_warm_up.h"
#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int scorePresses(vantoriku::Form1& form) {
    form.Form_Load();
    while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    auto* command1 = form.findChild<QPushButton*>("Command1");
    std::vector<double> micros;
    for (int i = 0; i < 200; ++i) {
        form.findChild<QAction*>("jidai2")->trigger();
        for (const auto& q : vantoriku::QuestionBank::questionsOf(2)) {
            form.sheet().setAnswer(q.row, q.row % 2 ? std::string(q.year) : "1000");
        }
        QApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        command1->click();
        QApplication::processEvents(); // the repaint of everything the press changed
        micros.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
    }
    std::sort(micros.begin(), micros.end());
    std::printf("score_press_median_ms %.3f p95_ms %.3f\n", micros[micros.size() / 2] / 1000,
                micros[micros.size() * 95 / 100] / 1000);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    vantoriku::FontWarmUp fonts; // as the program starts
    QApplication application(argc, argv);
    fonts.finish();
    startup::FirstPaint firstPaint;
    vantoriku::DesktopServices services;
    vantoriku::Form1 form(services);
    if (mode == "score") {
        return scorePresses(form);
    }
    form.installEventFilter(&firstPaint);
    form.Form_Load();
    return QApplication::exec();
}
