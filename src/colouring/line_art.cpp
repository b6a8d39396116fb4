#include "line_art.h"

#include "canvas/raster.h"

#include <QFile>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace colouring {
namespace {

// Room for the widest pixels a reader decodes to (16 bits per channel), in megabytes.
constexpr int kAllocationLimitMegabytes = int((kMaxImportPixels * 8 + (1 << 20) - 1) >> 20);
// Rows converted to 32 bits at a time, so a picture in another format is never copied whole.
constexpr int kBandRows = 64;

// Which part of the picture lands where in the target.
struct Placement {
    QRect source;
    QRect target;
};

Placement place(QSize source, LineArtFit fit, QSize size) {
    if (fit == LineArtFit::Inside) {
        const double scale = std::min(double(size.width()) / source.width(),
                                      double(size.height()) / source.height());
        const QSize placed(std::clamp(int(std::lround(source.width() * scale)), 1, size.width()),
                           std::clamp(int(std::lround(source.height() * scale)), 1, size.height()));
        const QPoint origin((size.width() - placed.width()) / 2,
                            (size.height() - placed.height()) / 2);
        return {QRect(QPoint(0, 0), source), QRect(origin, placed)};
    }
    // The largest centred part of the picture with the target's proportions.
    QSize part = source;
    if (qint64(source.width()) * size.height() > qint64(source.height()) * size.width()) {
        part.setWidth(
            std::max(1, int(std::lround(double(source.height()) * size.width() / size.height()))));
    } else {
        part.setHeight(
            std::max(1, int(std::lround(double(source.width()) * size.height() / size.width()))));
    }
    const QPoint origin((source.width() - part.width()) / 2, (source.height() - part.height()) / 2);
    return {QRect(origin, part), QRect(QPoint(0, 0), size)};
}

// The source pixels [first, end) that target cell `cell` of `cells` covers along one axis: at
// least one, and every pixel the cell touches, so a thin line survives a reduction.
struct Span {
    int first;
    int end;
};

Span coveredSpan(int cell, int cells, int sourceStart, int sourceLength) {
    const qint64 first = qint64(cell) * sourceLength / cells;
    const qint64 end = (qint64(cell + 1) * sourceLength + cells - 1) / cells;
    return {sourceStart + int(first), sourceStart + int(std::max(end, first + 1))};
}

float luminance(QRgb pixel) {
    return (0.299f * float(qRed(pixel)) + 0.587f * float(qGreen(pixel)) +
            0.114f * float(qBlue(pixel))) /
           255.0f;
}

// Luminance of a pixel laid over the background.
float luminanceOver(QRgb pixel, float backgroundLuminance) {
    const float alpha = float(qAlpha(pixel)) / 255.0f;
    return alpha * luminance(pixel) + (1.0f - alpha) * backgroundLuminance;
}

// Source rows as unpremultiplied 32-bit pixels, converted a band at a time when needed.
class RowReader {
  public:
    RowReader(const QImage& source, const QRect& part) : source_(source), part_(part) {
        direct_ =
            source.format() == QImage::Format_ARGB32 || source.format() == QImage::Format_RGB32;
    }

    const QRgb* row(int y) {
        if (direct_) {
            return reinterpret_cast<const QRgb*>(source_.constScanLine(y)) + part_.left();
        }
        if (band_.isNull() || y < bandTop_ || y >= bandTop_ + band_.height()) {
            bandTop_ = y;
            const int rows = std::min(kBandRows, part_.bottom() + 1 - y);
            band_ = source_.copy(part_.left(), y, part_.width(), rows)
                        .convertToFormat(QImage::Format_ARGB32);
        }
        return reinterpret_cast<const QRgb*>(band_.constScanLine(y - bandTop_));
    }

