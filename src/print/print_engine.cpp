#include "print_engine.h"

#include "canvas/text_stamp.h"
#include "colouring/surfaces.h"

#include <QFileInfo>
#include <QPainter>
#include <memory>
#include <new>
#include <thread>

namespace print {
namespace {

// The page's top-left corner as printed: the tiles there with the overlay drawn over them.
QImage stampedCorner(const QImage& tile, const PrintJob& job) {
    const QSize size = job.overlay.size().boundedTo(job.page);
    if (job.overlay.isNull() || size.isEmpty()) {
        return {};
    }
    QImage corner = tiling::repeatOver(tile, size, job.repeat);
    QPainter painter(&corner);
    painter.drawImage(0, 0, job.overlay);
    return corner;
}

// Page rows repeat down the page with the tiling's period: each row of one period is made and
// packed once and copied after, when the rows kept fit in kMostKeptBytes. After the period, its
// first rows are kept again, so that any `run` page rows lie one after another.
class PeriodRows {
  public:
    PeriodRows(int period, int run, qsizetype stride)
        : period_(period), stride_(stride), kept_(period + std::max(run, 1) - 1),
          rows_(qsizetype(kept_) * stride <= kMostKeptBytes
                    ? std::make_unique_for_overwrite<uchar[]>(std::size_t(kept_) *
                                                              std::size_t(stride))
                    : nullptr),
          made_(rows_ ? std::size_t(kept_) : 0, false) {}

    bool kept() const { return rows_ != nullptr; }

    // Page rows y to y + count - 1 (count at most the run) as `make` makes them, one after
    // another, or null where the period is not kept.
    template <typename Make> const uchar* rows(int y, int count, const Make& make) {
        if (!rows_) {
            return nullptr;
        }
        const int first = y % period_;
        for (int i = first; i < first + count; ++i) {
            if (made_[std::size_t(i)]) {
                continue;
            }
            uchar* row = rows_.get() + qsizetype(i) * stride_;
            if (i < period_) {
                make(y + i - first, row);
            } else {
                std::memcpy(row, rows(y + i - first, 1, make), std::size_t(stride_));
            }
            made_[std::size_t(i)] = true;
        }
        return rows_.get() + qsizetype(first) * stride_;
    }

