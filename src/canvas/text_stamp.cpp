#include "text_stamp.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace canvas {

void TextStamp::rasterise(const canvas::Surface& surface, const QString& text) {
    text_ = text;
    font_ = surface.font();
    pen_ = canvas::toPixel(surface.foreColor());
    dotsPerMetre_ = surface.imageRef().dotsPerMeterY();
    spans_.clear();
    bounds_ = QRect();

    const QFontMetrics metrics(font_, &surface.imageRef());
    lineHeight_ = metrics.height();
    // Room for glyphs that reach beyond their advance on any side.
    const int margin = metrics.height();
    QImage scratch(metrics.horizontalAdvance(text) + 2 * margin, metrics.height() + 2 * margin,
                   QImage::Format_RGB32);
    scratch.setDotsPerMeterX(surface.imageRef().dotsPerMeterX());
    scratch.setDotsPerMeterY(dotsPerMetre_);
    const QRgb paper = ~pen_ | 0xFF000000u;
    scratch.fill(paper);
    {
        QPainter painter(&scratch);
        painter.setRenderHints({});
        painter.setFont(font_);
        painter.setPen(QColor::fromRgb(pen_));
        painter.drawText(QPointF(margin, margin + metrics.ascent()), text);
    }
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (row[x] == paper) {
                continue;
            }
            const int start = x;
            while (x + 1 < scratch.width() && row[x + 1] != paper) {
                ++x;
            }
            spans_.push_back({y - margin, start - margin, x - margin});
            bounds_ |= QRect(QPoint(start - margin, y - margin), QPoint(x - margin, y - margin));
        }
    }
}

bool TextStamp::isRasterisedFor(const canvas::Surface& surface, const QString& text) const {
    return text == text_ && surface.font() == font_ &&
           canvas::toPixel(surface.foreColor()) == pen_ &&
           surface.imageRef().dotsPerMeterY() == dotsPerMetre_;
}

QImage TextStamp::overlay(const canvas::Surface& surface, const QString& text) {
    if (!isRasterisedFor(surface, text)) {
        rasterise(surface, text);
    }
    if (bounds_.isEmpty() || bounds_.right() < 0 || bounds_.bottom() < 0) {
        return {};
    }
    QImage picture(bounds_.right() + 1, bounds_.bottom() + 1, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (const canvas::Span& span : spans_) {
        if (span.y < 0 || span.x1 < 0) {
            continue;
        }
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(span.y));
        std::fill(row + std::max(span.x0, 0), row + span.x1 + 1, pen_ | 0xFF000000u);
    }
    return picture;
}

void TextStamp::print(canvas::Surface& surface, const QString& text) {
    if (!isRasterisedFor(surface, text)) {
        rasterise(surface, text);
    }
    const float unit = surface.unitsPerPixel();
    const QPoint at(surface.toDevice(surface.currentX()), surface.toDevice(surface.currentY()));
    const QRect client(QPoint(0, 0), surface.imageRef().size());
    const QRect patchArea = bounds_.translated(at) & client;
    if (!patchArea.isEmpty()) {
        // The surface is changed only through its own drawing calls: the pixels under the text,
        // with the text set, go back as an unscaled picture.
        QImage patch = surface.imageRef().copy(patchArea);
        for (const canvas::Span& span : spans_) {
            const int y = span.y + at.y() - patchArea.top();
            const int x0 = std::max(span.x0 + at.x(), patchArea.left()) - patchArea.left();
            const int x1 = std::min(span.x1 + at.x(), patchArea.right()) - patchArea.left();
            if (y < 0 || y >= patch.height() || x0 > x1) {
                continue;
            }
            auto* row = reinterpret_cast<QRgb*>(patch.scanLine(y));
            std::fill(row + x0, row + x1 + 1, pen_);
        }
        surface.paintPicture(patch, float(patchArea.left()) * unit, float(patchArea.top()) * unit,
                             float(patchArea.width()) * unit, float(patchArea.height()) * unit);
    }
    surface.setCurrentX(0);
    surface.setCurrentY(surface.currentY() + float(lineHeight_) * unit);
}

} // namespace canvas