  private:
    const QImage& source_;
    QRect part_;
    bool direct_ = false;
    QImage band_;
    int bandTop_ = 0;
};

std::vector<float> darkestPerCell(const QImage& source, const Placement& placement,
                                  QRgb background) {
    const QRect& part = placement.source;
    const QRect& target = placement.target;
    std::vector<Span> columns;
    for (int x = 0; x < target.width(); ++x) {
        // Spans relative to the part's left edge, as RowReader hands rows out.
        columns.push_back(coveredSpan(x, target.width(), 0, part.width()));
    }
    const float backgroundLuminance = luminance(background);
    RowReader reader(source, part);
    // The darkest luminance of each target column in one source row; kept, since neighbouring
    // target rows often cover the same source row.
    std::vector<float> rowDarkest(std::size_t(target.width()));
    int rowDarkestOf = -1;
    std::vector<float> darkest;
    darkest.reserve(std::size_t(target.width()) * std::size_t(target.height()));
    for (int y = 0; y < target.height(); ++y) {
        const Span rows = coveredSpan(y, target.height(), part.top(), part.height());
        std::vector<float> cells(std::size_t(target.width()), std::numeric_limits<float>::max());
        for (int sourceY = rows.first; sourceY < rows.end; ++sourceY) {
            if (sourceY != rowDarkestOf) {
                const QRgb* pixels = reader.row(sourceY);
                for (std::size_t x = 0; x < columns.size(); ++x) {
                    float least = std::numeric_limits<float>::max();
                    for (int sourceX = columns[x].first; sourceX < columns[x].end; ++sourceX) {
                        least =
                            std::min(least, luminanceOver(pixels[sourceX], backgroundLuminance));
                    }
                    rowDarkest[x] = least;
                }
                rowDarkestOf = sourceY;
            }
            for (std::size_t x = 0; x < cells.size(); ++x) {
                cells[x] = std::min(cells[x], rowDarkest[x]);
            }
        }
        darkest.insert(darkest.end(), cells.begin(), cells.end());
    }
    return darkest;
}

QImage backgroundImage(QSize size, QRgb background) {
    QImage image = canvas::requirePixels(QImage(size, QImage::Format_RGB32));
    image.fill(background);
    return image;
}

constexpr QRgb kLinePixel = qRgb(0, 0, 0);

// 1 bit a pixel, all background: index 0 the background, 1 a line pixel.
QImage blankLines(QSize size, QRgb background) {
    QImage lines = canvas::requirePixels(QImage(size, QImage::Format_Mono));
    lines.setColorTable({background | 0xFF000000u, kLinePixel});
    lines.fill(0);
    return lines;
}

void setLineBit(uchar* row, int x) {
    row[x >> 3] |= uchar(0x80u >> (x & 7));
}

// Calls paint(x, y) for each pixel of a grid of `size` laid over the lines that covers a line
// pixel (coveredSpan: every source pixel it touches).
template <typename Paint> void forEachLinePixel(const QImage& lines, QSize size, Paint paint) {
    std::vector<Span> columns;
    for (int x = 0; x < size.width(); ++x) {
        columns.push_back(coveredSpan(x, size.width(), 0, lines.width()));
    }
    // The covered source rows ORed together, so a column needs one look per source column.
    std::vector<uchar> merged(std::size_t(lines.bytesPerLine()));
    for (int y = 0; y < size.height(); ++y) {
        const Span rows = coveredSpan(y, size.height(), 0, lines.height());
        std::fill(merged.begin(), merged.end(), uchar(0));
        for (int sourceY = rows.first; sourceY < rows.end; ++sourceY) {
            const uchar* bits = lines.constScanLine(sourceY);
            for (std::size_t i = 0; i < merged.size(); ++i) {
                merged[i] |= bits[i];
            }
        }
        for (int x = 0; x < size.width(); ++x) {
            for (int sourceX = columns[std::size_t(x)].first; sourceX < columns[std::size_t(x)].end;
                 ++sourceX) {
                if (merged[std::size_t(sourceX >> 3)] & (0x80u >> (sourceX & 7))) {
                    paint(x, y);
                    break;
                }
            }
        }
    }
}

// A device that notes whether its reader asked for bytes past its end.
template <typename Device> class EndWatching final : public Device {
  public:
    using Device::Device;
    bool askedPastEnd() const { return askedPastEnd_; }

  protected:
    qint64 readData(char* data, qint64 size) override {
        askedPastEnd_ = askedPastEnd_ || (size > 0 && this->pos() >= this->size());
        return Device::readData(data, size);
    }

  private:
    bool askedPastEnd_ = false;
};

// Bytes read as a file is read (from a QBuffer, Qt's JPEG decoder takes the bytes behind its back).
class ByteReader : public QIODevice {
  public:
    explicit ByteReader(QByteArray bytes) : bytes_(std::move(bytes)) {}
    qint64 size() const override { return bytes_.size(); }

