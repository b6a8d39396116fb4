// Starts the window (the main window with its menus and status bar, or with --bare the specified
// area alone) and quits once it has painted for the first time. Prints the milliseconds
// from main to that paint, the wall-clock time of the paint (nanoseconds since the epoch, for
// timing the whole process from outside) and the peak resident memory.
#include "app/form1.h"
#include "app/main_window.h"
#include "canvas/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/resource.h>

namespace {

class FirstPaintWatcher : public QObject {
  public:
    explicit FirstPaintWatcher(const QElapsedTimer& sinceMain) : sinceMain_(sinceMain) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The children paint in the same pass; the queued call runs after it.
            QTimer::singleShot(0, [this] { report(); });
        }
        return false;
    }

  private:
    void report() const {
        const double milliseconds = double(sinceMain_.nsecsElapsed()) / 1e6;
        const auto wallClock = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::system_clock::now().time_since_epoch())
                                   .count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const double cpuMilliseconds =
            double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
        std::printf("main_to_first_paint_ms %.1f\nfirst_paint_epoch_ns %lld\npeak_rss_mb %.1f\n"
                    "cpu_ms %.1f\n",
                    milliseconds, static_cast<long long>(wallClock),
                    double(usage.ru_maxrss) / 1024.0, cpuMilliseconds);
        std::fflush(stdout);
        QApplication::quit();
    }

    const QElapsedTimer& sinceMain_;
    bool seen_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication application(argc, argv);
    canvas::installFontSubstitutes();
    const bool bare = argc > 1 && std::strcmp(argv[1], "--bare") == 0;
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<app::Form1>();
    } else {
        window = std::make_unique<app::MainWindow>();
    }
    FirstPaintWatcher watcher(sinceMain);
    window->installEventFilter(&watcher);
    window->show();
    return application.exec();
}
