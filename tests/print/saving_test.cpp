#include "canvas/fonts.h"
#include "colouring/surfaces.h"
#include "effect/effect.h"
#include "print/print_engine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

namespace {

using files::SaveProblem;
using print::PrintFormat;
using tiling::Repeat;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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

Decoded decode(const QString& path, PrintFormat format) {
    if (format != PrintFormat::Tiff) {
        const QImage image(path);
        return {image.convertToFormat(QImage::Format_RGB32), image.dotsPerMeterX() * 0.0254,
                image.format() == QImage::Format_Indexed8};
    }
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
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &resolution);
    std::vector<uint32_t> abgr(std::size_t(width) * height);
    TIFFReadRGBAImageOriented(tiff, width, height, abgr.data(), ORIENTATION_TOPLEFT, 0);
    TIFFClose(tiff);
    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (std::size_t i = 0; i < abgr.size(); ++i) {
        image.setPixel(int(i % width), int(i / width),
                       qRgb(TIFFGetR(abgr[i]), TIFFGetG(abgr[i]), TIFFGetB(abgr[i])));
    }
    return {image, resolution, photometric == PHOTOMETRIC_PALETTE};
}

QImage reference(const print::PrintJob& job) {
    QImage page = tiling::repeatOver(job.tile, job.page, job.repeat);
    QPainter(&page).drawImage(0, 0, job.overlay);
    return page;
}

// Read whole by another reader (Qt's for PNG and BMP, libtiff's own for TIFF), on pages of many
// strips and bands, deflated on one thread and on several.
TEST(PrintEngine, WrittenPagesDecodeToTheInMemoryTilingWithTheirResolution) {
    QImage overlay(9, 4, QImage::Format_ARGB32);
    overlay.fill(Qt::transparent);
    overlay.setPixel(2, 1, qRgb(0x80, 0xFF, 0x80));
    const struct {
        PrintFormat format;
        Repeat repeat;
        QSize tile;
        QSize page;
        int colours;
        std::optional<double> dotsPerInch;
        bool indexed; // what the file should hold
        int threads;
        qsizetype bandBytes;
    } cases[] = {
        {PrintFormat::Png, Repeat::Straight, {5, 5}, {37, 23}, 9, 300, true, 1, 1 << 20},
        {PrintFormat::Png, Repeat::HalfDrop, {7, 7}, {300, 211}, 256, std::nullopt, true, 1, 2000},
        {PrintFormat::Png, Repeat::Brick, {7, 7}, {300, 211}, 16, std::nullopt, true, 3, 500},
        {PrintFormat::Png, Repeat::Mirror, {30, 30}, {301, 207}, 900, 150, false, 3, 9000},
        // Bands of whole periods, repeated pieces over 32 KB: deflated once, joined again.
        {PrintFormat::Png, Repeat::Straight, {10, 10}, {600, 1040}, 100, 300, true, 2, 80000},
        {PrintFormat::Png, Repeat::Brick, {12, 12}, {500, 900}, 144, 300, true, 3, 60000},
        {PrintFormat::Png, Repeat::Mirror, {30, 30}, {600, 700}, 900, 300, false, 2, 120000},
        {PrintFormat::Tiff, Repeat::Straight, {10, 10}, {600, 1000}, 100, 300, true, 2, 80000},
        {PrintFormat::Tiff, Repeat::Brick, {6, 6}, {41, 19}, 12, 300, true, 1, 1 << 20},
        {PrintFormat::Tiff, Repeat::Mirror, {6, 6}, {141, 119}, 12, 300, true, 3, 300},
        {PrintFormat::Tiff, Repeat::Rotate, {31, 31}, {250, 170}, 961, 72, false, 1, 4000},
        {PrintFormat::Tiff, Repeat::HalfDrop, {31, 31}, {250, 170}, 961, 72, false, 3, 4000},
        {PrintFormat::Bmp, Repeat::Rotate, {5, 5}, {33, 21}, 25, std::nullopt, false, 1, 1 << 20},
        {PrintFormat::Bmp, Repeat::HalfDrop, {9, 9}, {301, 190}, 81, 300, false, 3, 5000},
    };
    const QTemporaryDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.format) << '/' << int(c.repeat) << '/' << c.threads);
        const print::PrintJob job{tileOf(c.tile, c.colours),
                                  c.page,
                                  c.repeat,
                                  c.format,
                                  c.dotsPerInch,
                                  overlay,
                                  c.threads,
                                  c.bandBytes};
        const QString path = folder.filePath(QStringLiteral("page"));
        const files::SaveOutcome outcome = print::renderPrint(job, QFile::encodeName(path));
        ASSERT_TRUE(outcome.saved) << outcome.error.toStdString();
        const Decoded decoded = decode(path, c.format);
        EXPECT_EQ(decoded.image, reference(job));
        // Without one, bitmaps say 96 dpi as always; Qt reads a PNG without pHYs as 96 too.
        const double dotsPerInch = c.dotsPerInch.value_or(c.format == PrintFormat::Tiff ? 0 : 96);
        EXPECT_NEAR(decoded.dotsPerInch, dotsPerInch, 0.02);
        EXPECT_EQ(decoded.indexed, c.indexed);
        if (c.format == PrintFormat::Bmp) {
            // The plain 24-bit layout every bitmap reader takes: 54 header bytes, no compression,
            // bottom-up rows padded to four bytes.
            const QByteArray bytes = contents(path);
            const int rowBytes = (c.page.width() * 3 + 3) & ~3;
            ASSERT_EQ(bytes.size(), 54 + rowBytes * c.page.height());
            EXPECT_EQ(quint8(bytes[28]), 24);
            EXPECT_EQ(quint8(bytes[30]), 0);
            EXPECT_GT(qFromLittleEndian<qint32>(bytes.constData() + 22), 0) << "bottom-up";
            EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 38),
                      c.dotsPerInch ? 11811u : 3780u);
        }
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"page"});
    // Two colours take one bit a pixel.
    const QString two = folder.filePath(QStringLiteral("two"));
    ASSERT_TRUE(
        print::renderPrint(
            {tileOf({2, 1}, 2), {64, 8}, Repeat::Straight, PrintFormat::Png, std::nullopt, {}},
            QFile::encodeName(two))
            .saved);
    EXPECT_EQ(contents(two).at(24), 1);
}

