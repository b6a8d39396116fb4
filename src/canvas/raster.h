#pragma once

#include <QImage>
#include <QRgb>
#include <functional>
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

// The outline of an ellipse with semi-axes rx and ry, `width` pixels wide: the ring between the
// ellipses whose semi-axes are width / 2 longer and shorter. A circle for rx == ry.
void strokeEllipse(QImage& image, double cx, double cy, double rx, double ry, double width,
                   QRgb pixel);

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

// Asked between bands of rows of a long operation: true stops it there, the rest left undone.
using StopRequest = std::function<bool()>;

// An image that was to be made with pixels: a null one is memory that could not be had, thrown as
// std::bad_alloc as `new` does, so that no drawing goes on silently on nothing.
QImage requirePixels(QImage image);

// An RGB32 image of `size`, its pixels not yet set, for the caller to fill whole: such an image is
// mostly the cost of first touching its memory, so a large one is on huge pages (one fault where
// small pages take hundreds) and a middling one has its pages mapped at once. Null when the
// memory could not be had.
QImage largeImage(QSize size);

// Maps the whole pages among `size` bytes from `bytes` in one call, for memory about to be
// written whole: rather than a fault a page as each is first written (which a kernel without the
// call still does).
void mapPagesNow(const void* bytes, std::size_t size);

// A design held with `sourceBlock` x `sourceBlock` pixels a design pixel, laid out at `scale`
// (>= sourceBlock) pixels a design pixel, round(side * scale) a side. Each design pixel's block is
// the device pixels whose centres fall in it; its centre pixel takes the centre pixel of the
// source block and the rest follow around it, the source block's edges repeated where the block
// is larger. With sourceBlock 1 this is nearest-pixel enlargement; at scale == sourceBlock it
// gives the image.
QImage enlargeByBlocks(const QImage& image, double scale, int sourceBlock = 1,
                       const StopRequest& stop = {});
// The same laid out onto `target` (RGB32) from its top-left, only as much as it holds. Returns
// false when `stop` stopped it.
bool drawEnlarged(QImage& target, const QImage& image, double scale, int sourceBlock = 1,
                  const StopRequest& stop = {});

} // namespace canvas
