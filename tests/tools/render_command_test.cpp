#include "canvas/raster.h"
#include "progress_line.h"
#include "render_command.h"
#include "render_run.h"
#include "workflow/print_engine.h"
#include "workflow/sharp_render.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Outcome = test_support::RenderRun;

Outcome render(const QStringList& arguments) {
    return test_support::runRender(arguments);
}

class RenderCommand : public ::testing::Test {
  protected:
    QString file(const QString& name) const { return directory.filePath(name); }
    QTemporaryDir directory;
};

TEST_F(RenderCommand, ListsTheWholeCatalogueAndEveryFigureRenders) {
    const Outcome list = render({"--list"});
    ASSERT_EQ(list.status, 0);
    // The canvas in its own blue with nothing drawn on it.
    QImage blank(142, 142, QImage::Format_RGB32);
    blank.fill(qRgb(0x44, 0x5C, 0xAE));
    ASSERT_TRUE(blank.save(file("blank.png")));
    const QStringList lines = list.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 48);
    for (const QString& line : lines) {
        const QStringList fields = line.split('\t');
        ASSERT_EQ(fields.size(), 3) << line.toStdString();
        EXPECT_TRUE(fields[1].endsWith(QStringLiteral("图案")) ||
                    fields[1].endsWith(QStringLiteral("格子")) ||
                    fields[1].endsWith(QStringLiteral("墙砖")) ||
                    fields[1].endsWith(QStringLiteral("如意")) ||
                    fields[1].endsWith(QStringLiteral("太极")))
            << line.toStdString();
        const QString path = file(fields[0] + ".png");
        ASSERT_EQ(render({"--pattern", fields[0], "-o", path}).status, 0);
        const QImage image(path);
        ASSERT_EQ(image.size(), QSize(142, 142)) << line.toStdString();
        EXPECT_NE(image, QImage(file("blank.png"))) << line.toStdString();
    }
}