TEST(PrintEngine, RefusedOrCancelledPagesLeaveNothingBehind) {
    const QImage tile = tileOf({4, 4}, 3);
    const struct {
        PrintFormat format;
        QSize page;
        bool cancelAfterFirstBand;
        files::SaveProblem problem;
    } cases[] = {
        {PrintFormat::Bmp, {40000, 40000}, false, SaveProblem::TooLarge},
        {PrintFormat::Png, {300001, 10}, false, SaveProblem::TooLarge},
        {PrintFormat::Tiff, {10, 0}, false, SaveProblem::NoPicture},
        {PrintFormat::Tiff, {3000, 3000}, true, SaveProblem::Cancelled},
        {PrintFormat::Png, {3000, 3000}, true, SaveProblem::Cancelled},
    };
    const QTemporaryDir folder;
    for (const auto& c : cases) {
        std::atomic<bool> cancel = false;
        int reports = 0;
        const auto progress = [&](int done, int total) {
            ++reports;
            EXPECT_LT(done, total);
            cancel = c.cancelAfterFirstBand;
        };
        const print::PrintJob job{tile, c.page, Repeat::Straight, c.format, {}, {}};
        const files::SaveOutcome outcome = print::renderPrint(
            job, QFile::encodeName(folder.filePath(QStringLiteral("page"))), progress, &cancel);
        EXPECT_EQ(outcome.problem, c.problem) << c.page.width();
        EXPECT_EQ(reports, c.cancelAfterFirstBand ? 1 : 0);
        EXPECT_TRUE(QDir(folder.path()).isEmpty()) << c.page.width();
    }
}

TEST(PrintEngine, ACreditedPageIsTheEffectViewItsCornerShows) {
    canvas::installFontSubstitutes();
    canvas::Surface design(colouring::designCanvasSetup());
    design.line(0, 0, 141, 141, 0x0000FF);
    design.circle(30, 110, 20, 0x00FF00);
    canvas::Surface effect(colouring::effectViewSetup());
    canvas::Surface strip(colouring::stripSetup());
    const QString credit = effect::creditLine(QDate(2024, 3, 5));
    effect::renderEffectOwnSize(effect, design, strip, credit);

    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page.png"));
    const print::PrintJob job{design.image(),   effect.imageRef().size(),
                              Repeat::Straight, PrintFormat::Png,
                              std::nullopt,     print::creditOverlay(credit)};
    ASSERT_TRUE(print::renderPrint(job, QFile::encodeName(path)).saved);
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), effect.image());
}

