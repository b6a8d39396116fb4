#include "print_options.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>

namespace {

class Progress {
    Q_DECLARE_TR_FUNCTIONS(PatternRender)
};

constexpr double kShowAfterSeconds = 1.0;
constexpr double kUpdateEverySeconds = 0.25;

double unitsPerInch(PrintSize::Unit unit) {
    switch (unit) {
    case PrintSize::Unit::Centimetre:
        return 2.54;
    case PrintSize::Unit::Millimetre:
        return 25.4;
    case PrintSize::Unit::Inch:
    case PrintSize::Unit::Pixel:
        break;
    }
    return 1.0;
}

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

std::optional<PrintSize> parsePrintSize(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(\d+(?:\.\d+)?)\s*(?:[xX]\s*(\d+(?:\.\d+)?))?\s*(px|cm|mm|in)?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    PrintSize size;
    size.width = match.captured(1).toDouble();
    size.height = match.captured(2).isEmpty() ? size.width : match.captured(2).toDouble();
    const QString unit = match.captured(3).toLower();
    size.unit = unit == QLatin1String("cm")   ? PrintSize::Unit::Centimetre
                : unit == QLatin1String("mm") ? PrintSize::Unit::Millimetre
                : unit == QLatin1String("in") ? PrintSize::Unit::Inch
                                              : PrintSize::Unit::Pixel;
    const bool wholePixels =
        size.width == std::floor(size.width) && size.height == std::floor(size.height);
    if (!size.physical() && !wholePixels) {
        return std::nullopt;
    }
    return size;
}

std::pair<double, double> sizeInPixels(const PrintSize& size, double dotsPerInch) {
    if (!size.physical()) {
        return {size.width, size.height};
    }
    const double scale = dotsPerInch / unitsPerInch(size.unit);
    return {std::round(size.width * scale), std::round(size.height * scale)};
}

std::optional<double> parseDotsPerInch(const QString& text) {
    static const QRegularExpression form(QStringLiteral(R"(^\s*\d+(?:\.\d+)?\s*$)"));
    const double value = text.toDouble();
    if (!form.match(text).hasMatch() || !(value > 0) || value > 10000) {
        return std::nullopt;
    }
    return value;
}

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
