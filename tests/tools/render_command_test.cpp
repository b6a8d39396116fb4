#include "canvas/raster.h"
#include "design/design_model.h"
#include "fifo_guard.h"
#include "patterns/catalogue.h"
#include "print/print_engine.h"
#include "print/sharp_render.h"
#include "progress_line.h"
#include "render_run.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Outcome = test_support::RenderRun;
using tiling::Repeat;

// A command line split at spaces, where "@name" stands for that file in `folder`.
QStringList commandLine(const QString& line, const QTemporaryDir& folder) {
    QStringList arguments = line.split(' ', Qt::SkipEmptyParts);
    for (QString& argument : arguments) {
        if (argument.startsWith('@')) {
            argument = folder.filePath(argument.mid(1));
        }
    }
    return arguments;
}

// The design of the page tests: two presses of chosen colours near the top-left corner.
const QString kDesign = "--pattern Command13 --fill 30,5,#102030 --fill 5,30,#405060 ";

class RenderCommand : public ::testing::Test {
  protected:
    QString file(const QString& name) const { return directory.filePath(name); }
    Outcome run(const QString& line) const {
        return test_support::runRender(commandLine(line, directory));
    }
    QImage image(const QString& name) const {
        return QImage(file(name)).convertToFormat(QImage::Format_RGB32);
    }
    // Runs the line with "-o @name" added and reads the file it wrote.
    QImage rendered(const QString& line, const QString& name) const {
        EXPECT_EQ(run(line + " -o @" + name).status, 0) << line.toStdString();
        return image(name);
    }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QTemporaryDir directory;
};

TEST_F(RenderCommand, ListsTheWholeCatalogueAndEveryFigureRenders) {
    EXPECT_EQ(run("--help").status, 0);
    const Outcome list = run("--list");
    ASSERT_EQ(list.status, 0);
    const QStringList lines = list.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 48);
    // The canvas in its own blue with nothing drawn on it.
    QImage blank(142, 142, QImage::Format_RGB32);
    blank.fill(qRgb(0x44, 0x5C, 0xAE));
    const QRegularExpression caption(QStringLiteral("(图案|格子|墙砖|如意|太极)$"));
    for (const QString& line : lines) {
        SCOPED_TRACE(line.toStdString());
        const QStringList fields = line.split('\t');
        ASSERT_EQ(fields.size(), 3);
        EXPECT_TRUE(caption.match(fields[1]).hasMatch());
        const QImage figure = rendered("--pattern " + fields[0], "figure.png");
        EXPECT_EQ(figure.size(), QSize(142, 142));
        EXPECT_TRUE(figure != blank);
    }
}