  protected:
    qint64 readData(char* data, qint64 most) override {
        const qint64 count = std::min(most, bytes_.size() - pos());
        std::memcpy(data, bytes_.constData() + pos(), std::size_t(count));
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    QByteArray bytes_;
};

// Formats whose decoder reads no further than the picture's end, so asking past the end of the
// data means it was cut short (Qt's JPEG decoder then makes up an end and fills the rest grey).
const QByteArray kReadersStoppingAtTheEnd[] = {"jpeg", "xbm"};

// Whether an uncompressed bitmap's header claims more rows than the data holds (a bitmap decoder
// leaves missing rows black without a word).
bool bitmapClaimsMore(QIODevice& device) {
    const QByteArray header = device.peek(34);
    if (header.size() < 34 || !header.startsWith("BM") ||
        qFromLittleEndian<quint32>(header.constData() + 14) < 40) {
        return false;
    }
    const auto field = [&header](int offset) {
        return qFromLittleEndian<qint32>(header.constData() + offset);
    };
    const qint64 compression = field(30);
    if (compression != 0 && compression != 3) { // only plain and bit-field rows have a fixed length
        return false;
    }
    const qint64 bitsPerPixel = qFromLittleEndian<quint16>(header.constData() + 28);
    const qint64 rowBytes = (qAbs(qint64(field(18))) * bitsPerPixel + 31) / 32 * 4;
    return qint64(quint32(field(10))) + rowBytes * qAbs(qint64(field(22))) > device.size();
}

template <typename Device> ImportedImage readWhole(EndWatching<Device>& device) {
    if (device.size() == 0) {
        return {{}, ImportProblem::Empty};
    }
    const bool claimsMore = bitmapClaimsMore(device); // read before the decoder moves on
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMegabytes);
    const QSize declared = reader.size();
    if (declared.isValid()) {
        if (const ImportProblem problem = importSizeProblem(declared);
            problem != ImportProblem::None) {
            return {{}, problem};
        }
    }
    if (claimsMore) {
        return {{}, ImportProblem::Incomplete};
    }
    const QByteArray format = reader.format(); // asked before reading, which leaves the start
    const QImage image = reader.read();
    if (image.isNull()) {
        return {{}, ImportProblem::Unreadable};
    }
    if (device.askedPastEnd() && std::count(std::begin(kReadersStoppingAtTheEnd),
                                            std::end(kReadersStoppingAtTheEnd), format) > 0) {
        return {{}, ImportProblem::Incomplete};
    }
    return importableImage(image);
}

} // namespace

ImportProblem importSizeProblem(QSize size) {
    if (size.isEmpty()) {
        return ImportProblem::Empty;
    }
    if (qint64(size.width()) * size.height() > kMaxImportPixels) {
        return ImportProblem::TooLarge;
    }
    return ImportProblem::None;
}

ImportedImage readImportImage(const QString& path) {
    return readImportImage(QFile::encodeName(path));
}

ImportedImage readImportImage(const QByteArray& nativePath) {
    // Opened without waiting and read only when regular: a FIFO or a device could block for ever.
    const int descriptor = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    if (descriptor < 0 || fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        return {{}, ImportProblem::Unreadable};
    }
    EndWatching<QFile> file;
    file.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
              QFileDevice::AutoCloseHandle);
    return readWhole(file);
}

ImportedImage readPastedImage(const QMimeData* data) {
    if (data == nullptr) {
        return {{}, ImportProblem::Empty};
    }
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    for (const QString& type : data->formats()) {
        if (readable.contains(type.toLatin1())) {
            EndWatching<ByteReader> bytes(data->data(type));
            bytes.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
            return readWhole(bytes);
        }
    }
    return importableImage(qvariant_cast<QImage>(data->imageData()));
}

