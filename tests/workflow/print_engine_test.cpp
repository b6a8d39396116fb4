#include "canvas/fonts.h"
#include "workflow/print_engine.h"
#include "workflow/surfaces.h"
#include "workflow/workflow.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <tiffio.h>

namespace {

using workflow::PrintFormat;
using workflow::Repeat;

// A tile whose pixels differ in both directions, with `colours` distinct colours in all.
QImage tileOf(QSize size, int colours) {
    QImage tile(size, QImage::Format_RGB32);
    for (int i = 0; i < size.width() * size.height(); ++i) {
        const int c = i % colours;
        tile.setPixel(i % size.width(), i / size.width(), qRgb(c % 16 * 16, c / 16 * 16, 99));
    }
    return tile;
}

struct Decoded {
    QImage image;
    double dotsPerInch = 0;
    bool indexed = false;
};

Decoded decodeTiff(const QString& path) {
    Decoded decoded;
    TIFF* tiff = TIFFOpen(path.toLocal8Bit().constData(), "r");
    if (tiff == nullptr) {
        return decoded;
    }
    uint32_t width = 0, height = 0;
    uint16_t photometric = 0;
    float resolution = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &resolution) == 1) {
        decoded.dotsPerInch = resolution;
    }
    decoded.indexed = photometric == PHOTOMETRIC_PALETTE;
    decoded.image = QImage(int(width), int(height), QImage::Format_RGB32);
    std::vector<uint32_t> abgr(std::size_t(width) * height);
    TIFFReadRGBAImageOriented(tiff, width, height, abgr.data(), ORIENTATION_TOPLEFT, 0);
    TIFFClose(tiff);
    for (std::size_t i = 0; i < abgr.size(); ++i) {
        decoded.image.setPixel(int(i % width), int(i / width),
                               qRgb(TIFFGetR(abgr[i]), TIFFGetG(abgr[i]), TIFFGetB(abgr[i])));
    }
    return decoded;
}

Decoded decode(const QString& path, PrintFormat format) {
    if (format == PrintFormat::Tiff) {
        return decodeTiff(path);
    }
    Decoded decoded;
    const QImage image(path);
    decoded.image = image.convertToFormat(QImage::Format_RGB32);
    decoded.dotsPerInch = image.dotsPerMeterX() * 0.0254;
    decoded.indexed = image.format() == QImage::Format_Indexed8;
    return decoded;
}

QImage reference(const workflow::PrintJob& job) {
    QImage page = workflow::repeatOver(job.tile, job.page, job.repeat);
    QPainter(&page).drawImage(0, 0, job.overlay);
    return page;
}

struct PrintCase {
    PrintFormat format;
    Repeat repeat;
    QSize tile;
    QSize page;
    int colours;
    std::optional<double> dotsPerInch;
    bool indexed; // what the file should hold
};