TEST_F(RenderCommand, PressesAndAdvancedDrawsTakeSeededOrChosenColoursScopesAndSymmetries) {
    // A seed repeats the colours of presses and the draws of the advanced patterns.
    for (const QString seeded :
         {"--pattern Command12 --width 2 --fill 20,20 --fill 70,10 --seed 7",
          "--advanced 1 --seed 11 --category 1", "--advanced 2 --seed 11 --category 1",
          "--advanced 3 --seed 11 --category 1", "--advanced 4 --seed 11 --category 1"}) {
        SCOPED_TRACE(seeded.toStdString());
        EXPECT_EQ(rendered(seeded, "a.png"), rendered(seeded, "b.bmp"));
    }
    const QImage pressed =
        rendered("--pattern Command12 --fill 20,20 --fill 70,10 --seed 7", "a.png");
    EXPECT_NE(pressed.pixel(20, 20), pressed.pixel(100, 20));

    const QImage plain = rendered("--pattern Command13 --seed 5", "plain.png");
    constexpr QRgb orange = qRgb(0xFF, 0x80, 0x00);
    QImage art(400, 400, QImage::Format_RGB32); // a ring, three times the design's size
    art.fill(Qt::white);
    QPainter(&art).drawEllipse(QPoint(200, 200), 150, 150);
    ASSERT_TRUE(art.save(file("art.png")));
    const struct {
        const char* options;
        bool (*holds)(const QImage& plain, const QImage& after);
    } cases[] = {
        {"--pattern Command13 --seed 5 --fill 10,10,#FF8000 --symmetry eight",
         [](const QImage&, const QImage& after) {
             return after.pixel(131, 10) == orange && after.pixel(10, 131) == orange &&
                    after.pixel(131, 131) == orange;
         }},
        {"--pattern Command13 --seed 5 --fill 10,10,#FF8000 --fill-scope global",
         [](const QImage& plain, const QImage& after) {
             return after.createMaskFromColor(orange) ==
                    plain.createMaskFromColor(plain.pixel(10, 10));
         }},
        {"--line-art @art.png --threshold 0.6 --fill 71,71,#FF8000",
         [](const QImage&, const QImage& after) {
             return after.pixel(71, 71) == orange && after.pixel(71, 17) == qRgb(0, 0, 0) &&
                    after.pixel(71, 10) == qRgb(0x44, 0x5C, 0xAE);
         }},
        // A stroke bounds the press after it.
        {"--pattern Command13 --seed 5 --stroke rect:20,20,60,60:3:#FF8000 --fill 50,30,#0000FF",
         [](const QImage& plain, const QImage& after) {
             return after.pixel(20, 40) == orange && after.pixel(50, 30) == qRgb(0, 0, 0xFF) &&
                    after.pixel(5, 30) == plain.pixel(5, 30);
         }},
        {"--pattern Command13 --seed 5 --fill 10,10 --colour-rule analogous --base #FF0000",
         [](const QImage&, const QImage& after) {
             const int hue = QColor(after.pixel(10, 10)).hsvHue();
             return hue <= 30 || hue >= 330;
         }},
        // Two close colours merge into the one of the larger area; a reduction comes in order.
        {"--pattern Command13 --seed 5 --fill 10,10,#FF8000 --fill 70,70,#FF8808 --merge-colours 5",
         [](const QImage&, const QImage& after) {
             return after.pixel(10, 10) == qRgb(0xFF, 0x88, 0x08) &&
                    after.pixel(70, 70) == after.pixel(10, 10);
         }},
        {"--pattern Command13 --seed 5 --colours 2 --fill 10,10,#FF8000",
         [](const QImage&, const QImage& after) {
             return colouring::palette(after).size() == 3 && after.pixel(10, 10) == orange;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        EXPECT_TRUE(c.holds(plain, rendered(c.options, "pressed.png")));
    }
    const Outcome unreadable = run("--line-art @plain.ccpat -o @x.png");
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_TRUE(unreadable.err.contains("cannot import")) << unreadable.err.toStdString();
    const QImage sheet = rendered("--pattern Command13 --seed 5 --colourways 6", "sheet.png");
    EXPECT_GT(sheet.width(), 3 * 142);
    EXPECT_GT(sheet.height(), 2 * 142);
}

TEST_F(RenderCommand, DesignDocumentsRedrawWhatWasDrawnAndPrintSharp) {
    const QImage drawn =
        rendered("--pattern Command55 --width 2 --fill 71,71,#FF8000 --fill 10,10 "
                 "--stroke ellipse:30,40,110,100:3 --seed 3 --save-design @a.ccpat",
                 "a.png");
    EXPECT_EQ(rendered("--design @a.ccpat", "b.png"), drawn);
    // Presses that round onto the canvas's last pixels, or off it, as the window records them.
    const QString edges = "--pattern Command13 --fill 141.4,0.5 --fill 141.6,10 --fill 0.4,141.5 ";
    const QImage edgesDrawn = rendered(edges + "--save-design @edges.ccpat", "edges.png");
    EXPECT_EQ(rendered("--design @edges.ccpat", "again.png"), edgesDrawn);

    // A press on one link of a one-pixel circle outline: drawn finer the outline is one band, and
    // the press fills the part of it in the link's blocks only.
    write("link.ccpat", R"({"format": "chengchuan-pattern-design", "version": 1,
        "background": "#445CAE",
        "source": {"kind": "catalogue", "figure": "Command55", "lineWidth": 1},
        "changes": [{"kind": "press", "x": 71, "y": 14, "colour": "#FF0000",
                     "scope": "region", "symmetry": "none"}]})");
    const QImage link = rendered("--design @link.ccpat", "m.png");
    const QImage figure =
        rendered("--figure-pad 8 --fill 2,2 --save-design @figure.ccpat", "f.png");
    EXPECT_EQ(rendered("--design @figure.ccpat", "f2.png"), figure);
    for (const auto& [document, design] :
         {std::pair{"a", drawn}, std::pair{"link", link}, std::pair{"figure", figure}}) {
        SCOPED_TRACE(document);
        const Outcome tiled =
            run("--design @" + QString(document) + ".ccpat --tile-size 568 -o @tile.png");
        ASSERT_EQ(tiled.status, 0);
        EXPECT_FALSE(tiled.err.contains("warning")) << tiled.err.toStdString();
        const QImage page = image("tile.png");
        const QImage tile = page.copy(0, 0, 568, 568);
        EXPECT_EQ(page, tiling::repeatOver(tile, {643, 643}, Repeat::Straight));
        EXPECT_NE(tile, canvas::enlargeByBlocks(design, 4));
        EXPECT_GE(print::blockAgreement(design, tile, 4), print::kLeastBlockAgreement);
    }

    write("bad.ccpat", "{\"format\": ");
    const QByteArray fifo = QFile::encodeName(file("fifo.ccpat"));
    mkfifo(fifo.constData(), 0600);
    for (const auto& [document, reason] : {std::pair{"bad", "JSON"}, {"fifo", "regular file"}}) {
        SCOPED_TRACE(document);
        Outcome refused{};
        EXPECT_TRUE(test_support::returnsPromptly(
            fifo, [&] { refused = run("--design @" + QString(document) + ".ccpat -o @c.png"); }));
        EXPECT_EQ(refused.status, 2);
        EXPECT_TRUE(refused.err.contains(reason)) << refused.err.toStdString();
        EXPECT_FALSE(QFile::exists(file("c.png")));
    }
}

// Pages in every repeat and size form, decoded and compared with the tiling held in memory;
// effect pictures with the design at their tile offsets.
TEST_F(RenderCommand, PagesAndEffectsPlaceTheTilesAtTheirSizeOffsetsAndResolution) {
    const QImage tile = rendered(kDesign, "design.png");
    const struct {
        const char* options;
        int width, height, tileWidth, tileHeight;
        Repeat repeat;
        double dotsPerInch; // as a decoder reads it back; 96 when the file says nothing
    } cases[] = {
        {"--out-size 400x300 --repeat half-drop", 400, 300, 142, 142, Repeat::HalfDrop, 96},
        {"--out-size 400x300 --repeat brick", 400, 300, 142, 142, Repeat::Brick, 96},
        {"--out-size 400x300 --repeat mirror", 400, 300, 142, 142, Repeat::Mirror, 96},
        {"--repeat rotate", 643, 643, 142, 142, Repeat::Rotate, 96},
        {"--out-size 5x3cm --dpi 100", 197, 118, 142, 142, Repeat::Straight, 100},
        {"--out-size 2x1in --tile-size 50x40 --repeat brick", 600, 300, 50, 40, Repeat::Brick, 300},
        {"--out-size 70x40mm --dpi 72 --tile-size 1cm --repeat half-drop", 198, 113, 28, 28,
         Repeat::HalfDrop, 72},
        {"--out-size 300 --tile-size 80", 300, 300, 80, 80, Repeat::Straight, 96},
        {"--out-size 300x10 --dpi 30 --tile-size 100 --fit-repeat rotary-64cm", 300, 752, 94, 94,
         Repeat::Straight, 30},
        {"--fit-repeat panel-24in --dpi 10 --repeat brick", 240, 240, 120, 120, Repeat::Brick, 10},
        {"--out-size 400x300 --repeat brick-1/3", 400, 300, 142, 142, Repeat::BrickThird, 96},
        {"--out-size 400x300 --repeat p4g", 400, 300, 142, 142, Repeat::P4g, 96},
        {"--out-size 300x500 --repeat p6m", 300, 500, 142, 142, Repeat::P6m, 96},
    };
    for (const auto& c : cases) {
        for (const QString extension : {"png", "bmp"}) {
            SCOPED_TRACE(c.options + (" " + extension).toStdString());
            const QImage page = rendered(kDesign + c.options, "page." + extension);
            const QImage stretched = print::scaledTile(tile, {c.tileWidth, c.tileHeight});
            EXPECT_EQ(page, tiling::repeatOver(stretched, {c.width, c.height}, c.repeat));
            EXPECT_NEAR(page.dotsPerMeterX() * 0.0254, c.dotsPerInch, 0.02);
        }
    }
    EXPECT_TRUE(
        run(kDesign + "--dpi 30 --tile-size 100 --fit-repeat rotary-64cm -o @fit.png")
            .err.contains(QString::fromUtf8("640 mm ÷ 8 = 80 mm; tiles of 94 x 94 pixels")));
    // Where the half-drop and brick repeats of those pages put the design's pixels.
    const QImage drop = tiling::repeatOver(tile, {400, 300}, Repeat::HalfDrop);
    EXPECT_EQ(drop.pixel(142 + 30, 71 + 5), tile.pixel(30, 5));
    EXPECT_EQ(drop.pixel(284 + 5, 30), tile.pixel(5, 30));
    EXPECT_EQ(tiling::repeatOver(tile, {400, 300}, Repeat::Brick).pixel(71 + 30, 142 + 5),
              tile.pixel(30, 5));
    const QImage credited = rendered(kDesign + "--out-size 300x200 --credit", "credit.png");
    const QImage plain = tiling::repeatOver(tile, {300, 200}, Repeat::Straight);
    EXPECT_NE(credited.copy(0, 0, 300, 20), plain.copy(0, 0, 300, 20));
    EXPECT_EQ(credited.copy(0, 20, 300, 180), plain.copy(0, 20, 300, 180));

    // The same page in separations: its composite, and one screen a colour but the background.
    ASSERT_TRUE(QDir(directory.path()).mkdir("screens"));
    EXPECT_EQ(run(kDesign + "--out-size 400x300 --repeat brick --trap 2 --registration-marks "
                            "--unprinted-background --screen-compression deflate --separations "
                            "@screens")
                  .status,
              0);
    EXPECT_EQ(image("screens/composite.png"), tiling::repeatOver(tile, {400, 300}, Repeat::Brick));
    EXPECT_EQ(QDir(file("screens")).entryList({"0?-#*.tif"}).size(),
              print::fewColours({&tile})->size() - 1);

    const QImage own = rendered(kDesign + "--effect own", "own.png");
    EXPECT_EQ(own.size(), QSize(643, 643));
    EXPECT_EQ(own.pixel(142 * 2 + 30, 142 + 5), tile.pixel(30, 5));
    const QImage scaled = rendered(kDesign + "--effect 80 --no-credit", "80.png");
    EXPECT_EQ(scaled.pixel(2, 2), scaled.pixel(80 * 3 + 2, 80 * 5 + 2));
}

TEST(ProgressLine, ShowsAfterASecondThenAFewTimesASecondAndEndsItsLine) {
    const struct {
        double seconds;
        int rowsDone;
        const char* shown; // what this step adds to stderr
    } steps[] = {
        {0.5, 100, ""},
        {1.0, 200, "\r20%  200 rows/s  0:04 left"},
        {1.1, 210, ""},
        {2.0, 20, "\r2%  10 rows/s  1:38 left  "},
        {4.0, 1, "\r0%  0 rows/s  1:06:36 left"},
        {3000.0, 999, "\r99%  0 rows/s  0:03 left  "},
    };
    double now = 0;
    QString err, expected;
    QTextStream stream(&err);
    ProgressLine line(
        stream, [&now] { return now; }, true);
    for (const auto& step : steps) {
        now = step.seconds;
        line.update(step.rowsDone, 1000);
        stream.flush();
        expected += QString::fromUtf8(step.shown);
        EXPECT_EQ(err.toStdString(), expected.toStdString()) << step.seconds;
    }
    line.finish();
    stream.flush();
    EXPECT_TRUE(err.endsWith('\n'));
}

TEST_F(RenderCommand, BadArgumentsExplainThemselvesAndWriteNothing) {
    // One row for each check, given after a figure and an output file; "" leaves the output out.
    // Rows naming their own output (-o or --separations) give it in place of x.png.
    const QStringList designRows(
        {"--pattern Command99", "--advanced 5", "--fill 142,3", "--fill x,3", "--stroke line:1,2",
         "--stroke eraser:1,2,3,4:#000000", "--width 0", "--seed", "--symmetry six",
         "--colour-rule chosen", "--base red", "--colourways 0", "--merge-colours 30.5",
         "--colours 25", "--colourways 6 --effect own", "--threshold 2", "--bogus",
         "--figure-pad 31", ""});
    const QStringList outputRows(
        {"--effect -5", "--out-size 0x10", "--out-size 21x29.7", "--out-size 21x29.7pt",
         "--out-size 300001x10", "--out-size 40000 -o @x.bmp", "--tile-size 20001", "--dpi 0",
         "--dpi 0.5", "--dpi 10001", "--dpi nan", "--repeat diagonal", "-o @x.gif",
         "--separations @ --trap 11", "--screen-compression jbig", "--separations @ -o @x.png",
         "--fit-repeat rotary", "--fit-repeat 91.4cm --dpi 10000"});
    const QStringList inertRows(
        {"--seed 1 --seed 2", "--output @y.png", "--credit", "--effect own --out-size 300",
         "--effect 9 --repeat brick", "--no-credit", "--category 1", "--symmetry four",
         "--threshold 0.5", "--unprinted-background", "--registration-marks --trap 2"});
    for (const QString& row : designRows + outputRows + inertRows) {
        SCOPED_TRACE(row.toStdString());
        const bool output = row.isEmpty() || row.contains("-o ") || row.contains("--separations");
        const Outcome refused =
            run(QString("--pattern Command12 ") + (output ? "" : "-o @x.png ") + row);
        EXPECT_EQ(refused.status, 2);
        EXPECT_TRUE(refused.err.startsWith("pattern-render: ")) << refused.err.toStdString();
        EXPECT_EQ(refused.err.count('\n'), 1) << refused.err.toStdString();
    }
    const Outcome io = run("--pattern Command12 -o @missing/folder/x.png");
    EXPECT_EQ(io.status, 1);
    EXPECT_TRUE(io.err.contains("missing/folder/x.png"));
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 0);
}