ImportedImage importableImage(const QImage& image) {
    const ImportProblem problem = importSizeProblem(image.size());
    return {problem == ImportProblem::None ? image : QImage(), problem};
}

LineArtCells reduceForLineArt(const QImage& source, LineArtFit fit, QSize size, QRgb background) {
    LineArtCells cells;
    cells.size = size;
    cells.background = background;
    cells.colour = backgroundImage(size, background);
    if (source.isNull() || size.isEmpty()) {
        return cells;
    }
    const Placement placement = place(source.size(), fit, size);
    cells.placed = placement.target;
    const QImage part = placement.source == source.rect() ? source : source.copy(placement.source);
    QPainter painter(&cells.colour);
    painter.drawImage(
        placement.target.topLeft(),
        part.scaled(placement.target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.end();
    cells.darkest = darkestPerCell(source, placement, background);
    return cells;
}

QImage finishLineArt(const LineArtCells& cells, bool lineArt, double threshold) {
    if (!lineArt) {
        return cells.colour;
    }
    QImage image = backgroundImage(cells.size, cells.background);
    const QRect& placed = cells.placed;
    for (int y = 0; y < placed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(placed.top() + y)) + placed.left();
        const float* darkest = cells.darkest.data() + std::size_t(y) * std::size_t(placed.width());
        for (int x = 0; x < placed.width(); ++x) {
            if (darkest[x] < threshold) {
                row[x] = kLinePixel;
            }
        }
    }
    return image;
}

LineArtDrawing traceLineArt(const QImage& source, LineArtFit fit, double threshold, QRgb background,
                            QSize size) {
    LineArtDrawing drawing;
    drawing.background = background | 0xFF000000u;
    if (source.isNull() || size.isEmpty()) {
        return drawing;
    }
    const Placement placement = place(source.size(), fit, size);
    drawing.placed = placement.target;
    const QRect& part = placement.source;
    QImage lines = blankLines(part.size(), background);
    const float backgroundLuminance = luminance(background);
    RowReader reader(source, part);
    for (int y = 0; y < part.height(); ++y) {
        const QRgb* pixels = reader.row(part.top() + y);
        uchar* bits = lines.scanLine(y);
        for (int x = 0; x < part.width(); ++x) {
            if (luminanceOver(pixels[x], backgroundLuminance) < threshold) {
                setLineBit(bits, x);
            }
        }
    }
    const QSize kept = part.size().boundedTo({kLargestLineArtSide, kLargestLineArtSide});
    if (kept != part.size()) {
        QImage reduced = blankLines(kept, background);
        forEachLinePixel(lines, kept,
                         [&reduced](int x, int y) { setLineBit(reduced.scanLine(y), x); });
        lines = std::move(reduced);
    }
    drawing.lines = std::move(lines);
    return drawing;
}

QImage drawLineArt(const LineArtDrawing& drawing, QSize deviceSize, double scale) {
    QImage image = backgroundImage(deviceSize, drawing.background);
    if (drawing.lines.isNull()) {
        return image;
    }
    // A design pixel's block is the device pixels whose centres fall in it.
    auto edge = [scale](int designPixel) { return int(std::ceil(designPixel * scale - 0.5)); };
    const QPoint origin(edge(drawing.placed.left()), edge(drawing.placed.top()));
    const QSize size(edge(drawing.placed.right() + 1) - origin.x(),
                     edge(drawing.placed.bottom() + 1) - origin.y());
    const QRect inside = image.rect();
    forEachLinePixel(drawing.lines, size, [&](int x, int y) {
        const QPoint pixel = origin + QPoint(x, y);
        if (inside.contains(pixel)) {
            reinterpret_cast<QRgb*>(image.scanLine(pixel.y()))[pixel.x()] = kLinePixel;
        }
    });
    return image;
}

QImage makeLineArt(const QImage& source, const LineArtOptions& options) {
    if (!options.lineArt) {
        return reduceForLineArt(source, options.fit, options.size, options.background).colour;
    }
    return drawLineArt(
        traceLineArt(source, options.fit, options.threshold, options.background, options.size),
        options.size, 1);
}

} // namespace colouring
