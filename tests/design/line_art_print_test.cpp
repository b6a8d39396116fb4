#include "design/design_model.h"
#include "scripted_random.h"

#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>

namespace {

constexpr int kSide = 1420; // ten source pixels a design pixel
constexpr QRgb kLine = 0xFF000000u;

// A white picture of kSide with what `draw` paints on it.
QImage picture(const std::function<void(QPainter&)>& draw) {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter);
    return image;
}

// The picture imported into a fresh model as 导入线稿 does.
struct Imported {
    explicit Imported(const QImage& source) {
        colouring::LineArtOptions options;
        options.background = qRgb(0x44, 0x5C, 0xAE); // the canvas colour, darker than mid-grey
        model.importLineArt(source, options, QStringLiteral("线稿"));
    }
    // A press at a design pixel with its own colour; the tile printed at ten times.
    void press(QPoint pixel, QRgb colour) {
        model.setPressOptions({colouring::ColourRule::Chosen, canvas::fromPixel(colour)});
        model.press(float(pixel.x()), float(pixel.y()));
    }
    QImage tile() const {
        const print::SharpTile tile = model.renderSharpTile({kSide, kSide});
        EXPECT_TRUE(tile.sharp) << tile.agreement;
        return tile.image;
    }

    test_support::ScriptedRandom random{{0.5}, test_support::RepeatScript{}};
    design::DesignModel model{random};
};

// Every pixel `mine` picks that the picture leaves light has the colour; none `theirs` picks has.
void expectFilled(const QImage& source, const QImage& tile, QRgb colour,
                  const std::function<bool(int, int)>& mine,
                  const std::function<bool(int, int)>& theirs) {
    int missed = 0;
    int leaked = 0;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool filled = tile.pixel(x, y) == colour;
            missed += mine(x, y) && qGray(source.pixel(x, y)) >= 128 && !filled;
            leaked += theirs(x, y) && filled;
        }
    }
    EXPECT_EQ(missed, 0);
    EXPECT_EQ(leaked, 0);
}

TEST(LineArtPrint, ImportKeepsItsLinesThroughADocument) {
    const QImage source = picture([](QPainter& p) { p.drawEllipse(100, 300, 1200, 800); });
    Imported imported(source);
    ASSERT_EQ(
        std::get<colouring::LineArtDrawing>(imported.model.record().picture.drawing).lines.size(),
        QSize(kSide, kSide));
    imported.press({71, 71}, 0xFF20C040u);
    QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("a.ccpat")));
    ASSERT_TRUE(imported.model.saveDocument(path).saved);
    Imported opened(QImage{});
    ASSERT_TRUE(opened.model.openDocument(path).document);
    EXPECT_EQ(opened.model.record(), imported.model.record());
    EXPECT_EQ(opened.model.canvas().image(), imported.model.canvas().image());
    EXPECT_EQ(opened.tile(), imported.tile());
}

// A press fills at ten times what it filled in the design, and nothing across a line, even where
// the line has a gap of one source pixel that the design's pixel closes.
TEST(LineArtPrint, APressFillsItsRegionWholeAtEveryScale) {
    const QRect box(300, 300, 800, 600);
    const struct {
        const char* name;
        std::function<void(QPainter&)> draw;
        std::function<bool(int, int)> mine;
        std::function<bool(int, int)> theirs;
    } cases[] = {
        {"a closed outline",
         [&](QPainter& p) {
             p.setPen(QPen(Qt::black, 3));
             p.drawRect(box);
         },
         [&](int x, int y) { return box.adjusted(2, 2, -2, -2).contains(x, y); },
         [&](int x, int y) { return !box.adjusted(-2, -2, 2, 2).contains(x, y); }},
        {"a hairline gap",
         [](QPainter& p) {
             p.fillRect(700, 0, 3, 700, Qt::black);
             p.fillRect(700, 701, 3, kSide - 701, Qt::black);
         },
         // The searches from both sides meet in the gap, inside the line's design pixels.
         [](int x, int) { return x < 700; }, [](int x, int) { return x >= 710; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage source = picture(c.draw);
        Imported imported(source);
        imported.press({45, 71}, 0xFFC04020u);
        imported.press({130, 130}, 0xFF2040C0u);
        const QImage tile = imported.tile();
        expectFilled(source, tile, 0xFFC04020u, c.mine, c.theirs);
        expectFilled(source, tile, 0xFF2040C0u, c.theirs, c.mine);
    }
}

double intersectionOverUnion(const QImage& lines, const QImage& printed) {
    std::int64_t both = 0;
    std::int64_t either = 0;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool line = qGray(lines.pixel(x, y)) < 128;
            const bool shown = printed.pixel(x, y) == kLine;
            both += line && shown;
            either += line || shown;
        }
    }
    return double(both) / double(either);
}

// Printed lines against the drawing's, for an anti-aliased drawing of circles, diagonals and
// lines three pixels wide.
TEST(LineArtPrint, PrintedLinesFollowTheDrawing) {
    const QImage source = picture([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 3));
        p.drawEllipse(QPointF(500, 500), 380, 380);
        p.drawEllipse(QPointF(1000, 900), 300, 300);
        p.drawLine(QPointF(20, 1400), QPointF(1400, 20));
        p.drawLine(QPointF(0, 1300.5), QPointF(1420, 1300.5));
    });
    Imported imported(source);
    const QPoint presses[] = {{50, 50}, {30, 140}, {100, 90}, {130, 20}};
    const QRgb colours[] = {0xFFC04020u, 0xFF20C040u, 0xFF2040C0u, 0xFFC0C020u};
    for (int i = 0; i < 4; ++i) {
        imported.press(presses[i], colours[i]);
    }
    const QImage tile = imported.tile();
    const QImage design = imported.model.canvas().image();
    const double sharp = intersectionOverUnion(source, tile);
    const double enlarged = intersectionOverUnion(source, design.scaled(kSide, kSide));
    std::cout << "line IoU: printed " << sharp << ", design enlarged " << enlarged << "\n";
    EXPECT_GE(sharp, 0.9);
    for (int i = 0; i < 4; ++i) {
        // The region at full resolution: the source's light pixels 4-connected to the press; those
        // the design shows in the press's colour are all filled, and nothing outside it is.
        std::vector<QPoint> pending{presses[i] * 10 + QPoint(5, 5)};
        QImage seen(kSide, kSide, QImage::Format_Mono);
        seen.fill(0);
        int missed = 0;
        while (!pending.empty()) {
            const QPoint at = pending.back();
            pending.pop_back();
            if (!source.rect().contains(at) || seen.pixelIndex(at) ||
                qGray(source.pixel(at)) < 128) {
                continue;
            }
            seen.setPixel(at, 1);
            missed += design.pixel(at.x() / 10, at.y() / 10) == colours[i] &&
                      tile.pixel(at) != colours[i];
            pending.insert(pending.end(), {at + QPoint(1, 0), at - QPoint(1, 0), at + QPoint(0, 1),
                                           at - QPoint(0, 1)});
        }
        EXPECT_EQ(missed, 0) << i;
        int leaked = 0;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                leaked += tile.pixel(x, y) == colours[i] && !seen.pixelIndex(x, y);
            }
        }
        EXPECT_EQ(leaked, 0) << i;
    }
}

} // namespace
