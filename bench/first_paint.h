#pragma once

// Start-up measurement shared by the program's benchmark and the bare window:
// launch to first paint, and peak resident memory.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>

namespace startup {

// Milliseconds since the launcher put bash's $EPOCHREALTIME into
// BENCH_LAUNCHED, just before it executed this program. The kernel's own
// record of a process's start counts in ticks of 10 ms, too coarse here.
inline double millisecondsSinceLaunch() {
    const char* launched = std::getenv("BENCH_LAUNCHED");
    if (launched == nullptr) {
        return -1;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 -
            std::strtod(launched, nullptr)) *
           1000;
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
                std::printf("startup_ms %.1f peak_rss_kb %ld\n", millisecondsSinceLaunch(),
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