TEST_F(RenderCommand, PressesTakeSeededOrExplicitColours) {
    const QStringList design{"--pattern", "Command12", "--width", "2",      "--fill",
                             "20,20",     "--fill",    "70,10",   "--seed", "7"};
    ASSERT_EQ(render(design + QStringList{"-o", file("a.png")}).status, 0);
    ASSERT_EQ(render(design + QStringList{"-o", file("b.bmp")}).status, 0);
    const QImage first = QImage(file("a.png")).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(first, QImage(file("b.bmp")).convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(first.pixel(20, 20), first.pixel(100, 20));

    ASSERT_EQ(
        render({"--pattern", "Command11", "--fill", "10,10,#FF8000", "-o", file("c.png")}).status,
        0);
    const QImage explicitColour(file("c.png"));
    EXPECT_EQ(explicitColour.pixel(10, 10), qRgb(255, 128, 0));
    EXPECT_EQ(explicitColour.pixel(0, 0), qRgb(255, 128, 0));
    EXPECT_NE(explicitColour.pixel(100, 100), qRgb(255, 128, 0));
}

TEST_F(RenderCommand, EffectAndRepeatsPlaceTilesAtTheirOffsets) {
    const QStringList design{"--pattern",    "Command13", "--fill",
                             "30,5,#102030", "--fill",    "5,30,#405060"};
    ASSERT_EQ(render(design + QStringList{"-o", file("design.png")}).status, 0);
    const QImage tile(file("design.png"));

    ASSERT_EQ(render(design + QStringList{"--effect", "own", "-o", file("own.png")}).status, 0);
    const QImage own(file("own.png"));
    ASSERT_EQ(own.size(), QSize(643, 643));
    EXPECT_EQ(own.pixel(142 * 2 + 30, 142 + 5), tile.pixel(30, 5));

    ASSERT_EQ(render(design + QStringList{"--out-size", "400x300", "--repeat", "half-drop", "-o",
                                          file("drop.png")})
                  .status,
              0);
    const QImage drop(file("drop.png"));
    ASSERT_EQ(drop.size(), QSize(400, 300));
    EXPECT_EQ(drop.pixel(142 + 30, 71 + 5), tile.pixel(30, 5));
    EXPECT_EQ(drop.pixel(284 + 5, 30), tile.pixel(5, 30));

    ASSERT_EQ(render(design + QStringList{"--out-size", "400x300", "--repeat", "brick", "-o",
                                          file("brick.png")})
                  .status,
              0);
    const QImage brick(file("brick.png"));
    EXPECT_EQ(brick.pixel(71 + 30, 142 + 5), tile.pixel(30, 5));

    ASSERT_EQ(
        render(design + QStringList{"--effect", "80", "--no-credit", "-o", file("80.png")}).status,
        0);
    const QImage scaled(file("80.png"));
    EXPECT_EQ(scaled.pixel(2, 2), scaled.pixel(80 * 3 + 2, 80 * 5 + 2));
}

TEST_F(RenderCommand, ColourOptionsShapeThePressesAndTheColourwaySheet) {
    const QStringList design{"--pattern", "Command13", "--seed", "5"};
    ASSERT_EQ(render(design + QStringList{"-o", file("plain.png")}).status, 0);
    const QImage plain = QImage(file("plain.png")).convertToFormat(QImage::Format_RGB32);
    const QRgb orange = qRgb(0xFF, 0x80, 0x00);
    const QRgb pressed = plain.pixel(10, 10);
    struct Case {
        QStringList options;
        std::function<bool(const QImage&)> holds;
    };
    const Case cases[] = {
        {{"--fill", "10,10,#FF8000", "--symmetry", "eight"},
         [&](const QImage& after) {
             return after.pixel(131, 10) == orange && after.pixel(10, 131) == orange &&
                    after.pixel(131, 131) == orange;
         }},
        {{"--fill", "10,10,#FF8000", "--fill-scope", "global"},
         [&](const QImage& after) {
             for (int y = 0; y < 142; ++y) {
                 for (int x = 0; x < 142; ++x) {
                     if ((plain.pixel(x, y) == pressed) != (after.pixel(x, y) == orange)) {
                         return false;
                     }
                 }
             }
             return true;
         }},
        {{"--fill", "10,10", "--colour-rule", "analogous", "--base", "#FF0000"},
         [&](const QImage& after) {
             const int hue = QColor(after.pixel(10, 10)).hsvHue();
             return hue <= 30 || hue >= 330;
         }},
    };
    for (const Case& test : cases) {
        const QString path = file("pressed.png");
        ASSERT_EQ(render(design + test.options + QStringList{"-o", path}).status, 0);
        EXPECT_TRUE(test.holds(QImage(path).convertToFormat(QImage::Format_RGB32)))
            << test.options.join(' ').toStdString();
    }

    ASSERT_EQ(render(design + QStringList{"--colourways", "6", "-o", file("sheet.png")}).status, 0);
    const QImage sheet(file("sheet.png"));
    EXPECT_GT(sheet.width(), 3 * 142);
    EXPECT_GT(sheet.height(), 2 * 142);
}

TEST_F(RenderCommand, DesignDocumentsRedrawWhatWasDrawnAndPrintSharp) {
    const QStringList drawn{"--pattern",     "Command55", "--width", "2",      "--fill",
                            "71,71,#FF8000", "--fill",    "10,10",   "--seed", "3"};
    ASSERT_EQ(
        render(drawn + QStringList{"--save-design", file("a.ccpat"), "-o", file("a.png")}).status,
        0);
    ASSERT_EQ(render({"--design", file("a.ccpat"), "-o", file("b.png")}).status, 0);
    const QImage design = QImage(file("a.png")).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QImage(file("b.png")).convertToFormat(QImage::Format_RGB32), design);

    QFile mismatching(file("mismatching.ccpat"));
    ASSERT_TRUE(mismatching.open(QIODevice::WriteOnly));
    // A press on one link of a one-pixel circle outline: drawn finer, the outline is one band.
    mismatching.write(R"({"format": "chengchuan-pattern-design", "version": 1,
        "background": "#445CAE",
        "source": {"kind": "catalogue", "figure": "Command55", "lineWidth": 1},
        "changes": [{"kind": "press", "x": 71, "y": 14, "colour": "#FF0000",
                     "scope": "region", "symmetry": "none"}]})");
    mismatching.close();
    ASSERT_EQ(render({"--design", file("mismatching.ccpat"), "-o", file("m.png")}).status, 0);
    const QImage mismatchingDesign = QImage(file("m.png")).convertToFormat(QImage::Format_RGB32);

    const struct {
        QString document;
        QImage design;
        bool sharp;
    } cases[] = {{file("a.ccpat"), design, true},
                 {file("mismatching.ccpat"), mismatchingDesign, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document.toStdString());
        const Outcome tiled =
            render({"--design", c.document, "--tile-size", "568", "-o", file("tile.png")});
        ASSERT_EQ(tiled.status, 0);
        EXPECT_EQ(tiled.err.contains("warning"), !c.sharp) << tiled.err.toStdString();
        const QImage page = QImage(file("tile.png")).convertToFormat(QImage::Format_RGB32);
        const QImage enlarged = canvas::enlargeByBlocks(c.design, 4);
        EXPECT_EQ(page, workflow::repeatOver(page.copy(0, 0, 568, 568), {643, 643},
                                             workflow::Repeat::Straight));
        EXPECT_EQ(page.copy(0, 0, 568, 568) == enlarged, !c.sharp);
        EXPECT_GE(workflow::blockAgreement(c.design, page.copy(0, 0, 568, 568), 4),
                  workflow::kLeastBlockAgreement);
    }

    QFile bad(file("bad.ccpat"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\"format\": ");
    bad.close();
    const Outcome refused = render({"--design", file("bad.ccpat"), "-o", file("c.png")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains("JSON")) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(file("c.png")));
}

