#include "surface.h"

#include "fonts.h"
#include "numbers.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace canvas {
namespace {

constexpr int kDotsPerMetre = 3780; // 96 dots per inch: font points become standard pixels
// Surfaces are window controls; no control of the window is near this size.
constexpr int kLargestClient = 2048;
// A scaled surface holds a print tile whole: the largest tile a print takes.
constexpr int kLargestDeviceSide = 20000;
constexpr int kNowhere = -1000000000; // where a non-finite coordinate lands: outside every surface

QImage blankImage(int width, int height, Colour colour) {
    QImage image = largeImage({std::max(width, 0), std::max(height, 0)});
    if (width > 0 && height > 0) {
        requirePixels(image);
    }
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    image.fill(toPixel(colour));
    return image;
}

// Copies `source` unscaled onto `target` with its top-left at (x, y), clipped.
void blit(QImage& target, const QImage& source, int x, int y) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(target.width(), x + source.width());
    const int bottom = std::min(target.height(), y + source.height());
    if (left >= right || top >= bottom) {
        return;
    }
    const std::size_t bytes = std::size_t(right - left) * sizeof(QRgb);
    for (int row = top; row < bottom; ++row) {
        const auto* from =
            reinterpret_cast<const QRgb*>(source.constScanLine(row - y)) + (left - x);
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(row)) + left;
        std::memcpy(to, from, bytes);
    }
}

QImage asRgb32(const QImage& picture) {
    if (picture.isNull() || picture.format() == QImage::Format_RGB32) {
        return picture;
    }
    return requirePixels(picture.convertToFormat(QImage::Format_RGB32));
}

QPainter::RenderHints noSmoothing() {
    return {};
}

double usableScale(double scale) {
    return std::isfinite(scale) && scale > 1 ? scale : 1.0;
}

} // namespace

Surface::Surface(const SurfaceSetup& setup)
    : outerWidth_(setup.outerWidth), outerHeight_(setup.outerHeight), scaleMode_(setup.scaleMode),
      backColor_(setup.backColor), foreColor_(setup.foreColor), fillColor_(setup.fillColor),
      fillStyle_(setup.fillStyle), drawWidth_(std::max<std::int16_t>(setup.drawWidth, 1)),
      autoRedraw_(setup.autoRedraw), font_(aliasedFont(setup.font)),
      deviceScale_(usableScale(setup.deviceScale)) {
    resizeClient(); // the back colour all over: there is no picture yet
}

float Surface::unitsPerPixel() const {
    return scaleMode_ == ScaleMode::Twips ? kTwipsPerPixel : 1.0f;
}

float Surface::scaleWidth() const {
    return float(designSize_.width()) * unitsPerPixel();
}

float Surface::scaleHeight() const {
    return float(designSize_.height()) * unitsPerPixel();
}

int Surface::deviceIndex(int designIndex) const {
    return int(std::floor((designIndex + 0.5) * deviceScale_));
}

void Surface::scaleToDevice(QPainter& painter) const {
    // A painter's pixel centres lie at half-pixel coordinates.
    const double shift = deviceCentre(-0.5) + 0.5;
    painter.translate(shift, shift);
    painter.scale(deviceScale_, deviceScale_);
}

QPoint Surface::devicePixel(QPoint designPixel) const {
    return {deviceIndex(designPixel.x()), deviceIndex(designPixel.y())};
}

int Surface::toDevice(float units) const {
    const double pixels = toDeviceExact(units);
    if (!std::isfinite(pixels)) {
        return kNowhere;
    }
    return int(roundHalfEven(std::clamp(pixels, -1e9, 1e9)));
}

double Surface::toDeviceExact(float units) const {
    return double(units) / double(unitsPerPixel());
}

double Surface::snapToPixel(float units) const {
    return deviceCentre(std::nearbyint(toDeviceExact(units)));
}

double Surface::deviceCentre(double designPixel) const {
    return designPixel * deviceScale_ + deviceOffset_;
}

QRgb Surface::penPixel(std::optional<Colour> colour) const {
    return toPixel(colour.value_or(foreColor_));
}

void Surface::notify() const {
    if (changed_) {
        changed_();
    }
}

