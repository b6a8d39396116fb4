// Runs the random-art pad's dot stream in the real window for a while and reports what the user
// would notice: ticks per second, the spread of the tick intervals, the CPU it costs, whether the
// window still answers at once, and resident memory at the start and at the end.
//   dot-stream [seconds]      (10 s by default; 600 for the ten-minute soak)
#include "app/form1.h"
#include "canvas/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

double residentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0 : 0;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    canvas::installFontSubstitutes();
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10.0;

    app::Form1 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window never showed\n");
        return 1;
    }
    auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer1"));
    window.findChild<QRadioButton*>(QStringLiteral("Option2"))->click();

    // Tick intervals go into a fixed histogram of 10 µs steps, so that the measuring itself keeps
    // no growing memory.
    constexpr double kStepMs = 0.01;
    std::vector<long> histogram(10000, 0);
    long ticks = 0;
    qint64 lastTick = -1;
    QElapsedTimer clock;
    QObject::connect(timer, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (lastTick >= 0) {
            const auto step = std::size_t(double(now - lastTick) / 1e6 / kStepMs);
            ++histogram[std::min(step, histogram.size() - 1)];
        }
        lastTick = now;
        ++ticks;
    });

    // Once a second the window is asked for an effect picture: how long until it has one? (An
    // effect picture keeps no undo step, so memory shows only what the stream itself keeps.)
    std::vector<double> answerMs;
    answerMs.reserve(std::size_t(seconds) + 1);
    std::vector<double> residentByMinute;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        QElapsedTimer answer;
        answer.start();
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command14")),
                          Qt::LeftButton);
        answerMs.push_back(double(answer.nsecsElapsed()) / 1e6);
        if (answerMs.size() % 60 == 0) {
            residentByMinute.push_back(residentMegabytes());
        }
    });

    const double startRss = residentMegabytes();
    const double startCpu = cpuSeconds();
    clock.start();
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Picture4")), Qt::LeftButton, {},
                      QPoint(72, 72));
    probe.start(1000);
    QTimer::singleShot(int(seconds * 1000), &application, &QApplication::quit);
    application.exec();
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - startCpu;

    const long intervals = std::max(ticks - 1, 0L);
    // The upper edge of the step that holds the given share of the intervals.
    auto percentile = [&](double share) {
        long seen = 0;
        for (std::size_t step = 0; step < histogram.size(); ++step) {
            seen += histogram[step];
            if (seen > 0 && double(seen) >= share * double(intervals)) {
                return double(step + 1) * kStepMs;
            }
        }
        return 0.0;
    };
    std::printf("run %.1f s: %ld ticks, %.0f per second\n", elapsed, ticks,
                double(ticks) / elapsed);
    std::printf("tick interval median %.2f ms, 99th percentile %.2f ms, longest %.2f ms\n",
                percentile(0.5), percentile(0.99), percentile(1.0));
    std::printf("CPU %.1f %% of one core\n", 100.0 * cpu / elapsed);
    std::printf("effect picture click answered within %.2f ms at worst (%zu clicks)\n",
                answerMs.empty() ? 0.0 : *std::max_element(answerMs.begin(), answerMs.end()),
                answerMs.size());
    std::printf("resident memory %.1f MB at the start, %.1f MB at the end\n", startRss,
                residentMegabytes());
    for (std::size_t minute = 0; minute < residentByMinute.size(); ++minute) {
        std::printf("  after minute %zu: %.1f MB\n", minute + 1, residentByMinute[minute]);
    }
    return 0;
}
