#include "workflow/line_art.h"

#include "pixel_pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using workflow::ImportProblem;
using workflow::LineArtFit;

constexpr canvas::Colour kBackground = 0xAE5C44;
constexpr canvas::Colour kDarkGrey = canvas::rgbColour(96, 96, 96);     // luminance 0.38
constexpr canvas::Colour kLightGrey = canvas::rgbColour(192, 192, 192); // luminance 0.75

// A 16 x 8 white picture with a black stroke two pixels wide, antialiased by a dark grey pixel on
// its left and a light grey one on its right.
QImage strokePicture() {
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 8; ++y) {
        image.setPixel(6, y, canvas::toPixel(kDarkGrey));
        image.setPixel(7, y, qRgb(0, 0, 0));
        image.setPixel(8, y, qRgb(0, 0, 0));
        image.setPixel(9, y, canvas::toPixel(kLightGrey));
    }
    return image;
}

struct LineArtCase {
    const char* name;
    LineArtFit fit;
    bool lineArt;
    double threshold;
    std::vector<std::string> expected;
};

TEST(LineArt, ImportedPngBecomesExactColourRegions) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("stroke.png"));
    ASSERT_TRUE(strokePicture().save(path));
    const workflow::ImportedImage imported = workflow::readImportImage(path);
    ASSERT_EQ(imported.problem, ImportProblem::None);

    const std::vector<LineArtCase> cases = {
        // Halved: each cell covers two source columns, and the darker one decides.
        {"fit, line art",
         LineArtFit::Inside,
         true,
         0.5,
         {
             "bbbbbbbb",
             "bbbbbbbb",
             "bbb##bbb",
             "bbb##bbb",
             "bbb##bbb",
             "bbb##bbb",
             "bbbbbbbb",
             "bbbbbbbb",
         }},
        // The middle eight columns at their own size: the dark edge joins the stroke.
        {"crop, line art", LineArtFit::Crop, true, 0.5, std::vector<std::string>(8, "bb###bbb")},
        {"crop, line art, lower threshold", LineArtFit::Crop, true, 0.3,
         std::vector<std::string>(8, "bbb##bbb")},
        {"crop, colour", LineArtFit::Crop, false, 0.5, std::vector<std::string>(8, "wwd##lww")},
        // Halved smoothly: black and dark grey average to a new grey, black and light grey to
        // the dark grey.
        {"fit, colour",
         LineArtFit::Inside,
         false,
         0.5,
         {
             "bbbbbbbb",
             "bbbbbbbb",
             "www?dwww",
             "www?dwww",
             "www?dwww",
             "www?dwww",
             "bbbbbbbb",
             "bbbbbbbb",
         }},
    };
    const std::map<canvas::Colour, char> legend = {
        {0, '#'}, {kBackground, 'b'}, {0xFFFFFF, 'w'}, {kDarkGrey, 'd'}, {kLightGrey, 'l'}};
    for (const LineArtCase& c : cases) {
        workflow::LineArtOptions options;
        options.fit = c.fit;
        options.lineArt = c.lineArt;
        options.threshold = c.threshold;
        options.background = canvas::toPixel(kBackground);
        options.size = {8, 8};
        EXPECT_EQ(pictures::read(workflow::makeLineArt(imported.image, options), legend),
                  c.expected)
            << c.name;
    }
}

// The header of a 24-bit BMP file of the given size, without its pixels.
QByteArray bmpHeader(qint32 width, qint32 height) {
    QByteArray header(54, '\0');
    auto put = [&](int offset, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            header[offset + i] = char((value >> (8 * i)) & 0xFF);
        }
    };
    header[0] = 'B';
    header[1] = 'M';
    put(2, 54, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, quint32(width), 4);
    put(22, quint32(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    return header;
}

TEST(LineArt, UnreadableEmptyAndHugeFilesAreRefused) {
    QTemporaryDir folder;
    struct RefusalCase {
        const char* file;
        std::optional<QByteArray> bytes;
        ImportProblem expected;
    };
    const std::vector<RefusalCase> cases = {
        {"missing.png", std::nullopt, ImportProblem::Unreadable},
        {"fifo.png", std::nullopt, ImportProblem::Unreadable},
        {"garbage.png", QByteArray("not a picture at all"), ImportProblem::Unreadable},
        {"empty.png", QByteArray(), ImportProblem::Empty},
        {"huge.bmp", bmpHeader(10001, 10000), ImportProblem::TooLarge},
    };
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("fifo.png"))), 0600), 0);
    for (const RefusalCase& c : cases) {
        const QString path = folder.filePath(QString::fromLatin1(c.file));
        if (c.bytes) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(*c.bytes);
        }
        const workflow::ImportedImage imported = workflow::readImportImage(path);
        EXPECT_EQ(imported.problem, c.expected) << c.file;
        EXPECT_TRUE(imported.image.isNull()) << c.file;
    }
}

} // namespace