void Surface::resizeClient() {
    auto clientSize = [](float outer) {
        if (!std::isfinite(outer)) {
            return 0;
        }
        return int(
            std::clamp<std::int64_t>(roundHalfEven(outer) - 2 * kBorderPixels, 0, kLargestClient));
    };
    designSize_ = QSize(clientSize(outerWidth_), clientSize(outerHeight_));
    // Each design pixel lands at or just before its block's centre pixel, never after it: then
    // the half-open edges of lines and bands fall on the same side of every block centre as of the
    // design pixel's centre. At whole scales every design pixel lands on its centre pixel exactly.
    deviceOffset_ = std::floor(deviceScale_ / 2);
    for (int pixel = 0; pixel < std::max(designSize_.width(), designSize_.height()); ++pixel) {
        deviceOffset_ = std::min(deviceOffset_, deviceIndex(pixel) - pixel * deviceScale_);
    }
    auto deviceSide = [this](int side) {
        return int(std::min<double>(std::round(side * deviceScale_), kLargestDeviceSide));
    };
    clientSize_ = {deviceSide(designSize_.width()), deviceSide(designSize_.height())};
    if (image_.isNull() && !hasPicture()) {
        return; // still all back colour: the pixels wait for the first drawing
    }
    QImage resized = blankImage(clientSize_.width(), clientSize_.height(), backColor_);
    drawPicture(resized);
    blit(resized, image_, 0, 0);
    image_ = std::move(resized);
}

bool Surface::hasPicture() const {
    return !picture_.isNull() || !devicePicture_.isNull();
}

QImage& Surface::pixels() const {
    if (image_.isNull() && !clientSize_.isEmpty()) {
        image_ = blankImage(clientSize_.width(), clientSize_.height(), backColor_);
    }
    return image_;
}

std::optional<QRgb> Surface::blankPixel() const {
    if (image_.isNull() && !clientSize_.isEmpty()) {
        return toPixel(backColor_);
    }
    return std::nullopt;
}

void Surface::setWidth(float outerWidth) {
    outerWidth_ = outerWidth;
    resizeClient();
    notify();
}

void Surface::setHeight(float outerHeight) {
    outerHeight_ = outerHeight;
    resizeClient();
    notify();
}

void Surface::rebuildImage() {
    if (image_.isNull()) {
        if (hasPicture()) {
            drawPicture(pixels()); // made in the back colour
        }
        return;
    }
    image_.fill(toPixel(backColor_));
    drawPicture(image_);
}

void Surface::drawPicture(QImage& target) const {
    // Only the part of the picture the client area shows is enlarged, straight onto it.
    if (devicePicture_.isNull()) {
        drawEnlarged(target, picture_, deviceScale_);
    } else {
        drawEnlarged(target, devicePicture_, 1);
    }
}

void Surface::setBackColor(Colour colour) {
    backColor_ = colour;
    cls();
}

void Surface::setDrawWidth(std::int16_t width) {
    drawWidth_ = std::max<std::int16_t>(width, 1);
}

void Surface::setFont(const QFont& font) {
    font_ = aliasedFont(font);
}

void Surface::setFontName(const QString& family) {
    font_.setFamily(family);
}

void Surface::setFontSize(double points) {
    if (std::isfinite(points) && points > 0) {
        font_.setPointSizeF(points);
    }
}

void Surface::setPicture(const QImage& picture, const QImage& devicePicture) {
    picture_ = asRgb32(picture);
    devicePicture_ = asRgb32(devicePicture);
    rebuildImage();
    notify();
}

SurfaceSnapshot Surface::snapshot() const {
    return {pixels(), picture_, devicePicture_, backColor_, fillColor_, drawWidth_};
}

void Surface::restore(const SurfaceSnapshot& snapshot) {
    if (snapshot.image.size() != clientSize_) {
        return;
    }
    image_ = snapshot.image;
    picture_ = snapshot.picture;
    devicePicture_ = snapshot.devicePicture;
    backColor_ = snapshot.backColor;
    fillColor_ = snapshot.fillColor;
    setDrawWidth(snapshot.drawWidth);
    notify();
}

