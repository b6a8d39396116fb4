#include "workflow.h"

#include "canvas/numbers.h"

#include <QLocale>

namespace workflow {

QString creditLine(const QDate& today) {
    // The desktop's short date, kept numeric: some locales (C among them) spell the month out.
    const QLocale locale = QLocale::system();
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (format.contains(QStringLiteral("MMM"))) {
        format = QStringLiteral("yyyy/M/d");
    }
    return QStringLiteral(" 澄川软件公元") + locale.toString(today, format) +
           QStringLiteral("设计出品 ") + kMakerAddress;
}

void colourRegion(canvas::Surface& design, float x, float y, canvas::RandomSource& random) {
    random.reseedFromClock();
    fillRegion(design, x, y, canvas::randomColour(random));
}

void fillRegion(canvas::Surface& design, float x, float y, canvas::Colour colour) {
    design.setFillColor(colour);
    const std::int32_t under = design.point(x, y);
    if (under < 0) {
        return;
    }
    design.floodFillSurface(int(canvas::roundHalfEven(x)), int(canvas::roundHalfEven(y)),
                            canvas::Colour(under));
}

void loadPictureIntoDesign(canvas::Surface& design, const QImage& picture) {
    design.setPicture(picture);
}

void clearDesignPicture(canvas::Surface& design) {
    design.setPicture(QImage());
    design.setAutoRedraw(true);
}

} // namespace workflow