// The program as a child process, in a locale, under a limit of memory or file size (bytes; 0:
// none), and stopped by a signal once its temporary file appears (0: left to finish); a status
// of -1 is death by that signal. Whatever happens, stderr holds only the program's own lines and
// the folder what it held before.
TEST(RenderProgram, FailsSoundlyAndSpeaksTheLocalesLanguage) {
    QTemporaryDir folder;
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.filePath("pipe.bmp")), 0644), 0);
    QFile document(folder.filePath("cut-picture.ccpat")); // its picture is a PNG cut short
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write(R"({"format": "chengchuan-pattern-design", "version": 1,
        "background": "#445CAE", "source": {"kind": "picture", "lineWidth": 1},
        "picture": "iVBORw0KGgoAAAANSUhEUgAAAAIAAAACCAIAAAD91JpzAAAAFklEQVR4nGP4", "changes": []})");
    document.close();
    const auto files = [&folder] {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    };
    const char* const huge = "--pattern Command12 --out-size 300000x300000 -o @page.png";
    struct ProgramRun {
        const char* arguments;
        const char* language;
        __rlimit_resource resource;
        rlim_t limit;
        int signal, status;
        const char* message;
    };
    std::vector<ProgramRun> runs{
        {"--pattern NoSuchFigure -o @design.bmp", "C", RLIMIT_AS, 0, 0, 2, "NoSuchFigure"},
        {"--bogus", "zh_CN.UTF-8", RLIMIT_AS, 0, 0, 2, "没有选项"},
        {"--list", "zh_CN.UTF-8", RLIMIT_AS, 0, 0, 0, "Command1\t领带图案\t领带图案\n"},
        {"--pattern Command12 -o @pipe.bmp", "C", RLIMIT_AS, 0, 0, 1, "not an ordinary file"},
        {"--pattern Command12 -o @pipe.bmp", "zh_CN.UTF-8", RLIMIT_AS, 0, 0, 1, "不是普通文件"},
        {"--design @cut-picture.ccpat -o @design.png", "C", RLIMIT_AS, 0, 0, 2, "not a readable"},
        {"--pattern Command12 --out-size 20000x20000 -o @design.bmp", "C", RLIMIT_FSIZE,
         rlim_t(1) << 20, 0, 1, "larger than the system allows"},
        {huge, "C", RLIMIT_AS, 0, SIGINT, 130, "cancelled"},
        {huge, "C", RLIMIT_AS, 0, SIGTERM, 143, "cancelled"},
        {huge, "C", RLIMIT_AS, 0, SIGHUP, 129, "cancelled"},
        {huge, "C", RLIMIT_AS, 0, SIGQUIT, 131, "cancelled"},
        {huge, "C", RLIMIT_AS, 0, SIGUSR1, 138, "cancelled"},
        {huge, "C", RLIMIT_AS, 0, SIGABRT, -1, ""},
    };