// Pages in every repeat and size form, decoded and compared with the tiling held in memory.
struct PageCase {
    QStringList options;
    QSize page;
    QSize tile;
    workflow::Repeat repeat;
    double dotsPerInch; // as a decoder reads it back; 96 when the file says nothing
};

TEST_F(RenderCommand, PagesEqualTheTilingInMemoryAtTheirSizeAndResolution) {
    const QStringList design{"--pattern",    "Command13", "--fill",
                             "30,5,#102030", "--fill",    "5,30,#405060"};
    ASSERT_EQ(render(design + QStringList{"-o", file("design.png")}).status, 0);
    const QImage tile = QImage(file("design.png")).convertToFormat(QImage::Format_RGB32);
    using workflow::Repeat;
    const PageCase cases[] = {
        {{"--out-size", "400x300", "--repeat", "mirror"},
         {400, 300},
         {142, 142},
         Repeat::Mirror,
         96},
        {{"--repeat", "rotate"}, {643, 643}, {142, 142}, Repeat::Rotate, 96},
        {{"--out-size", "5x3cm", "--dpi", "100"}, {197, 118}, {142, 142}, Repeat::Straight, 100},
        {{"--out-size", "2x1in", "--tile-size", "50x40", "--repeat", "brick"},
         {600, 300},
         {50, 40},
         Repeat::Brick,
         300},
        {{"--out-size", "70x40mm", "--dpi", "72", "--tile-size", "1cm", "--repeat", "half-drop"},
         {198, 113},
         {28, 28},
         Repeat::HalfDrop,
         72},
        {{"--out-size", "300", "--effect", "80"}, {300, 300}, {80, 80}, Repeat::Straight, 96},
    };
    for (const PageCase& c : cases) {
        const QString name = c.options.join(' ');
        for (const char* extension : {"png", "bmp"}) {
            const QString path = file(QStringLiteral("page.") + extension);
            ASSERT_EQ(render(design + c.options + QStringList{"-o", path}).status, 0)
                << name.toStdString();
            const QImage page(path);
            const QImage stretched = workflow::scaledTile(tile, c.tile);
            EXPECT_EQ(page.convertToFormat(QImage::Format_RGB32),
                      workflow::repeatOver(stretched, c.page, c.repeat))
                << name.toStdString() << " " << extension;
            EXPECT_NEAR(page.dotsPerMeterX() * 0.0254, c.dotsPerInch, 0.02) << name.toStdString();
        }
    }
    const QStringList credited = design + QStringList{"--out-size", "300x200", "--credit"};
    ASSERT_EQ(render(credited + QStringList{"-o", file("credit.png")}).status, 0);
    const QImage withCredit = QImage(file("credit.png")).convertToFormat(QImage::Format_RGB32);
    const QImage plain = workflow::repeatOver(tile, {300, 200}, Repeat::Straight);
    EXPECT_NE(withCredit.copy(0, 0, 300, 20), plain.copy(0, 0, 300, 20));
    EXPECT_EQ(withCredit.copy(0, 20, 300, 180), plain.copy(0, 20, 300, 180));
}

