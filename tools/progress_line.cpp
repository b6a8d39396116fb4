#include "progress_line.h"

#include <QCoreApplication>
#include <cmath>

namespace {

class Progress {
    Q_DECLARE_TR_FUNCTIONS(PatternRender)
};

constexpr double kShowAfterSeconds = 1.0;
constexpr double kUpdateEverySeconds = 0.25;

QString clockText(double seconds) {
    const qint64 whole = std::llround(seconds);
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2").arg(whole / 60 % 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
    if (whole < 3600) {
        return minutesAndSeconds;
    }
    return QStringLiteral("%1:%2").arg(whole / 3600).arg(minutesAndSeconds.rightJustified(5, '0'));
}

} // namespace

ProgressLine::ProgressLine(QTextStream& err, Clock clock, bool shown)
    : err_(err), clock_(std::move(clock)), shown_(shown), start_(shown_ ? clock_() : 0) {}

void ProgressLine::update(int rowsDone, int rowsTotal) {
    if (!shown_ || rowsTotal <= 0) {
        return;
    }
    const double now = clock_();
    const double elapsed = now - start_;
    if (elapsed < kShowAfterSeconds ||
        (lastShown_ >= 0 && now - lastShown_ < kUpdateEverySeconds)) {
        return;
    }
    lastShown_ = now;
    const double rate = rowsDone / elapsed;
    const double left = rate > 0 ? (rowsTotal - rowsDone) / rate : 0;
    const QString text = Progress::tr("%1%  %2 rows/s  %3 left")
                             .arg(rowsDone * 100 / rowsTotal)
                             .arg(qint64(std::lround(rate)))
                             .arg(clockText(left));
    err_ << '\r' << text.leftJustified(lastLength_);
    err_.flush();
    lastLength_ = text.size();
}

void ProgressLine::finish() {
    if (lastLength_ > 0) {
        err_ << '\n';
        err_.flush();
        lastLength_ = 0;
    }
}
