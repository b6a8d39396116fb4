#pragma once

#include "files/atomic_file.h"

#include <QImage>
#include <QSize>
#include <memory>
#include <optional>
#include <vector>

namespace print {

enum class PrintFormat { Png, Tiff, Bmp };

// The bytes of one pixel as an encoder takes them: an index into the page's palette, or colour
// samples in the file's order; Bit1 is a screen of one bit a pixel, eight to a byte, leftmost
// pixel in the most significant bit, 1 for ink (TIFF only).
enum class PixelLayout { Index8, Rgb24, Bgr24, Bit1 };
int bytesPerPixel(PixelLayout layout);

// The colours of the images together, when there are at most `most` of them.
std::optional<std::vector<QRgb>> fewColours(const std::vector<const QImage*>& images,
                                            std::size_t most = 256);

// An RGB32 image's pixels in the layout, rows packed tightly; Index8 looks each colour up in the
// palette, which must hold them all.
std::vector<uchar> layOutPixels(const QImage& rgb32, PixelLayout layout,
                                const std::vector<QRgb>& palette);

// Bits an index needs for a palette of that many colours: 1, 2, 4 or 8. Fewer bits make smaller
// rows, which both formats compress faster and smaller.
int indexBits(std::size_t colours);
// 8-bit indices packed into `bits`-bit ones, leftmost pixel in the most significant bits.
void packIndices(const uchar* indices, int width, int bits, uchar* packed);

// How TIFF strips are compressed; CCITT Group 4 takes Bit1 pages only.
enum class TiffCompression { Deflate, Group4 };

struct PageFormat {
    QSize size;
    PixelLayout layout = PixelLayout::Rgb24;
    std::vector<QRgb> palette; // for Index8
    int rowBytes() const;      // of a row in the file's layout, before any padding
    std::optional<double> dotsPerInch;
    TiffCompression compression = TiffCompression::Deflate;
    // About how many bytes of rows a band holds: many pages written at once take smaller ones.
    qsizetype bandBytes = qsizetype(1) << 20;
    // Bands deflated at once, each on a thread of its own (PNG, and TIFF but Group 4).
    int threads = 1;
    // Below its top corner the page repeats every this many rows (0: unknown). Bands are then
    // whole periods where a period is small, so that repeated bands are deflated once.
    int periodRows = 0;
};

// How long rows handed to an encoder stay as they are, at their address: rows held until the
// page is finished and met again at the same address are the same rows, and what was made of
// them may be used again.
enum class RowsHeld { ForTheCall, UntilFinished };

// Writes a page row band by row band. Rows are handed over in the file's order (see bottomUp)
// and each is rowStride() bytes, padding included, already in the encoder's layout.
class PageEncoder {
  public:
    virtual ~PageEncoder() = default;
    virtual bool begin() = 0;
    virtual bool writeRows(const uchar* rows, int count, RowsHeld held) = 0;
    virtual bool finish() = 0;
    // Rows a band should hold for the encoder to write it in one piece.
    virtual int bandRows() const = 0;
    virtual qsizetype rowStride() const = 0;
    // Why the encoder failed, where it was not the file's fault.
    virtual QString failure() const { return {}; }
};

// The layout a format writes a page in: a palette when the page has few colours.
PixelLayout layoutFor(PrintFormat format, bool fewColours);
// Whether the format stores the bottom row first.
bool bottomUp(PrintFormat format);
// Whether a page of that size is beyond what the format can hold.
bool beyondFormat(PrintFormat format, QSize page);
// The largest side PNG and TIFF pages may have.
constexpr int kMostPrintSide = 300000;

std::unique_ptr<PageEncoder> makeEncoder(PrintFormat format, files::AtomicFile& file,
                                         const PageFormat& page);

} // namespace print
