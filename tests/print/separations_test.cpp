#include "print/separations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tiffio.h>

namespace {

using tiling::Repeat;

// A screen read by libtiff, one byte a pixel: 1 for ink.
struct Decoded {
    QSize size;
    float dotsPerInch = 0;
    std::vector<uchar> ink;
    bool at(int x, int y) const { return ink[std::size_t(y) * size.width() + x] != 0; }
};

Decoded readScreen(const QString& path) {
    Decoded screen;
    TIFF* tiff = TIFFOpen(QFile::encodeName(path).constData(), "r");
    if (tiff == nullptr) {
        return screen;
    }
    uint32_t width = 0, height = 0;
    uint16_t bits = 0, photometric = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &screen.dotsPerInch);
    EXPECT_EQ(bits, 1);
    EXPECT_EQ(photometric, PHOTOMETRIC_MINISWHITE);
    screen.size = QSize(int(width), int(height));
    std::vector<uchar> row(std::size_t(TIFFScanlineSize(tiff)));
    for (uint32_t y = 0; y < height; ++y) {
        TIFFReadScanline(tiff, row.data(), y, 0);
        for (uint32_t x = 0; x < width; ++x) {
            screen.ink.push_back((row[x / 8] >> (7 - x % 8)) & 1);
        }
    }
    TIFFClose(tiff);
    return screen;
}

// Colours from light to dark, mixed over the tile in regions of many neighbours.
QRgb shade(int i) {
    return qRgb(250 - i * 30, 240 - i * 28, 200 - i * 25);
}

QImage mixedTile(int colours) {
    QImage tile(23, 19, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        for (int x = 0; x < tile.width(); ++x) {
            tile.setPixel(x, y, shade((x / 4 * 7 + y / 3 * 3 + int(x * y % 5 == 0)) % colours));
        }
    }
    return tile;
}