#if !defined(__SANITIZE_ADDRESS__)
    // A tile far larger than the memory allowed is refused before it is drawn, and a document
    // whose reading runs out of memory is a message too, never an abort.
    runs.push_back({"--pattern Command12 --tile-size 20000 --out-size 20000x20000 -o @design.bmp",
                    "C", RLIMIT_AS, rlim_t(1) << 30, 0, 1,
                    "not enough memory for a 20000 x 20000 tile"});
    runs.push_back({"--design @large.ccpat --tile-size 1000 -o @design.bmp", "C", RLIMIT_AS,
                    rlim_t(170) << 20, 0, 1, "not enough memory"});
    QImage noise(2048, 2048, QImage::Format_RGB32);
    QRandomGenerator(1).fillRange(reinterpret_cast<quint32*>(noise.bits()), 2048 * 2048);
    design::DesignDocument large;
    large.record = {0, {noise}, colouring::PictureSource{}, {}};
    design::saveDesignDocument(large, QFile::encodeName(folder.filePath("large.ccpat")));
#endif
    for (const ProgramRun& run : runs) {
        SCOPED_TRACE(std::string(run.arguments) + " in " + run.language);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", run.language);
        environment.remove("XDG_RUNTIME_DIR"); // which Qt would otherwise remark on
        process.setProcessEnvironment(environment);
        process.setChildProcessModifier([run] {
            const rlimit value{run.limit, run.limit};
            if (run.limit != 0) {
                setrlimit(run.resource, &value);
            }
        });
        const QStringList before = files();
        process.start(PATTERN_RENDER_PATH, commandLine(run.arguments, folder));
        if (run.signal != 0) { // once the render's temporary file is there
            for (int tries = 0; tries < 3000 && files().size() == before.size(); ++tries) {
                usleep(10000);
            }
            ASSERT_EQ(files().size(), before.size() + 1);
            kill(pid_t(process.processId()), run.signal);
        }
        ASSERT_TRUE(process.waitForFinished(120000));
        const bool killed = run.status < 0;
        EXPECT_EQ(process.exitStatus(), killed ? QProcess::CrashExit : QProcess::NormalExit);
        EXPECT_EQ(killed ? 0 : process.exitCode(), std::max(run.status, 0));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        const QString said = err + QString::fromUtf8(process.readAllStandardOutput());
        EXPECT_TRUE(said.contains(QString::fromUtf8(run.message))) << said.toStdString();
        EXPECT_EQ(("\n" + err).count("\npattern-render: "), err.count('\n'))
            << "only its own lines";
        EXPECT_EQ(files(), before);
    }
}

