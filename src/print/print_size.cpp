#include "print_size.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace print {
namespace {

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
    const auto named =
        std::find_if(std::begin(kUnitNames), std::end(kUnitNames),
                     [&unit](const char* name) { return unit == QLatin1String(name); });
    size.unit = named == std::end(kUnitNames) ? PrintSize::Unit::Pixel
                                              : PrintSize::Unit(named - std::begin(kUnitNames));
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

double inInches(double length, PrintSize::Unit unit) {
    return length / unitsPerInch(unit);
}

std::optional<double> parseDotsPerInch(const QString& text) {
    static const QRegularExpression form(QStringLiteral(R"(^\s*\d+(?:\.\d+)?\s*$)"));
    const double value = text.toDouble();
    if (!form.match(text).hasMatch() || !(value >= 1) || value > 10000) {
        return std::nullopt;
    }
    return value;
}

} // namespace print