TEST(PrintEngine, WrittenPagesDecodeToTheInMemoryTilingWithTheirResolution) {
    QImage overlay(9, 4, QImage::Format_ARGB32);
    overlay.fill(Qt::transparent);
    overlay.setPixel(2, 1, qRgb(0x80, 0xFF, 0x80));
    const PrintCase cases[] = {
        {PrintFormat::Png, Repeat::Straight, {5, 5}, {37, 23}, 9, 300, true},
        {PrintFormat::Png, Repeat::HalfDrop, {7, 7}, {300, 211}, 256, std::nullopt, true},
        {PrintFormat::Png, Repeat::Mirror, {30, 30}, {301, 207}, 900, 150, false},
        {PrintFormat::Tiff, Repeat::Brick, {6, 6}, {41, 19}, 12, 300, true},
        {PrintFormat::Tiff, Repeat::Rotate, {31, 31}, {250, 170}, 961, 72, false},
        {PrintFormat::Bmp, Repeat::Rotate, {5, 5}, {33, 21}, 25, std::nullopt, false},
        {PrintFormat::Bmp, Repeat::HalfDrop, {9, 9}, {301, 190}, 81, 300, false},
    };
    const QTemporaryDir folder;
    for (const PrintCase& c : cases) {
        const workflow::PrintJob job{
            tileOf(c.tile, c.colours), c.page, c.repeat, c.format, c.dotsPerInch, overlay};
        const QString path = folder.filePath(QStringLiteral("page"));
        const workflow::SaveOutcome outcome = workflow::renderPrint(job, QFile::encodeName(path));
        ASSERT_TRUE(outcome.saved) << outcome.error.toStdString();
        const Decoded decoded = decode(path, c.format);
        const QString name =
            QStringLiteral("%1/%2/%3").arg(int(c.format)).arg(int(c.repeat)).arg(c.page.width());
        EXPECT_EQ(decoded.image, reference(job)) << name.toStdString();
        // Without one, bitmaps say 96 dpi as they always did; Qt reads a PNG without pHYs as 96
        // too.
        const double dotsPerInch = c.dotsPerInch.value_or(c.format == PrintFormat::Tiff ? 0 : 96);
        EXPECT_NEAR(decoded.dotsPerInch, dotsPerInch, 0.02) << name.toStdString();
        EXPECT_EQ(decoded.indexed, c.indexed) << name.toStdString();
        if (c.format == PrintFormat::Bmp) {
            // The plain 24-bit layout every bitmap reader takes: 54 header bytes, no compression,
            // bottom-up rows padded to four bytes.
            QFile written(path);
            ASSERT_TRUE(written.open(QIODevice::ReadOnly));
            const QByteArray bytes = written.readAll();
            const int rowBytes = (c.page.width() * 3 + 3) & ~3;
            EXPECT_EQ(bytes.size(), 54 + rowBytes * c.page.height());
            EXPECT_EQ(quint8(bytes[28]), 24);
            EXPECT_EQ(quint8(bytes[30]), 0);
            EXPECT_GT(qFromLittleEndian<qint32>(bytes.constData() + 22), 0) << "bottom-up";
        }
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"page"});
}

TEST(PrintEngine, RefusedOrCancelledPagesLeaveNothingBehind) {
    const QImage tile = tileOf({4, 4}, 3);
    struct Refusal {
        PrintFormat format;
        QSize page;
        bool cancelAfterFirstBand;
        workflow::SaveProblem problem;
    };
    const Refusal cases[] = {
        {PrintFormat::Bmp, {40000, 40000}, false, workflow::SaveProblem::TooLarge},
        {PrintFormat::Png, {300001, 10}, false, workflow::SaveProblem::TooLarge},
        {PrintFormat::Tiff, {10, 0}, false, workflow::SaveProblem::NoPicture},
        {PrintFormat::Tiff, {3000, 3000}, true, workflow::SaveProblem::Cancelled},
        {PrintFormat::Png, {3000, 3000}, true, workflow::SaveProblem::Cancelled},
    };
    const QTemporaryDir folder;
    for (const Refusal& c : cases) {
        std::atomic<bool> cancel = false;
        int reports = 0;
        const auto progress = [&](int done, int total) {
            ++reports;
            EXPECT_LT(done, total);
            cancel = c.cancelAfterFirstBand;
        };
        const workflow::PrintJob job{tile, c.page, Repeat::Straight, c.format, {}, {}};
        const workflow::SaveOutcome outcome = workflow::renderPrint(
            job, QFile::encodeName(folder.filePath(QStringLiteral("page"))), progress, &cancel);
        EXPECT_EQ(outcome.problem, c.problem) << c.page.width();
        EXPECT_EQ(reports, c.cancelAfterFirstBand ? 1 : 0);
        EXPECT_TRUE(QDir(folder.path()).isEmpty()) << c.page.width();
    }
}

TEST(PrintEngine, ACreditedPageIsTheEffectViewItsCornerShows) {
    canvas::installFontSubstitutes();
    canvas::Surface design(workflow::designCanvasSetup());
    design.line(0, 0, 141, 141, 0x0000FF);
    design.circle(30, 110, 20, 0x00FF00);
    canvas::Surface effect(workflow::effectViewSetup());
    canvas::Surface strip(workflow::stripSetup());
    const QString credit = workflow::creditLine(QDate(2024, 3, 5));
    workflow::renderEffectOwnSize(effect, design, strip, credit);

    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page.png"));
    const workflow::PrintJob job{design.image(),
                                 effect.imageRef().size(),
                                 Repeat::Straight,
                                 PrintFormat::Png,
                                 {},
                                 workflow::creditOverlay(credit)};
    ASSERT_TRUE(workflow::renderPrint(job, QFile::encodeName(path)).saved);
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), effect.image());
}

} // namespace
