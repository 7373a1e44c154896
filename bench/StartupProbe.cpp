#include "StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace tomira::bench {

namespace {

// Milliseconds since the process started, from the kernel's start time.
double MillisecondsSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // Field 22 (starttime, in clock ticks since boot) follows the command
    // name, which is in parentheses and may hold blanks.
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 22; ++i) {
        rest >> field;
    }
    unsigned long long startTicks = 0;
    rest >> startTicks;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

FirstPaintProbe::FirstPaintProbe(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (!done_ && event->type() == QEvent::Paint) {
        done_ = true;
        // Report after this paint has been handled.
        QTimer::singleShot(0, [] {
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("startup_ms=%.1f peak_rss_kb=%ld\n", MillisecondsSinceProcessStart(), usage.ru_maxrss);
            std::fflush(stdout);
            // Not at once: the timer outside reads the window's title and
            // the memory when it sees the window mapped, which on a busy
            // machine can come after this paint.
            QTimer::singleShot(500, qApp, &QCoreApplication::quit);
        });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tomira::bench