  private:
    static constexpr qsizetype kMostKeptBytes = qsizetype(32) << 20;
    int period_;
    qsizetype stride_;
    int kept_;
    std::unique_ptr<uchar[]> rows_;
    std::vector<bool> made_;
};

files::SaveOutcome writePage(const PrintJob& job, files::AtomicFile& file,
                             const PrintProgress& progress, const std::atomic<bool>* cancel,
                             const QByteArray& nativePath) {
    const QImage tile = job.tile.convertToFormat(QImage::Format_RGB32);
    const QImage corner = stampedCorner(tile, job);
    if (tile.isNull() || (corner.isNull() && !job.overlay.isNull())) {
        throw std::bad_alloc(); // a conversion that found no memory
    }
    PageFormat format;
    format.size = job.page;
    format.dotsPerInch = job.dotsPerInch;
    std::optional<std::vector<QRgb>> palette;
    if (job.format != PrintFormat::Bmp) {
        palette = fewColours({&tile, &corner});
    }
    format.layout = layoutFor(job.format, palette.has_value());
    format.palette = palette.value_or(std::vector<QRgb>{});
    format.bandBytes = job.bandBytes;
    format.threads =
        job.threads > 0 ? job.threads : int(std::max(1u, std::thread::hardware_concurrency()));
    format.periodRows = tiling::pagePeriod(tile.size(), job.repeat).height();

    // Counting and laying out a tile of print size takes seconds: a stop asked meanwhile is heard.
    auto cancelled = [cancel] {
        return cancel != nullptr && cancel->load(std::memory_order_relaxed);
    };
    if (cancelled()) {
        return files::saveFailure(files::SaveProblem::Cancelled, nativePath);
    }
    const int pixelBytes = bytesPerPixel(format.layout);
    const std::vector<uchar> tileBytes = layOutPixels(tile, format.layout, format.palette);
    const std::vector<uchar> cornerBytes = layOutPixels(corner, format.layout, format.palette);
    const tiling::TiledRows rows(
        {tileBytes.data(), qsizetype(tile.width()) * pixelBytes, tile.size(), pixelBytes},
        job.page.width(), job.repeat);

    const std::unique_ptr<PageEncoder> encoder = makeEncoder(job.format, file, format);
    const int height = job.page.height();
    const int bandRows = encoder->bandRows();
    const qsizetype stride = encoder->rowStride();
    const auto band =
        std::make_unique_for_overwrite<uchar[]>(std::size_t(stride) * std::size_t(bandRows));
    const std::size_t cornerRowBytes = std::size_t(corner.width()) * std::size_t(pixelBytes);
    // Rows are made a byte a pixel; indices of fewer bits are packed from a scratch row.
    const int bits = format.layout == PixelLayout::Index8 ? indexBits(format.palette.size()) : 8;
    std::vector<uchar> scratch(bits < 8 ? std::size_t(job.page.width()) : 0);
    const auto makeRow = [&](int y, uchar* out) {
        uchar* row = bits < 8 ? scratch.data() : out;
        rows.fill(y, row);
        if (y < corner.height()) {
            std::memcpy(row, cornerBytes.data() + std::size_t(y) * cornerRowBytes, cornerRowBytes);
        }
        if (bits < 8) {
            packIndices(row, job.page.width(), bits, out);
        }
    };
    PeriodRows period(format.periodRows, bandRows, stride);
    // Top to bottom, the kept rows of a period go to the encoder where they are, without a copy.
    const bool handOnKept = period.kept() && !bottomUp(job.format);
    bool written = encoder->begin();
    for (int done = 0, count = 0; written && done < height; done += count) {
        if (cancelled()) {
            return files::saveFailure(files::SaveProblem::Cancelled, nativePath);
        }
        count = std::min(bandRows, height - done);
        const uchar* rowsMade = band.get();
        RowsHeld held = RowsHeld::ForTheCall;
        if (handOnKept && done >= corner.height()) {
            rowsMade = period.rows(done, count, makeRow);
            held = RowsHeld::UntilFinished;
        } else {
            for (int i = 0; i < count; ++i) {
                const int y = bottomUp(job.format) ? height - 1 - (done + i) : done + i;
                uchar* out = band.get() + qsizetype(i) * stride;
                const uchar* made = y < corner.height() ? nullptr : period.rows(y, 1, makeRow);
                if (made != nullptr) {
                    std::memcpy(out, made, std::size_t(stride));
                } else {
                    makeRow(y, out);
                }
            }
        }
        written = encoder->writeRows(rowsMade, count, held);
        if (written && progress) {
            progress(done + count, height);
        }
    }
    written = written && encoder->finish();
    if (!written && !encoder->failure().isEmpty()) {
        file.discard();
        return files::saveFailure(files::SaveProblem::Other, nativePath, encoder->failure());
    }
    // A failed write was recorded by the file, whose commit then says why and keeps nothing.
    return file.commit();
}

} // namespace

files::SaveOutcome renderPrint(const PrintJob& job, const QByteArray& nativePath,
                               const PrintProgress& progress, const std::atomic<bool>* cancel) {
    if (job.tile.isNull() || job.page.isEmpty()) {
        return files::saveFailure(files::SaveProblem::NoPicture, nativePath);
    }
    if (beyondFormat(job.format, job.page)) {
        return files::saveFailure(files::SaveProblem::TooLarge, nativePath);
    }
    try {
        files::AtomicFile file(nativePath);
        const files::SaveOutcome opened = file.open();
        if (opened.problem != files::SaveProblem::None) {
            return opened;
        }
        return writePage(job, file, progress, cancel, nativePath);
    } catch (const std::bad_alloc&) {
        return files::saveFailure(files::SaveProblem::OutOfMemory, nativePath);
    }
}

std::optional<PrintFormat> printFormatForName(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return PrintFormat::Png;
    }
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff")) {
        return PrintFormat::Tiff;
    }
    if (suffix == QLatin1String("bmp")) {
        return PrintFormat::Bmp;
    }
    return std::nullopt;
}

QImage scaledTile(const QImage& design, QSize size) {
    return design.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage creditOverlay(const QString& credit) {
    if (credit.isEmpty()) {
        return {};
    }
    canvas::Surface view(colouring::effectViewSetup());
    return canvas::TextStamp().overlay(view, credit);
}

} // namespace print
