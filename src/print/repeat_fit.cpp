#include "repeat_fit.h"

#include <algorithm>
#include <cmath>

namespace print {
namespace {

// Five significant digits and no trailing zeros, never an exponent: 160, 304.67, 1.4118.
QString shortNumber(double value) {
    const int wholeDigits = value >= 1 ? int(std::floor(std::log10(value))) + 1 : 1;
    QString text = QString::number(value, 'f', std::max(0, 5 - wholeDigits));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        if (text.endsWith(QLatin1Char('.'))) {
            text.chop(1);
        }
    }
    return text;
}

} // namespace

RepeatFit fitRepeat(const RepeatTarget& target, double tilePixels, double dotsPerInch) {
    const double targetPixels = inInches(target.length, target.unit) * dotsPerInch;
    const double tile = std::max(tilePixels, 1.0);
    // The whole numbers either side of the ratio; the one whose tile is nearer wins, the larger
    // tile on a tie. A repeat keeps at least a pixel.
    const double most = std::max(1.0, std::floor(targetPixels));
    const double fewer = std::clamp(std::floor(targetPixels / tile), 1.0, most);
    const double more = std::min(fewer + 1, most);
    const double repeats =
        std::abs(targetPixels / more - tile) < std::abs(targetPixels / fewer - tile) ? more : fewer;
    RepeatFit fit;
    fit.repeats = int(repeats);
    fit.tilePixels = std::max(1, int(std::lround(targetPixels / repeats)));
    fit.pagePixels = qint64(fit.repeats) * fit.tilePixels;
    fit.tileLength = target.length / repeats;
    const QString unit = QLatin1String(kUnitNames[int(target.unit)]);
    fit.rule = QStringLiteral("%1 %2 ÷ %3 = %4 %2")
                   .arg(shortNumber(target.length), unit)
                   .arg(fit.repeats)
                   .arg(shortNumber(fit.tileLength));
    return fit;
}

std::optional<RepeatTarget> parseRepeatTarget(const QString& text) {
    for (const RepeatTarget& target : kRepeatTargets) {
        if (text == QLatin1String(target.key)) {
            return target;
        }
    }
    const std::optional<PrintSize> length = parsePrintSize(text);
    if (!length || !length->physical() || text.contains(QLatin1Char('x'), Qt::CaseInsensitive) ||
        !(length->width > 0)) {
        return std::nullopt;
    }
    return RepeatTarget{nullptr, nullptr, length->width, length->unit, FitDirection::Along};
}

} // namespace print