void Surface::cls() {
    rebuildImage();
    currentX_ = 0;
    currentY_ = 0;
    notify();
}

void Surface::line(float x1, float y1, float x2, float y2, std::optional<Colour> colour) {
    QImage& image = pixels();
    strokeSegment(image, snapToPixel(x1), snapToPixel(y1), snapToPixel(x2), snapToPixel(y2),
                  drawWidth_ * deviceScale_, penPixel(colour));
    currentX_ = x2;
    currentY_ = y2;
    notify();
}

void Surface::circle(float x, float y, float radius, std::optional<Colour> colour) {
    QImage& image = pixels();
    const double cx = snapToPixel(x);
    const double cy = snapToPixel(y);
    const double r = toDeviceExact(radius) * deviceScale_;
    if (fillStyle_ == kFillSolid) {
        fillDisk(image, cx, cy, r, toPixel(fillColor_));
    }
    strokeCircle(image, cx, cy, r, drawWidth_ * deviceScale_, penPixel(colour));
    currentX_ = x;
    currentY_ = y;
    notify();
}

void Surface::arc(float x, float y, float radius, std::optional<Colour> colour, float start,
                  float end) {
    QImage& image = pixels();
    strokeCircle(image, snapToPixel(x), snapToPixel(y), toDeviceExact(radius) * deviceScale_,
                 drawWidth_ * deviceScale_, penPixel(colour), ArcRange{start, end});
    currentX_ = x;
    currentY_ = y;
    notify();
}

void Surface::ellipse(float x1, float y1, float x2, float y2, std::optional<Colour> colour) {
    QImage& image = pixels();
    const double left = snapToPixel(x1);
    const double top = snapToPixel(y1);
    const double right = snapToPixel(x2);
    const double bottom = snapToPixel(y2);
    strokeEllipse(image, (left + right) / 2, (top + bottom) / 2, (right - left) / 2,
                  (bottom - top) / 2, drawWidth_ * deviceScale_, penPixel(colour));
    currentX_ = x2;
    currentY_ = y2;
    notify();
}

void Surface::pset(float x, float y) {
    QImage& image = pixels();
    const int px = deviceIndex(toDevice(x));
    const int py = deviceIndex(toDevice(y));
    const int diameter = int(std::lround(drawWidth_ * deviceScale_));
    if (diameter == 1) {
        if (px >= 0 && py >= 0 && px < image.width() && py < image.height()) {
            reinterpret_cast<QRgb*>(image.scanLine(py))[px] = penPixel({});
        }
    } else {
        if (dotMask_.diameter != diameter) {
            dotMask_ = makeDotMask(diameter);
        }
        stampDot(image, px, py, dotMask_, penPixel({}));
    }
    currentX_ = x;
    currentY_ = y;
    notify();
}

std::int32_t Surface::point(float x, float y) const {
    QImage& image = pixels();
    const QPoint pixel(toDevice(x), toDevice(y));
    if (!QRect(QPoint(0, 0), designSize_).contains(pixel)) {
        return -1;
    }
    return std::int32_t(fromPixel(image.pixel(devicePixel(pixel))));
}

void Surface::paintPicture(const QImage& picture, float x, float y, float w, float h) {
    QImage& image = pixels();
    if (picture.isNull() || image.isNull()) {
        return;
    }
    // Tiles placed edge to edge share their edges: the target spans [round(x), round(x + w)).
    // A block's first device pixel is the one whose centre falls in it.
    auto edge = [this](float units) {
        return int(std::ceil(toDevice(units) * deviceScale_ - 0.5));
    };
    const int left = edge(x);
    const int top = edge(y);
    const int right = edge(x + w);
    const int bottom = edge(y + h);
    const int width = right - left;
    const int height = bottom - top;
    if (width <= 0 || height <= 0 || left >= image.width() || top >= image.height() || right <= 0 ||
        bottom <= 0) {
        return;
    }
    if (width == picture.width() && height == picture.height()) {
        blit(image, asRgb32(picture), left, top);
    } else {
        QPainter painter(&image);
        painter.setRenderHints(noSmoothing());
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRect(left, top, width, height), asRgb32(picture));
    }
    notify();
}