TEST(ProgressLine, ShowsAfterASecondThenAFewTimesASecondAndEndsItsLine) {
    struct Step {
        double seconds;
        int rowsDone;
        const char* shown; // what this step adds to stderr
    };
    const Step steps[] = {
        {0.5, 100, ""},
        {1.0, 200, "\r20%  200 rows/s  0:04 left"},
        {1.1, 210, ""},
        {2.0, 500, "\r50%  250 rows/s  0:02 left"},
        {3000.0, 999, "\r99%  0 rows/s  0:03 left  "},
    };
    double now = 0;
    QString err;
    QTextStream stream(&err);
    ProgressLine line(
        stream, [&now] { return now; }, true);
    QString expected;
    for (const Step& step : steps) {
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
    const QString target = file("never.png");
    const QList<QStringList> usage{
        {"--pattern", "Command99", "-o", target},
        {"--pattern", "Command12", "--fill", "142,3", "-o", target},
        {"--pattern", "Command12", "--fill", "x,3", "-o", target},
        {"--pattern", "Command12", "--width", "0", "-o", target},
        {"--pattern", "Command12", "--width", "abc", "-o", target},
        {"--pattern", "Command12", "--effect", "-5", "-o", target},
        {"--pattern", "Command12", "--out-size", "0x10", "-o", target},
        {"--pattern", "Command12", "--out-size", "-5x10", "-o", target},
        {"--pattern", "Command12", "--out-size", "nanxnan", "-o", target},
        {"--pattern", "Command12", "--out-size", "21x29.7", "-o", target},
        {"--pattern", "Command12", "--out-size", "21x29.7pt", "-o", target},
        {"--pattern", "Command12", "--out-size", "0.001cm", "-o", target},
        {"--pattern", "Command12", "--out-size", "300001x10", "-o", target},
        {"--pattern", "Command12", "--out-size", "300cm", "--dpi", "10000", "-o", target},
        {"--pattern", "Command12", "--out-size", "40000x40000", "-o", file("never.bmp")},
        {"--pattern", "Command12", "--tile-size", "20001", "-o", target},
        {"--pattern", "Command12", "--out-size", "20cm", "--dpi", "0", "-o", target},
        {"--pattern", "Command12", "--out-size", "20cm", "--dpi", "10001", "-o", target},
        {"--pattern", "Command12", "--out-size", "20cm", "--dpi", "nan", "-o", target},
        {"--pattern", "Command12", "--repeat", "diagonal", "-o", target},
        {"--pattern", "Command12", "--fill-scope", "all", "-o", target},
        {"--pattern", "Command12", "--symmetry", "six", "-o", target},
        {"--pattern", "Command12", "--colour-rule", "chosen", "-o", target},
        {"--pattern", "Command12", "--base", "red", "-o", target},
        {"--pattern", "Command12", "--base", "#12345G", "-o", target},
        {"--pattern", "Command12", "--colourways", "0", "-o", target},
        {"--pattern", "Command12", "--colourways", "6", "--effect", "own", "-o", target},
        {"--advanced", "5", "-o", target},
        {"--pattern", "Command12", "-o", file("never.gif")},
        {"--pattern", "Command12"},
        {"--bogus"},
    };
    for (const QStringList& arguments : usage) {
        const Outcome run = render(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("pattern-render: ")) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
    const Outcome io = render({"--pattern", "Command12", "-o", file("missing/folder/x.png")});
    EXPECT_EQ(io.status, 1);
    EXPECT_TRUE(io.err.contains("missing/folder/x.png"));
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 0);
}

TEST_F(RenderCommand, HelpNamesEveryOption) {
    const Outcome help = render({"--help"});
    ASSERT_EQ(help.status, 0);
    for (const char* option :
         {"--list",   "--pattern",    "--advanced",  "--category",   "--width",     "--fill",
          "--seed",   "--effect",     "--no-credit", "--out-size",   "--tile-size", "--dpi",
          "--repeat", "--credit",     "--quiet",     "--fill-scope", "--symmetry",  "--colour-rule",
          "--base",   "--colourways", "-o"}) {
        EXPECT_TRUE(help.out.contains(option)) << option;
    }
}

TEST_F(RenderCommand, AdvancedPatternsFollowTheirSeed) {
    for (const char* number : {"1", "2", "3", "4"}) {
        const QStringList arguments{"--advanced", number, "--seed", "11", "--category", "1"};
        ASSERT_EQ(render(arguments + QStringList{"-o", file("a.bmp")}).status, 0);
        ASSERT_EQ(render(arguments + QStringList{"-o", file("b.bmp")}).status, 0);
        QFile a(file("a.bmp"));
        QFile b(file("b.bmp"));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        EXPECT_EQ(a.readAll(), b.readAll()) << number;
    }
}

// The program as a child process, in a locale, under limits of memory and file size (bytes; 0:
// none), and stopped by a signal once its temporary file appears (0: left to finish).
struct ProgramRun {
    const char* name;
    QStringList arguments;
    const char* language;
    rlim_t memoryLimit;
    rlim_t fileSizeLimit;
    int signal;
    int status;
    const char* message;
};

// Waits until the folder holds a file besides `expected`: the render's temporary.
bool temporaryAppears(const QString& folder, const QStringList& expected) {
    for (int tries = 0; tries < 3000; ++tries) {
        if (QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size() >
            expected.size()) {
            return true;
        }
        QThread::msleep(10);
    }
    return false;
}

TEST(RenderProgram, FailsSoundlyAndSpeaksTheLocalesLanguage) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath("pipe.bmp");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo), 0644), 0);
    const QString design = folder.filePath("design.bmp");
    const QString page = folder.filePath("page.png");
    const QStringList huge{"--pattern", "Command12", "--out-size", "300000x300000", "-o", page};
    std::vector<ProgramRun> runs{
        {"usage", {"--pattern", "NoSuchFigure", "-o", design}, "C", 0, 0, 0, 2, "NoSuchFigure"},
        {"usage in Chinese", {"--bogus"}, "zh_CN.UTF-8", 0, 0, 0, 2, "没有选项"},
        {"a FIFO", {"--pattern", "Command12", "-o", fifo}, "C", 0, 0, 0, 1, "not an ordinary file"},
        {"a FIFO in Chinese",
         {"--pattern", "Command12", "-o", fifo},
         "zh_CN.UTF-8",
         0,
         0,
         0,
         1,
         "不是普通文件"},
        {"a full disk",
         {"--pattern", "Command12", "--out-size", "20000x20000", "-o", design},
         "C",
         0,
         rlim_t(1) << 20,
         0,
         1,
         "larger than the system allows"},
        {"Ctrl+C", huge, "C", 0, 0, SIGINT, 130, "cancelled"},
        {"SIGTERM", huge, "C", 0, 0, SIGTERM, 143, "cancelled"},
    };
