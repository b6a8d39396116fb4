#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

class QMimeData;

namespace colouring {

// Why a picture cannot be imported.
enum class ImportProblem { None, Unreadable, Incomplete, Empty, TooLarge };

// Larger pictures are refused before they are decoded.
inline constexpr std::int64_t kMaxImportPixels = 100'000'000;

// The problem with a picture of this size, if any.
ImportProblem importSizeProblem(QSize size);

struct ImportedImage {
    QImage image;
    ImportProblem problem = ImportProblem::None;
};

// The picture as an import takes it: refused when it is empty or too large (a pasted picture).
ImportedImage importableImage(const QImage& image);

// Reads a picture in any format Qt reads, from a regular file only. The size is checked from the
// file's header before any pixel is decoded, so a huge picture costs no memory; a file shorter
// than its header says, or one its decoder finds cut short, is refused as incomplete.
ImportedImage readImportImage(const QString& path);
ImportedImage readImportImage(const QByteArray& nativePath);

// The clipboard's picture: encoded data is read as a file is, so a picture too large to hold is
// told apart from none; a picture held as an image only (copied in this process) is taken as is.
ImportedImage readPastedImage(const QMimeData* data);

enum class LineArtFit {
    Inside, // the whole picture, margins in the background colour
    Crop    // the target filled, the picture's overhanging sides cut off
};

struct LineArtOptions {
    LineArtFit fit = LineArtFit::Inside;
    // Line art: every pixel black or background, so colouring fills exact-colour regions.
    bool lineArt = true;
    // A pixel is a line pixel when its luminance (0 black .. 1 white) is below this; a cell is
    // black when it covers a line pixel, that is when its darkest luminance is below this.
    double threshold = 0.5;
    QRgb background = 0xFFFFFFFF;
    QSize size{142, 142};
};

// The picture reduced to the target once, so that a new threshold or a switch between line art
// and colour costs only a pass over the target's cells (a preview: finishLineArt gives the pixels
// makeLineArt does).
struct LineArtCells {
    QSize size;
    QRgb background = 0xFFFFFFFF;
    QRect placed;               // where the picture lies in the target; the rest is margin
    QImage colour;              // smoothly scaled, on the background colour (RGB32)
    std::vector<float> darkest; // per cell of `placed`, row by row: darkest luminance it covers
};

LineArtCells reduceForLineArt(const QImage& source, LineArtFit fit, QSize size, QRgb background);
QImage finishLineArt(const LineArtCells& cells, bool lineArt, double threshold);

// Line art kept at the picture's own resolution, so that it can be drawn at any device scale.
struct LineArtDrawing {
    QImage lines; // 1 bit a pixel, 1 a line pixel: the part of the picture placed, at its own size
    QRect placed; // where that part lies in the design, in design pixels
    QRgb background = 0xFFFFFFFF;
    bool operator==(const LineArtDrawing&) const = default;
};

// Lines are kept at most this many pixels a side: no print tile is larger, so no finer line shows.
inline constexpr int kLargestLineArtSide = 20000;

// The part of the picture that `fit` places in a design of `size`, thresholded pixel by pixel (a
// line pixel when its luminance over the background is below the threshold); a part larger than
// kLargestLineArtSide a side is reduced to it as drawLineArt reduces.
LineArtDrawing traceLineArt(const QImage& source, LineArtFit fit, double threshold, QRgb background,
                            QSize size);

// The drawing on a canvas of `deviceSize` pixels with `scale` device pixels a design pixel (RGB32):
// the background, and black where a pixel covers any line pixel. At scale 1 this is the design's
// picture; a thin line thickens to a pixel, so what is closed at full resolution stays closed.
QImage drawLineArt(const LineArtDrawing& drawing, QSize deviceSize, double scale);

// The picture as the design canvas's background picture (RGB32 of options.size).
QImage makeLineArt(const QImage& source, const LineArtOptions& options);

} // namespace colouring