void Surface::print(const QString& text) {
    QImage& image = pixels();
    const QFontMetrics metrics(font_, &image);
    if (!image.isNull()) {
        QPainter painter(&image);
        painter.setRenderHints(noSmoothing());
        painter.setFont(font_);
        painter.setPen(QColor::fromRgb(penPixel({})));
        painter.drawText(QPointF(toDevice(currentX_), toDevice(currentY_) + metrics.ascent()),
                         text);
    }
    currentX_ = 0;
    currentY_ += float(metrics.height()) * unitsPerPixel();
    notify();
}

void Surface::textOut(int x, int y, const QString& text, const QFont& font, double angleDegrees,
                      TextSize size) {
    QImage& image = pixels();
    if (text.isEmpty() || !std::isfinite(angleDegrees) || image.isNull()) {
        return;
    }
    const QFont aliased = aliasedFont(font);
    const QFontMetrics metrics(aliased, &image);
    {
        QPainter painter(&image);
        painter.setRenderHints(noSmoothing());
        painter.setFont(aliased);
        painter.setPen(QColor::fromRgb(penPixel({})));
        if (size == TextSize::DesignPixels) {
            scaleToDevice(painter);
        }
        painter.translate(x, y);
        painter.rotate(-angleDegrees);
        painter.drawText(QPointF(0, metrics.ascent()), text);
    }
    notify();
}

void Surface::floodFillSurface(int x, int y, Colour target) {
    QImage& image = pixels();
    if (fillStyle_ != kFillSolid) {
        return;
    }
    const QRgb brush = toPixel(fillColor_);
    if (brush == toPixel(target)) {
        return;
    }
    paintSurfaceFill(image, deviceIndex(x), deviceIndex(y), toPixel(target), brush, fillScratch_);
    notify();
}

void Surface::replaceColour(Colour from, Colour to) {
    QImage& image = pixels();
    const QRgb fromPixel = toPixel(from);
    const QRgb toPixelValue = toPixel(to);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::replace_if(
            row, row + image.width(),
            [fromPixel](QRgb pixel) { return (pixel | 0xFF000000u) == fromPixel; }, toPixelValue);
    }
    notify();
}

void Surface::fillSpans(const std::vector<Span>& spans, Colour colour) {
    QImage& image = pixels();
    if (spans.empty()) {
        return;
    }
    paintSpans(image, spans, toPixel(colour));
    notify();
}

void Surface::floodFillBorder(int x, int y, Colour border) {
    QImage& image = pixels();
    if (fillStyle_ != kFillSolid) {
        return;
    }
    paintBorderFill(image, deviceIndex(x), deviceIndex(y), toPixel(border), toPixel(fillColor_),
                    fillScratch_);
    notify();
}

void Surface::polygon(const QPolygon& devicePoints) {
    QImage& image = pixels();
    if (devicePoints.isEmpty() || image.isNull()) {
        return;
    }
    if (fillStyle_ == kFillSolid && devicePoints.size() > 2) {
        QPainter painter(&image);
        painter.setRenderHints(noSmoothing());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(toPixel(fillColor_)));
        scaleToDevice(painter);
        painter.drawPolygon(devicePoints, Qt::OddEvenFill);
    }
    const QRgb pen = penPixel({});
    auto centre = [this](int pixel) { return deviceCentre(pixel); };
    for (qsizetype i = 0; i < devicePoints.size(); ++i) {
        const QPoint from = devicePoints[i];
        const QPoint to = devicePoints[(i + 1) % devicePoints.size()];
        strokeSegment(image, centre(from.x()), centre(from.y()), centre(to.x()), centre(to.y()),
                      drawWidth_ * deviceScale_, pen);
    }
    notify();
}

void Surface::fillPolygonRegion(const QPolygon& devicePoints, Colour colour) {
    QImage& image = pixels();
    if (devicePoints.size() < 3 || image.isNull()) {
        return;
    }
    {
        QPainter painter(&image);
        painter.setRenderHints(noSmoothing());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(toPixel(colour)));
        scaleToDevice(painter);
        painter.drawPolygon(devicePoints, Qt::WindingFill);
    }
    notify();
}

} // namespace canvas
