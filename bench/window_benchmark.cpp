// Start-up, memory and scoring figures for the window, in one process per run:
//   window_benchmark vantoriku   time from process start to the first paint of
//                                the main window, and peak resident memory
//   window_benchmark bare        the same for a bare window with one Japanese label
//   window_benchmark score       median time of one 採点 press, click to repainted window
#include "content/question_bank.h"
#include "services/desktop_services.h"
#include "sheet/form1.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

// Seconds since this process started, from the kernel's own record.
double secondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    const double startTicks = std::stod(field);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec + now.tv_nsec / 1e9 - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Reports once the widget has been painted for the first time.
class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] {
                std::printf("startup_ms %.1f peak_rss_kb %ld\n", secondsSinceProcessStart() * 1000,
                            peakResidentKilobytes());
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool seen_ = false;
};

int scorePresses(vantoriku::Form1& form) {
    form.Form_Load();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return 1;
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
        QTest::mouseClick(command1, Qt::LeftButton);
        QApplication::processEvents(); // the repaint of everything the press changed
        micros.push_back(clock.nsecsElapsed() / 1000.0);
    }
    std::sort(micros.begin(), micros.end());
    std::printf("score_press_median_ms %.3f p95_ms %.3f\n", micros[micros.size() / 2] / 1000,
                micros[micros.size() * 95 / 100] / 1000);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    QApplication application(argc, argv);
    FirstPaint firstPaint;
    if (mode == "bare") {
        QWidget window;
        auto* label = new QLabel(QStringLiteral("日本史の年号"), &window);
        label->setGeometry(10, 10, 200, 20);
        window.resize(728, 512);
        window.installEventFilter(&firstPaint);
        window.show();
        return QApplication::exec();
    }
    vantoriku::DesktopServices services;
    vantoriku::Form1 form(services);
    if (mode == "score") {
        return scorePresses(form);
    }
    form.installEventFilter(&firstPaint);
    form.Form_Load();
    return QApplication::exec();
}
