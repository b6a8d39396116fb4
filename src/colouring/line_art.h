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
    // A cell becomes black when its darkest luminance (0 black .. 1 white) is below this.
    double threshold = 0.5;
    QRgb background = 0xFFFFFFFF;
    QSize size{142, 142};
};

// The picture reduced to the target once, so that a new threshold or a switch between line art
// and colour costs only a pass over the target's cells.
struct LineArtCells {
    QSize size;
    QRgb background = 0xFFFFFFFF;
    QRect placed;               // where the picture lies in the target; the rest is margin
    QImage colour;              // smoothly scaled, on the background colour (RGB32)
    std::vector<float> darkest; // per cell of `placed`, row by row: darkest luminance it covers
};

LineArtCells reduceForLineArt(const QImage& source, LineArtFit fit, QSize size, QRgb background);
QImage finishLineArt(const LineArtCells& cells, bool lineArt, double threshold);

// The picture as the design canvas's background picture (RGB32 of options.size).
QImage makeLineArt(const QImage& source, const LineArtOptions& options);

} // namespace colouring
