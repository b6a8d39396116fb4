#pragma once

#include <QImage>
#include <QRgb>
#include <optional>
#include <vector>

namespace canvas {

// Aliased rasterisers on an RGB32 image. A pixel belongs to a shape when its centre, at integer
// coordinates, lies inside; band edges are half-open ([-w/2, w/2)) so that a pen of width w is
// exactly w pixels thick across and a 4-connected fill can never step over a closed outline.
// Everything is clipped to the image.

// A segment with round ends, `width` pixels wide.
void strokeSegment(QImage& image, double x1, double y1, double x2, double y2, double width,
                   QRgb pixel);

struct ArcRange {
    double start; // radians, counter-clockwise from three o'clock as seen on screen
    double end;   // an arc wraps through 0 when end < start
};

// The outline of a circle (or of an arc of it), `width` pixels wide, centred on the radius.
void strokeCircle(QImage& image, double cx, double cy, double radius, double width, QRgb pixel,
                  std::optional<ArcRange> arc = {});

// Pixels whose centre lies less than `radius` from (cx, cy).
void fillDisk(QImage& image, double cx, double cy, double radius, QRgb pixel);

// A round dot of the given diameter, as offsets from its pixel: the same at every position.
struct DotMask {
    struct Row {
        int dy;
        int dx0;
        int dx1;
    };
    int diameter = 0;
    std::vector<Row> rows;
};
DotMask makeDotMask(int diameter);
void stampDot(QImage& image, int x, int y, const DotMask& mask, QRgb pixel);

// The image enlarged by `scale` (>= 1) with nearest pixels, round(side * scale) a side: each
// pixel becomes the block of device pixels whose centres fall in it. Scale 1 gives the image.
QImage enlargeByBlocks(const QImage& image, double scale);

} // namespace canvas
