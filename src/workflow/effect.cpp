#include "workflow.h"

#include "canvas/numbers.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace workflow {
namespace {

// One tile run along an axis: device pixels [begin, end), as Surface::paintPicture places a tile
// given in surface units at origin o with length step: [round(o), round(o + step)).
struct Run {
    int begin;
    int end;
    int length() const { return end - begin; }
};

int toDevice(const canvas::Surface& surface, float units) {
    return int(canvas::roundHalfEven(double(units) / double(surface.unitsPerPixel())));
}

// The visible runs of the tiles along one axis of a client area `pixels` wide.
std::vector<Run> tileRuns(const canvas::Surface& effect, float step, float extent, int pixels) {
    std::vector<Run> runs;
    for (const float origin : tileOrigins(step, extent)) {
        const Run run{toDevice(effect, origin), toDevice(effect, origin + step)};
        if (run.length() > 0 && run.begin < pixels && run.end > 0) {
            runs.push_back(run);
        }
    }
    return runs;
}

// Stretched copies of one picture, one per tile size met, so each size is resampled only once.
// They are pixel for pixel what Surface::paintPicture would draw for that size.
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
        QImage image(width, height, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            painter.setRenderHints({});
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QRect(0, 0, width, height), picture);
        }
        copies_.push_back({std::move(image)});
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

// Tiles of `picture` stretched to step x step (in the effect's units) from the origin, edge to
// edge. Each distinct tile size is stretched once; a row of tiles is built once per distinct row
// height and then copied into the view row by row.
void paintStretchedTiles(canvas::Surface& effect, const QImage& picture, float stepX, float stepY) {
    if (picture.isNull()) {
        return;
    }
    const std::vector<Run> columns =
        tileRuns(effect, stepX, effect.scaleWidth(), effect.clientPixelWidth());
    const std::vector<Run> rows =
        tileRuns(effect, stepY, effect.scaleHeight(), effect.clientPixelHeight());
    if (columns.empty() || rows.empty()) {
        return;
    }
    const QImage source = picture.format() == QImage::Format_RGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    std::vector<QImage> bands;
    const float unit = effect.unitsPerPixel();
    for (const Run& row : rows) {
        auto band = std::find_if(bands.begin(), bands.end(),
                                 [&](const QImage& b) { return b.height() == row.length(); });
        if (band == bands.end()) {
            bands.push_back(tileBand(source, columns, row.length()));
            band = bands.end() - 1;
        }
        // Same size as the band, so the surface copies it without resampling.
        effect.paintPicture(*band, float(columns.front().begin) * unit, float(row.begin) * unit,
                            float(band->width()) * unit, float(band->height()) * unit);
    }
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
                         canvas::Surface& strip, const QString& credit) {
    effect.cls();
    const int stepX = int(canvas::roundHalfEven(design.scaleWidth()));
    const int stepY = int(canvas::roundHalfEven(design.scaleHeight()));
    const QImage& picture = design.imageRef();
    const int extentX = int(std::ceil(effect.scaleWidth()));
    const int extentY = int(std::ceil(effect.scaleHeight()));
    for (const int y : tileOrigins(stepY, extentY)) {
        for (const int x : tileOrigins(stepX, extentX)) {
            effect.paintPicture(picture, float(x), float(y), float(stepX), float(stepY));
        }
    }
    strip.setPicture(design.image());
    effect.print(credit);
}

bool renderEffectChosenSize(canvas::Surface& effect, canvas::Surface& strip,
                            const canvas::Surface& design, const QString& sizeText,
                            const QString& credit) {
    const std::optional<float> size = canvas::parseTileSize(sizeText);
    if (!size) {
        return false;
    }
    if (strip.picture().isNull()) {
        strip.setPicture(design.image());
    }
    effect.cls();
    strip.setWidth(*size);
    strip.setHeight(*size);
    paintStretchedTiles(effect, strip.picture(), strip.width(), strip.height());
    effect.print(credit);
    return true;
}

} // namespace workflow
