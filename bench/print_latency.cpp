// How long printing holds the window, which draws the page, and the time from
// the print command to the job handed to CUPS, which a thread of its own
// does; one print per process, as a user prints once in a session.
// Run it under tests/printing/with_cups.sh (scripts/bench-print does).
#include "content/question_bank.h"
#include "look/program_look.h"
#include "services/desktop_services.h"
#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    vantoriku::useProgramLook();
    vantoriku::DesktopServices services;
    vantoriku::MainWindow window(services);
    window.showAtStart();
    window.findChild<QAction*>("era1Item")->trigger();
    for (const auto& q : vantoriku::QuestionBank::questionsOf(1)) {
        window.sheet().setAnswer(q.row, q.row % 3 != 0 ? std::string(q.year) : "1000");
    }
    QApplication::processEvents();
    QElapsedTimer clock;
    const auto since = [&clock] { return static_cast<double>(clock.nsecsElapsed()) / 1e6; };
    double held = 0;
    clock.start();
    services.printClientArea(window.clientArea(), [&](const std::string& failure) {
        std::printf("print_ms %.1f held_ms %.1f %s\n", since(), held, failure.c_str());
        QApplication::exit(failure.empty() ? 0 : 1);
    });
    held = since();
    return QApplication::exec();
}