TEST_F(RenderCommand, WritesTheFileNameBytesExactlyAsGiven) {
    // "中文.bmp" in GBK: not valid UTF-8, so only the bytes themselves name it.
    const QByteArray name = QFile::encodeName(directory.path()) + "/\xd6\xd0\xce\xc4.bmp";
    const QByteArray document = QFile::encodeName(directory.path()) + "/\xd6\xd0.ccpat";
    const QList<QByteArray> saving{"--pattern", "Command12", "-o", name, "--save-design", document};
    EXPECT_EQ(test_support::runRender(saving).status, 0);
    EXPECT_EQ(access(name, F_OK), 0);
    const QList<QByteArray> opening{"--design", document, "-o", name};
    EXPECT_EQ(test_support::runRender(opening).status, 0);
    // QTemporaryDir cannot remove a name it cannot decode.
    EXPECT_EQ(unlink(name) + unlink(document), 0);
}

TEST_F(RenderCommand, RecordsTheDocumentTheWindowRecordsForTheSamePresses) {
    ASSERT_EQ(run("--pattern Command12 --width 3 --fill 5,60,#3050A0 --fill 100.4,100,#A02020 "
                  "--save-design @a.ccpat")
                  .status,
              0);
    canvas::RandomSource random;
    design::DesignModel window(random);
    window.showOpening(QString());
    window.setLineWidthText("3");
    window.drawFigure("Command12", patterns::caption(*patterns::findFigure(u"Command12")));
    for (const auto& [x, y, colour] :
         {std::tuple(5.0f, 60.0f, canvas::rgbColour(0x30, 0x50, 0xA0)),
          std::tuple(100.4f, 100.0f, canvas::rgbColour(0xA0, 0x20, 0x20))}) {
        window.setPressOptions({colouring::ColourRule::Chosen, colour, {}, {}});
        window.press(x, y);
    }
    QFile saved(file("a.ccpat"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), design::writeDesignDocument(window.document()));
}

} // namespace
