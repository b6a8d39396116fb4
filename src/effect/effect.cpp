#include "effect.h"

#include "canvas/numbers.h"
#include "canvas/text_stamp.h"

#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace effect {

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

namespace {

// One tile run along an axis: device pixels [begin, end), as Surface::paintPicture places a tile
// given in surface units at origin o with length step: [round(o), round(o + step)).
struct Run {
    int begin;
    int end;
    int length() const { return end - begin; }
};

// The visible runs of the tiles along one axis of a client area `pixels` wide.
template <typename Number>
std::vector<Run> tileRuns(const canvas::Surface& effect, Number step, Number extent, int pixels) {
    std::vector<Run> runs;
    for (const Number origin : tileOrigins(step, extent)) {
        const Run run{effect.toDevice(float(origin)), effect.toDevice(float(origin) + float(step))};
        if (run.length() > 0 && run.begin < pixels && run.end > 0) {
            runs.push_back(run);
        }
    }
    return runs;
}

// Whether tiles along these runs leave no pixel of the axis uncovered.
bool coversAxis(const std::vector<Run>& runs, int pixels) {
    int covered = 0;
    for (const Run& run : runs) {
        if (run.begin > covered) {
            return false;
        }
        covered = std::max(covered, run.end);
    }
    return covered >= pixels;
}

// Cls, or only its move to the origin when the tiles about to be drawn cover the whole view: the
// cleared pixels would all be painted over anyway.
void clearUnlessCovered(canvas::Surface& effect, const QImage& picture,
                        const std::vector<Run>& columns, const std::vector<Run>& rows) {
    if (!picture.isNull() && coversAxis(columns, effect.clientPixelWidth()) &&
        coversAxis(rows, effect.clientPixelHeight())) {
        effect.setCurrentX(0);
        effect.setCurrentY(0);
    } else {
        effect.cls();
    }
}

void printCredit(canvas::Surface& effect, const QString& credit) {
    static canvas::TextStamp stamp;
    stamp.print(effect, credit);
}

// The picture stretched to width x height by nearest pixels, pixel for pixel what
// Surface::paintPicture draws for that size.
QImage stretchNearest(const QImage& picture, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHints({});
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRect(0, 0, width, height), picture);
    return image;
}

// Stretched copies of one picture, one per tile size met, so each size is resampled only once.
class StretchCache {
  public:
    const QImage& stretched(const QImage& picture, int width, int height) {
        if (picture.cacheKey() != pictureKey_) {
            pictureKey_ = picture.cacheKey();
            copies_.clear();
        }
        if (width == picture.width() && height == picture.height()) {
            return picture;
        }
        for (const Copy& copy : copies_) {
            if (copy.image.width() == width && copy.image.height() == height) {
                return copy.image;
            }
        }
        if (copies_.size() >= kMaxCopies) {
            copies_.erase(copies_.begin());
        }
        copies_.push_back({stretchNearest(picture, width, height)});
        return copies_.back().image;
    }

  private:
    struct Copy {
        QImage image;
    };
    static constexpr std::size_t kMaxCopies = 8;
    qint64 pictureKey_ = 0;
    std::vector<Copy> copies_;
};

StretchCache& stretchCache() {
    static StretchCache cache;
    return cache;
}

// One row of tiles `height` pixels high across the visible columns.
QImage tileBand(const QImage& picture, const std::vector<Run>& columns, int height) {
    const int width = columns.back().end - columns.front().begin;
    QImage band(width, height, QImage::Format_RGB32);
    for (const Run& column : columns) {
        const QImage& tile = stretchCache().stretched(picture, column.length(), height);
        const int left = column.begin - columns.front().begin;
        const std::size_t bytes = std::size_t(column.length()) * sizeof(QRgb);
        for (int row = 0; row < height; ++row) {
            std::memcpy(reinterpret_cast<QRgb*>(band.scanLine(row)) + left, tile.constScanLine(row),
                        bytes);
        }
    }
    return band;
}

// Tiles of `picture` stretched to the runs' sizes, edge to edge; each distinct tile size is
// stretched once. Large tiles are copied into the view one by one. Small ones would cost a call
// each, so a row of them is built once per distinct row height and copied in row by row.
void paintStretchedTiles(canvas::Surface& effect, const QImage& picture,
                         const std::vector<Run>& columns, const std::vector<Run>& rows) {
    if (picture.isNull() || columns.empty() || rows.empty()) {
        return;
    }
    constexpr std::size_t kMostSingleTiles = 256;
    const QImage source = picture.format() == QImage::Format_RGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    const float unit = effect.unitsPerPixel();
    // Same size as the image, so the surface copies it without resampling.
    auto place = [&](const QImage& image, int left, int top) {
        effect.paintPicture(image, float(left) * unit, float(top) * unit,
                            float(image.width()) * unit, float(image.height()) * unit);
    };
    if (columns.size() * rows.size() <= kMostSingleTiles) {
        for (const Run& row : rows) {
            for (const Run& column : columns) {
                place(stretchCache().stretched(source, column.length(), row.length()), column.begin,
                      row.begin);
            }
        }
        return;
    }
    std::vector<QImage> bands;
    for (const Run& row : rows) {
        auto band = std::find_if(bands.begin(), bands.end(),
                                 [&](const QImage& b) { return b.height() == row.length(); });
        if (band == bands.end()) {
            bands.push_back(tileBand(source, columns, row.length()));
            band = bands.end() - 1;
        }
        place(*band, columns.front().begin, row.begin);
    }
}

