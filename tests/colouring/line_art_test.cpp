#include "colouring/line_art.h"

#include "pixel_pictures.h"

#include <QBuffer>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using colouring::ImportProblem;
using colouring::LineArtFit;

constexpr canvas::Colour kBackground = 0xAE5C44;
constexpr canvas::Colour kDarkGrey = canvas::rgbColour(96, 96, 96);     // luminance 0.38
constexpr canvas::Colour kLightGrey = canvas::rgbColour(192, 192, 192); // luminance 0.75

TEST(LineArt, ImportedPngBecomesExactColourRegions) {
    // A 16 x 8 white picture with a black stroke two pixels wide, antialiased by a dark grey
    // pixel on its left and a light grey one on its right.
    QImage stroke(16, 8, QImage::Format_RGB32);
    stroke.fill(Qt::white);
    for (int y = 0; y < 8; ++y) {
        stroke.setPixel(6, y, canvas::toPixel(kDarkGrey));
        stroke.setPixel(7, y, qRgb(0, 0, 0));
        stroke.setPixel(8, y, qRgb(0, 0, 0));
        stroke.setPixel(9, y, canvas::toPixel(kLightGrey));
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("stroke.png"));
    ASSERT_TRUE(stroke.save(path));
    const colouring::ImportedImage imported = colouring::readImportImage(path);
    ASSERT_EQ(imported.problem, ImportProblem::None);

    const struct {
        LineArtFit fit;
        bool lineArt;
        double threshold;
        const char* expected;
    } cases[] = {
        // Halved: each cell covers two source columns, and the darker one decides.
        {LineArtFit::Inside, true, 0.5,
         "bbbbbbbb/bbbbbbbb/bbb##bbb/bbb##bbb/bbb##bbb/bbb##bbb/bbbbbbbb/bbbbbbbb"},
        {LineArtFit::Inside, true, 0.5,
         "bbbbbbb##bbbbbbb/bbbbbbb##bbbbbbb/bbbbbbb##bbbbbbb/bbbbbbb##bbbbbbb"},
        // The middle eight columns at their own size: the dark edge joins the stroke.
        {LineArtFit::Crop, true, 0.5,
         "bb###bbb/bb###bbb/bb###bbb/bb###bbb/bb###bbb/bb###bbb/bb###bbb/bb###bbb"},
        {LineArtFit::Crop, true, 0.3,
         "bbb##bbb/bbb##bbb/bbb##bbb/bbb##bbb/bbb##bbb/bbb##bbb/bbb##bbb/bbb##bbb"},
        {LineArtFit::Crop, false, 0.5,
         "wwd##lww/wwd##lww/wwd##lww/wwd##lww/wwd##lww/wwd##lww/wwd##lww/wwd##lww"},
        // Halved smoothly: black and dark grey average to a new grey, black and light grey to
        // the dark grey.
        {LineArtFit::Inside, false, 0.5,
         "bbbbbbbb/bbbbbbbb/www?dwww/www?dwww/www?dwww/www?dwww/bbbbbbbb/bbbbbbbb"},
    };
    const std::map<canvas::Colour, char> legend = {
        {0, '#'}, {kBackground, 'b'}, {0xFFFFFF, 'w'}, {kDarkGrey, 'd'}, {kLightGrey, 'l'}};
    for (const auto& c : cases) {
        colouring::LineArtOptions options;
        options.fit = c.fit;
        options.lineArt = c.lineArt;
        options.threshold = c.threshold;
        options.background = canvas::toPixel(kBackground);
        const std::string expected = c.expected; // rows split by '/'
        options.size = {int(expected.find('/')),
                        int(std::count(expected.begin(), expected.end(), '/')) + 1};
        EXPECT_EQ(pictures::read(colouring::makeLineArt(imported.image, options), legend),
                  c.expected);
    }
}

QByteArray encoded(const char* format, QSize size, QSize claimed = {}) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(&buffer, format);
    if (claimed.isValid()) { // a bitmap's header
        qToLittleEndian<qint32>(claimed.width(), bytes.data() + 18);
        qToLittleEndian<qint32>(claimed.height(), bytes.data() + 22);
    }
    return bytes;
}

// Each picture read from a file and pasted as encoded data.
TEST(LineArt, OnlyWholePicturesOfSaneSizeAreImported) {
    QTemporaryDir folder;
    const QByteArray jpeg = encoded("JPEG", {300, 200});
    const std::tuple<const char*, std::optional<QByteArray>, ImportProblem> cases[] = {
        {"missing.png", std::nullopt, ImportProblem::Unreadable},
        {"fifo.png", std::nullopt, ImportProblem::Unreadable},
        {"garbage.png", QByteArray("not a picture at all"), ImportProblem::Unreadable},
        {"empty.png", QByteArray(), ImportProblem::Empty},
        {"huge.bmp", encoded("BMP", {1, 1}, {10001, 10000}), ImportProblem::TooLarge},
        {"short.bmp", encoded("BMP", {100, 100}, {10000, 10000}), ImportProblem::Incomplete},
        {"cut.jpg", jpeg.left(jpeg.size() * 3 / 4), ImportProblem::Incomplete},
        {"\xd6\xd0.jpg", jpeg, ImportProblem::None}, // a GBK name, read by its bytes
        {"whole.bmp", encoded("BMP", {3, 2}), ImportProblem::None},
    };
    const QByteArray root = QFile::encodeName(folder.path()) + '/';
    ASSERT_EQ(mkfifo(root + "fifo.png", 0600), 0);
    for (const auto& [file, bytes, expected] : cases) {
        SCOPED_TRACE(file);
        if (bytes) {
            std::ofstream(root + file, std::ios::binary) << bytes->toStdString();
            QMimeData pasted;
            pasted.setData(QStringLiteral("image/png"), *bytes);
            EXPECT_EQ(colouring::readPastedImage(&pasted).problem, expected);
        }
        const colouring::ImportedImage imported = colouring::readImportImage(root + file);
        EXPECT_EQ(imported.problem, expected);
        EXPECT_EQ(imported.image.isNull(), expected != ImportProblem::None);
        unlink(root + file); // the folder's clean-up cannot name a GBK file
    }
    QMimeData copied; // within the process, a picture is held as it is
    copied.setImageData(QImage(3, 2, QImage::Format_RGB32));
    EXPECT_EQ(colouring::readPastedImage(&copied).problem, ImportProblem::None);
}

} // namespace
