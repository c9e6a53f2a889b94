#pragma once

// Start-up measurement shared by the program's benchmark and the bare window:
// process start to first paint, and peak resident memory.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace startup {

// Seconds since this process started, from the kernel's own record.
inline double secondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    const double startTicks = std::stod(field);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec + now.tv_nsec / 1e9 - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

inline long peakResidentKilobytes() {
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

} // namespace startup