// Every entry of the folder with the contents of its ordinary files.
QStringList snapshot(const QString& folder) {
    QStringList entries;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::System |
                                                             QDir::Hidden | QDir::NoDotAndDotDot)) {
        const bool plain = entry.isFile() && !entry.isSymLink();
        entries << entry.fileName() + ':' + (plain ? contents(entry.filePath()) : QByteArray());
    }
    return entries;
}

TEST(SaveBitmap, Replaces24BitBitmapsUnderTheExactNameThatReadBackPixelForPixel) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("design"));
    writeFile(path, "old contents");
    for (const int size : {142, 643}) {
        SCOPED_TRACE(size);
        const QImage image = tileOf({size, size}, size * size);
        ASSERT_EQ(image.size(), QSize(size, size));
        const files::SaveOutcome outcome = effect::saveBitmap(image, path);
        EXPECT_TRUE(outcome.saved && outcome.error.isEmpty()) << outcome.error.toStdString();

        const QByteArray bytes = contents(path);
        ASSERT_GT(bytes.size(), 54);
        EXPECT_EQ(int(quint8(bytes.at(28))), 24) << "bits per pixel";
        EXPECT_EQ(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32), image);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("design")})
            << "no extension is added and no temporary file is left behind";
    }
    const files::SaveOutcome nowhere = effect::saveBitmap(tileOf({142, 142}, 99), QString());
    EXPECT_FALSE(nowhere.saved);
    EXPECT_TRUE(nowhere.error.isEmpty()) << "an empty path writes nothing and reports nothing";
}

// Each case prepares a folder and names the path to save to; a refused save leaves what was there
// exactly as it was and no temporary file behind.
TEST(SaveBitmap, RefusesWhatItMustNotReplaceAndSaysWhy) {
    const struct {
        std::function<QByteArray(const QByteArray& folder)> prepare;
        SaveProblem problem;
        const char* reason;
    } cases[] = {
        {[](const QByteArray& f) { return f + "/no such folder/design.bmp"; },
         SaveProblem::FolderMissing, "does not exist"},
        {[](const QByteArray& f) {
             writeFile(QFile::decodeName(f + "/plain"), "keep me");
             return f + "/plain/design.bmp";
         },
         SaveProblem::FolderMissing, "does not exist"},
        {[](const QByteArray& f) { return f; }, SaveProblem::IsFolder, "is a folder"},
        {[](const QByteArray& f) { return mkfifo(f + "/pipe", 0644) == 0 ? f + "/pipe" : f; },
         SaveProblem::NotRegularFile, "not an ordinary file"},
        {[](const QByteArray& f) {
             return symlink("nowhere.bmp", f + "/dangling") == 0 ? f + "/dangling" : f;
         },
         SaveProblem::NotRegularFile, "not an ordinary file"},
        {[](const QByteArray& f) { return f + '/' + QByteArray(300, 'n'); },
         SaveProblem::NameTooLong, "too long"},
        {[](const QByteArray&) { return QByteArrayLiteral("/proc/design.bmp"); },
         SaveProblem::FolderUnwritable, "no file can be made in the folder /proc"},
        {[](const QByteArray& f) {
             writeFile(QFile::decodeName(f + "/design.bmp"), "earlier picture");
             chmod(f + "/design.bmp", 0444);
             return f + "/design.bmp";
         },
         SaveProblem::NoPermission, "no permission to write"},
        {[](const QByteArray& f) {
             writeFile(QFile::decodeName(f + "/design.bmp"), "earlier picture");
             chmod(f, 0500);
             return f + "/design.bmp";
         },
         SaveProblem::NoPermission, "permission"},
    };
    // Permissions do not bind the superuser: as root, the save is made as nobody, who may write
    // in the (open) folder but owns none of its files.
    const bool asNobody = geteuid() == 0;
    for (const auto& refusal : cases) {
        SCOPED_TRACE(refusal.reason);
        QTemporaryDir folder;
        chmod(QFile::encodeName(folder.path()), 0777);
        const QByteArray path = refusal.prepare(QFile::encodeName(folder.path()));
        const QStringList before = snapshot(folder.path());
        ASSERT_EQ(asNobody ? seteuid(65534) : 0, 0);
        const files::SaveOutcome outcome =
            effect::saveBitmap(tileOf({142, 142}, 99), QFile::decodeName(path));
        ASSERT_EQ(asNobody ? seteuid(0) : 0, 0);
        EXPECT_EQ(snapshot(folder.path()), before);
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_FALSE(outcome.saved);
        EXPECT_EQ(outcome.problem, refusal.problem);
        EXPECT_TRUE(outcome.error.contains(QString::fromLatin1(refusal.reason)))
            << outcome.error.toStdString();
    }
}