#if !defined(__SANITIZE_ADDRESS__)
    // A tile far larger than the memory allowed: a message, never an abort.
    runs.push_back({"out of memory",
                    {"--pattern", "Command12", "--tile-size", "20000", "--out-size", "20000x20000",
                     "-o", design},
                    "C",
                    rlim_t(1) << 30,
                    0,
                    0,
                    1,
                    "not enough memory"});
#endif
    for (const ProgramRun& run : runs) {
        SCOPED_TRACE(run.name);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LANG", run.language);
        environment.insert("LC_ALL", run.language);
        process.setProcessEnvironment(environment);
        const rlim_t memory = run.memoryLimit;
        const rlim_t fileSize = run.fileSizeLimit;
        process.setChildProcessModifier([memory, fileSize] {
            const std::pair<int, rlim_t> limits[] = {{RLIMIT_AS, memory}, {RLIMIT_FSIZE, fileSize}};
            for (const auto& [resource, limit] : limits) {
                const rlimit value{limit, limit};
                if (limit != 0) {
                    setrlimit(resource, &value);
                }
            }
        });
        process.start(PATTERN_RENDER_PATH, run.arguments);
        if (run.signal != 0) {
            ASSERT_TRUE(temporaryAppears(folder.path(), {"pipe.bmp"}));
            kill(pid_t(process.processId()), run.signal);
        }
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), run.status);
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_TRUE(err.contains(QString::fromUtf8(run.message))) << err.toStdString();
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  QStringList{"pipe.bmp"});
    }
}

TEST_F(RenderCommand, WritesTheFileNameBytesExactlyAsGiven) {
    // "中文.bmp" in GBK: not valid UTF-8, so only the bytes themselves name it.
    const QByteArray name = QFile::encodeName(directory.path()) + "/\xd6\xd0\xce\xc4.bmp";
    ASSERT_EQ(
        test_support::runRender(QList<QByteArray>{"--pattern", "Command12", "-o", name}).status, 0);
    struct stat written {};
    EXPECT_EQ(stat(name, &written), 0);
    // QTemporaryDir cannot remove a name it cannot decode.
    unlink(name);
}

} // namespace
