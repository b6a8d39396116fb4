#pragma once

#include "canvas/surface.h"

#include <QFont>
#include <QString>
#include <vector>

namespace canvas {

// Surface::print for a line printed again and again: the text is rasterised once into the pixels
// it covers, and each print then only sets those pixels. The result is pixel for pixel the same,
// since the text is drawn without antialiasing over a transparent background.
class TextStamp {
  public:
    // Prints `text` on the surface at its current position and moves to the next line.
    void print(canvas::Surface& surface, const QString& text);
    // What print would set at the surface's top-left, on a transparent ARGB32 picture just large
    // enough to hold it: the same text drawn over a page that is not a surface.
    QImage overlay(const canvas::Surface& surface, const QString& text);

  private:
    bool isRasterisedFor(const canvas::Surface& surface, const QString& text) const;
    void rasterise(const canvas::Surface& surface, const QString& text);

    QString text_;
    QFont font_;
    QRgb pen_ = 0;
    int dotsPerMetre_ = 0;
    int lineHeight_ = 0;
    QRect bounds_; // of the text pixels, relative to the print position
    std::vector<canvas::Span> spans_;
};

} // namespace canvas
