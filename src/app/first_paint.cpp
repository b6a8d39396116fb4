#include "first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace app {
namespace {

class FirstPaintWatcher : public QObject {
  public:
    FirstPaintWatcher(QWidget& window, std::function<void()> work)
        : QObject(&window), work_(std::move(work)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !queued_) {
            queued_ = true;
            // The children paint in the same pass; the queued call runs after it.
            QTimer::singleShot(0, this, [this] {
                work_();
                deleteLater();
            });
        }
        return false;
    }

  private:
    std::function<void()> work_;
    bool queued_ = false;
};

[[noreturn]] void reportAndEnd() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto milliseconds = [](timeval time) {
        return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
    };
    std::printf(
        "first_paint_epoch_ns %lld\npeak_rss_kb %ld\ncpu_ms %.1f\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
        usage.ru_maxrss, milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime));
    std::fflush(stdout);
    // Straight out: a benchmark run keeps no design and no settings.
    std::_Exit(EXIT_SUCCESS);
}

} // namespace

void afterFirstPaint(QWidget& window, std::function<void()> work) {
    window.installEventFilter(new FirstPaintWatcher(window, std::move(work)));
}

void reportFirstPaintOnRequest(QWidget& window) {
    if (qEnvironmentVariableIsSet("PW_REPORT_FIRST_PAINT")) {
        afterFirstPaint(window, reportAndEnd);
    }
}

} // namespace app