// The whole view laid out from one tile by the tiling row producer, then the credit's text
// position at the origin as after Cls (every pixel is drawn, so nothing needs clearing).
void paintRepeated(canvas::Surface& effect, const QImage& tile, tiling::Repeat repeat) {
    const QImage source =
        tile.format() == QImage::Format_RGB32 ? tile : tile.convertToFormat(QImage::Format_RGB32);
    const int width = effect.clientPixelWidth();
    const int height = effect.clientPixelHeight();
    // Kept between renders: a live view renders on every press.
    static QImage page;
    if (page.size() != QSize(width, height)) {
        page = QImage(width, height, QImage::Format_RGB32);
    }
    const tiling::TiledRows rows({source.constBits(), source.bytesPerLine(), source.size()}, width,
                                 repeat);
    for (int y = 0; y < height; ++y) {
        rows.fill(y, page.scanLine(y));
    }
    const float unit = effect.unitsPerPixel();
    effect.paintPicture(page, 0, 0, float(width) * unit, float(height) * unit);
    effect.setCurrentX(0);
    effect.setCurrentY(0);
}

} // namespace

std::vector<int> tileOrigins(int step, int extent) {
    std::vector<int> origins;
    if (step <= 0) {
        return origins;
    }
    for (int origin = 0; origin < extent; origin += step) {
        origins.push_back(origin);
    }
    return origins;
}

std::vector<float> tileOrigins(float step, float extent) {
    std::vector<float> origins;
    if (!(step > 0.0f) || !std::isfinite(step)) {
        return origins;
    }
    // The loop variable accumulates in single precision; stop should an addition no longer move it.
    for (float origin = 0.0f; origin < extent; origin += step) {
        origins.push_back(origin);
        if (origin + step <= origin) {
            break;
        }
    }
    return origins;
}

void renderEffectOwnSize(canvas::Surface& effect, const canvas::Surface& design,
                         canvas::Surface& strip, const QString& credit, tiling::Repeat repeat) {
    const int stepX = int(canvas::roundHalfEven(design.scaleWidth()));
    const int stepY = int(canvas::roundHalfEven(design.scaleHeight()));
    // An integer runs below a single bound exactly when it runs below the bound's ceiling.
    const int extentX = int(std::ceil(effect.scaleWidth()));
    const int extentY = int(std::ceil(effect.scaleHeight()));
    const QImage& picture = design.imageRef();
    if (repeat != tiling::Repeat::Straight) {
        paintRepeated(effect, picture, repeat);
        strip.setPicture(design.image());
        printCredit(effect, credit);
        return;
    }
    clearUnlessCovered(effect, picture, tileRuns(effect, stepX, extentX, effect.clientPixelWidth()),
                       tileRuns(effect, stepY, extentY, effect.clientPixelHeight()));
    for (const int y : tileOrigins(stepY, extentY)) {
        for (const int x : tileOrigins(stepX, extentX)) {
            effect.paintPicture(picture, float(x), float(y), float(stepX), float(stepY));
        }
    }
    strip.setPicture(design.image());
    printCredit(effect, credit);
}

bool renderEffectChosenSize(canvas::Surface& effect, canvas::Surface& strip,
                            const canvas::Surface& design, const QString& sizeText,
                            const QString& credit, tiling::Repeat repeat) {
    const std::optional<float> size = canvas::parseTileSize(sizeText);
    if (!size) {
        return false;
    }
    if (strip.picture().isNull()) {
        strip.setPicture(design.image());
    }
    strip.setWidth(*size);
    strip.setHeight(*size);
    if (repeat != tiling::Repeat::Straight) {
        const QSize tile = chosenTileSize(strip);
        paintRepeated(
            effect,
            stretchCache().stretched(strip.picture().convertToFormat(QImage::Format_RGB32),
                                     tile.width(), tile.height()),
            repeat);
        printCredit(effect, credit);
        return true;
    }
    const std::vector<Run> columns =
        tileRuns(effect, strip.width(), effect.scaleWidth(), effect.clientPixelWidth());
    const std::vector<Run> rows =
        tileRuns(effect, strip.height(), effect.scaleHeight(), effect.clientPixelHeight());
    clearUnlessCovered(effect, strip.picture(), columns, rows);
    paintStretchedTiles(effect, strip.picture(), columns, rows);
    printCredit(effect, credit);
    return true;
}

QSize chosenTileSize(const canvas::Surface& strip) {
    return {std::max(1, int(std::lround(strip.width()))),
            std::max(1, int(std::lround(strip.height())))};
}

QImage stretchedToTile(const QImage& picture, QSize tile) {
    return stretchNearest(picture, tile.width(), tile.height());
}

QPoint designPixelUnder(QPoint effectPixel, QSize tile, tiling::Repeat repeat, QSize design) {
    const QPoint inTile = tiling::tilePixelAt(effectPixel, tile, repeat);
    if (tile == design) {
        return inTile;
    }
    // Stretch a picture of its own coordinates the way the tile was stretched and read back
    // which design pixel landed here.
    constexpr int kCoordinateBits = 12;
    QImage coordinates(design, QImage::Format_RGB32);
    for (int y = 0; y < design.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(coordinates.scanLine(y));
        for (int x = 0; x < design.width(); ++x) {
            line[x] = 0xFF000000u | QRgb(y) << kCoordinateBits | QRgb(x);
        }
    }
    const QRgb code = stretchNearest(coordinates, tile.width(), tile.height()).pixel(inTile);
    constexpr QRgb kMask = (1u << kCoordinateBits) - 1;
    return {int(code & kMask), int(code >> kCoordinateBits & kMask)};
}

} // namespace effect
