#pragma once

#include "files/atomic_file.h"
#include "page_encoders.h"
#include "tiling/tiling.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

namespace print {

// A page of repeated tiles, to be written as a print file.
struct PrintJob {
    QImage tile; // already at its printed size
    QSize page;
    tiling::Repeat repeat = tiling::Repeat::Straight;
    PrintFormat format = PrintFormat::Png;
    std::optional<double> dotsPerInch;
    QImage overlay;  // ARGB32, drawn over the tiles at the page's top-left (the credit line)
    int threads = 0; // bands compressed at once; 0 for one a core
    qsizetype bandBytes = qsizetype(1) << 20; // about how many bytes of rows a band holds
};

using PrintProgress = std::function<void(int rowsDone, int rowsTotal)>;

// Writes the page band by band, never holding it whole, through an AtomicFile at nativePath: the
// file is complete or not there at all. `progress` (may be empty) hears after each band; setting
// `*cancel` (may be null) stops at the next band with SaveProblem::Cancelled and nothing written.
files::SaveOutcome renderPrint(const PrintJob& job, const QByteArray& nativePath,
                               const PrintProgress& progress = {},
                               const std::atomic<bool>* cancel = nullptr);

// The format a file name asks for by its extension (.png, .tif, .tiff, .bmp; any case).
std::optional<PrintFormat> printFormatForName(const QString& fileName);

// The design stretched to a tile size with nearest pixels, as print pages take it.
QImage scaledTile(const QImage& design, QSize size);

// The credit line as the effect view prints it, on a transparent picture as large as its text.
QImage creditOverlay(const QString& credit);

} // namespace print