TEST(SaveBitmap, WritesThroughLinksKeepsPermissionsAndUsesTheNameBytes) {
    QTemporaryDir folder;
    const QByteArray root = QFile::encodeName(folder.path());
    writeFile(folder.filePath("target.bmp"), "old");
    ASSERT_EQ(symlink("target.bmp", root + "/link.bmp"), 0);
    writeFile(folder.filePath("private.bmp"), "old");
    ASSERT_EQ(chmod(root + "/private.bmp", 0600), 0);
    // "中文.bmp" in GBK: not valid UTF-8, so only the bytes themselves name it.
    const QByteArray gbkName = root + "/\xd6\xd0\xce\xc4.bmp";
    for (const QByteArray& path : {root + "/link.bmp", root + "/private.bmp", gbkName}) {
        EXPECT_TRUE(files::saveBytes("BM new", path).saved) << path.toStdString();
    }
    EXPECT_TRUE(QFileInfo(folder.filePath("link.bmp")).isSymLink());
    EXPECT_EQ(contents(folder.filePath("target.bmp")), QByteArray("BM new"));
    EXPECT_EQ(contents(folder.filePath("private.bmp")), QByteArray("BM new"));
    struct stat kept {};
    ASSERT_EQ(stat(root + "/private.bmp", &kept), 0);
    EXPECT_EQ(kept.st_mode & 07777, 0600u);
    // Removed here, as the folder's clean-up cannot name it.
    EXPECT_EQ(unlink(gbkName), 0) << "the file carries exactly the bytes given";
}

TEST(AtomicFile, RemovesOnlyItsOwnTemporariesOlderThanAMinute) {
    const QDateTime now(QDate(2030, 1, 1), QTime(12, 0));
    const struct {
        const char* name;
        int age; // seconds
        bool removed;
    } files[] = {{".pw-k1x.tmp", 61, true},
                 {".pw-k2x.tmp", 59, false},
                 {".pw-k3x.bmp", 600, false},
                 {"design.bmp", 600, false}};
    const QTemporaryDir folder;
    for (const auto& file : files) {
        QFile made(folder.filePath(file.name));
        ASSERT_TRUE(made.open(QIODevice::WriteOnly));
        made.setFileTime(now.addSecs(-file.age), QFileDevice::FileModificationTime);
    }
    files::removeStaleTemporaries(QFile::encodeName(folder.path()), now);
    for (const auto& file : files) {
        EXPECT_EQ(QFile::exists(folder.filePath(file.name)), !file.removed) << file.name;
    }
}

TEST(SaveMessages, EveryErrnoTheSystemGivesHasAReasonOfItsOwn) {
    const std::pair<int, SaveProblem> errors[] = {
        {ENOENT, SaveProblem::FolderMissing},     {EISDIR, SaveProblem::IsFolder},
        {EACCES, SaveProblem::NoPermission},      {EROFS, SaveProblem::ReadOnlyDisk},
        {ENOSPC, SaveProblem::DiskFull},          {EDQUOT, SaveProblem::DiskFull},
        {ENAMETOOLONG, SaveProblem::NameTooLong}, {ENOMEM, SaveProblem::OutOfMemory},
        {EFBIG, SaveProblem::TooLarge},           {EIO, SaveProblem::Other}};
    QStringList sentences;
    for (const auto& [error, problem] : errors) {
        EXPECT_EQ(files::problemFromErrno(error), problem) << error;
        sentences
            << files::saveFailure(problem, "/a/b.bmp", QStringLiteral("Input/output error")).error;
        EXPECT_TRUE(sentences.back().startsWith(QStringLiteral("/a/b.bmp")));
    }
    sentences.removeDuplicates();
    EXPECT_EQ(sentences.size(), 9) << "one sentence per reason";
}

TEST(SaveDialogFilter, PairsBecomeQtFilters) {
    EXPECT_EQ(effect::qtFilter(effect::kBitmapFilter),
              QStringLiteral("Bitmap(*.bmp);;All files(*.*)"));
    EXPECT_EQ(effect::qtFilter(QStringLiteral("Pictures|*.bmp;*.png|Text|*.txt")),
              QStringLiteral("Pictures (*.bmp *.png);;Text (*.txt)"));
}

} // namespace