// Pages of several bands: each page pixel is on the screen of its colour and, with trapping, on
// the screens of the lighter printed colours within the trap; the margins hold the same marks
// on every screen and nothing else.
TEST(Separations, ScreensRecombineToTheCompositeAndTrapOnlyOverDarkerColours) {
    const struct {
        int colours;
        Repeat repeat;
        int trap;
        bool unprinted;
        bool marks;
        print::ScreenCompression compression;
    } cases[] = {
        {2, Repeat::Straight, 0, false, false, print::ScreenCompression::Group4},
        {5, Repeat::HalfDrop, 2, false, true, print::ScreenCompression::Group4},
        {6, Repeat::Mirror, 3, true, false, print::ScreenCompression::Deflate},
        {8, Repeat::Rotate, 1, false, false, print::ScreenCompression::Group4},
        {4, Repeat::Brick, 4, true, true, print::ScreenCompression::Deflate},
    };
    const QSize pageSize(150, 400);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.colours << '/' << int(c.repeat) << '/' << c.trap);
        const QTemporaryDir folder;
        const print::PrintJob job{mixedTile(c.colours), pageSize, c.repeat, {}, 150.0, {}};
        const QImage page = tiling::repeatOver(job.tile, pageSize, c.repeat);
        print::SeparationOptions options{c.unprinted, c.marks, c.trap, c.compression, {}, 8 * 1024};
        // Bands of about 100 rows; names for some colours.
        options.colourName = [](QRgb colour) {
            return qRed(colour) % 60 == 10 ? QStringLiteral("色%1").arg(qRed(colour)) : QString();
        };
        const print::SeparationOutcome done =
            print::renderSeparations(job, options, QFile::encodeName(folder.path()));
        ASSERT_TRUE(done.outcome.saved) << done.outcome.error.toStdString();
        EXPECT_EQ(QImage(folder.filePath(print::kCompositeName)).convertToFormat(page.format()),
                  page);
        EXPECT_TRUE(QFile(folder.filePath(print::kSheetName)).open(QIODevice::ReadOnly));

        // Lightest first; the unprinted colour is the most frequent one.
        std::vector<QRgb> printed;
        std::map<QRgb, qint64> pixels;
        for (int i = 0; i < c.colours; ++i) {
            pixels[shade(i)] = 0;
        }
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                ++pixels[page.pixel(x, y)];
            }
        }
        const QRgb background = std::max_element(pixels.begin(), pixels.end(), [](auto a, auto b) {
                                    return a.second < b.second;
                                })->first;
        for (int i = 0; i < c.colours; ++i) {
            if (!c.unprinted || shade(i) != background) {
                printed.push_back(shade(i));
            }
        }
        ASSERT_EQ(done.plan.screens.size(), printed.size());
        const int margin = c.marks ? 59 : 0;
        std::vector<Decoded> screens;
        QStringList expectedFiles{print::kCompositeName, print::kSheetName};
        for (std::size_t s = 0; s < printed.size(); ++s) {
            const print::Screen& screen = done.plan.screens[s];
            EXPECT_EQ(screen.colour, printed[s]);
            EXPECT_EQ(screen.pixels, pixels[printed[s]]);
            const QString name = options.colourName(printed[s]);
            const QString value = QString::number(printed[s] & 0xFFFFFF, 16).toUpper();
            EXPECT_EQ(screen.fileName, QStringLiteral("%1-#%2%3.tif")
                                           .arg(s + 1, 2, 10, QLatin1Char('0'))
                                           .arg(value, 6, QLatin1Char('0'))
                                           .arg(name.isEmpty() ? QString() : '-' + name));
            expectedFiles << screen.fileName;
            screens.push_back(readScreen(folder.filePath(screen.fileName)));
            EXPECT_EQ(screens.back().size, pageSize + QSize(2 * margin, 2 * margin));
            EXPECT_EQ(screens.back().dotsPerInch, 150.0f);
        }
        expectedFiles.sort();
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  expectedFiles);
        const auto rank = [&printed](QRgb colour) {
            return int(std::find(printed.begin(), printed.end(), colour) - printed.begin());
        };
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const int own = rank(page.pixel(x, y));
                for (int s = 0; s < int(printed.size()); ++s) {
                    bool near = false;
                    for (int dy = -c.trap; dy <= c.trap && own < int(printed.size()); ++dy) {
                        for (int dx = -c.trap; dx <= c.trap; ++dx) {
                            const QPoint q(x + dx, y + dy);
                            near = near || (dx * dx + dy * dy <= c.trap * c.trap &&
                                            page.rect().contains(q) && rank(page.pixel(q)) == s);
                        }
                    }
                    ASSERT_EQ(screens[s].at(x + margin, y + margin), own == s || (own > s && near))
                        << x << ',' << y << " on screen " << s;
                }
            }
        }
        int marks = 0;
        for (int y = 0; y < screens[0].size.height(); ++y) {
            for (int x = 0; x < screens[0].size.width(); ++x) {
                if (QRect(margin, margin, pageSize.width(), pageSize.height()).contains(x, y)) {
                    continue;
                }
                marks += screens[0].at(x, y);
                for (const Decoded& screen : screens) {
                    ASSERT_EQ(screen.at(x, y), screens[0].at(x, y)) << x << ',' << y;
                }
            }
        }
        EXPECT_EQ(marks > 0, c.marks);
    }
}

// A cancel, or a file that cannot be written, leaves none of the new files.
TEST(Separations, ACancelOrAFailureLeavesNoneOfTheFiles) {
    const print::PrintJob job{mixedTile(3), {300, 3000}, Repeat::Straight, {}, 300.0, {}};
    for (const bool cancelling : {true, false}) {
        const QTemporaryDir folder;
        std::atomic<bool> cancel = false;
        if (!cancelling) {
            QDir(folder.path()).mkdir(print::kCompositeName);
        }
        print::SeparationOptions options;
        options.bandBytes = 8 * 1024;
        const print::SeparationOutcome done = print::renderSeparations(
            job, options, QFile::encodeName(folder.path()), [&](int, int) { cancel = cancelling; },
            &cancel);
        EXPECT_EQ(done.outcome.problem,
                  cancelling ? files::SaveProblem::Cancelled : files::SaveProblem::IsFolder);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
}

} // namespace
