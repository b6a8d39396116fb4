#include "workflow/surfaces.h"
#include "workflow/workflow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QImage coloured(int size) {
    canvas::Surface surface(workflow::designCanvasSetup());
    surface.setWidth(float(size + 4));
    surface.setHeight(float(size + 4));
    surface.line(0, 0, float(size), float(size), 0x0000FF);
    surface.line(0, float(size - 1), float(size - 1), 0, 0x00FF00);
    surface.setFillColor(0x102030);
    surface.floodFillSurface(size - 1, size / 2, surface.backColor());
    surface.pset(0, 0);
    return surface.image();
}

TEST(SaveBitmap, WritesA24BitBitmapThatReadsBackPixelForPixel) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const int size : {142, 643}) {
        SCOPED_TRACE(size);
        const QImage image = coloured(size);
        ASSERT_EQ(image.size(), QSize(size, size));
        const QString path = folder.filePath(QStringLiteral("picture%1.bmp").arg(size));
        const workflow::SaveOutcome outcome = workflow::saveBitmap(image, path);
        EXPECT_TRUE(outcome.saved) << outcome.error.toStdString();
        EXPECT_TRUE(outcome.error.isEmpty());

        const QByteArray bytes = contents(path);
        ASSERT_GT(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(int(quint8(bytes[28])), 24) << "bits per pixel";
        QImage read;
        ASSERT_TRUE(read.loadFromData(bytes, "BMP"));
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), image);
    }
}

TEST(SaveBitmap, UsesTheNameExactlyAndReplacesAnExistingFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("design"));
    writeFile(path, "old contents");
    EXPECT_TRUE(workflow::saveBitmap(coloured(142), path).saved);
    EXPECT_EQ(contents(path).left(2), QByteArray("BM"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".bmp")));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("design")})
        << "no temporary file is left behind";
}

TEST(SaveBitmap, EmptyPathWritesNothingAndReportsNothing) {
    const workflow::SaveOutcome outcome = workflow::saveBitmap(coloured(142), QString());
    EXPECT_FALSE(outcome.saved);
    EXPECT_TRUE(outcome.error.isEmpty());
}

// Each case prepares a folder and names the path to save to; a refused save leaves what was there
// exactly as it was and no temporary file behind.
struct Refusal {
    const char* name;
    std::function<QByteArray(const QByteArray& folder)> prepare;
    workflow::SaveProblem problem;
    const char* reason;
};

TEST(SaveBitmap, RefusesWhatItMustNotReplaceAndSaysWhy) {
    const Refusal cases[] = {
        {"missing folder", [](const QByteArray& f) { return f + "/no such folder/design.bmp"; },
         workflow::SaveProblem::FolderMissing, "does not exist"},
        {"a file where the folder should be",
         [](const QByteArray& f) {
             writeFile(QFile::decodeName(f + "/plain"), "keep me");
             return f + "/plain/design.bmp";
         },
         workflow::SaveProblem::FolderMissing, "does not exist"},
        {"a folder", [](const QByteArray& f) { return f; }, workflow::SaveProblem::IsFolder,
         "is a folder"},
        {"a FIFO",
         [](const QByteArray& f) {
             mkfifo(f + "/pipe", 0644);
             return f + "/pipe";
         },
         workflow::SaveProblem::NotRegularFile, "not an ordinary file"},
        {"a link that points nowhere",
         [](const QByteArray& f) {
             EXPECT_EQ(symlink("nowhere.bmp", f + "/dangling"), 0);
             return f + "/dangling";
         },
         workflow::SaveProblem::NotRegularFile, "not an ordinary file"},
        {"a name too long", [](const QByteArray& f) { return f + '/' + QByteArray(300, 'n'); },
         workflow::SaveProblem::NameTooLong, "too long"},
    };
    for (const Refusal& refusal : cases) {
        SCOPED_TRACE(refusal.name);
        QTemporaryDir folder;
        const QByteArray path = refusal.prepare(QFile::encodeName(folder.path()));
        const auto before = QDir(folder.path())
                                .entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                               QDir::NoDotAndDotDot);
        const workflow::SaveOutcome outcome =
            workflow::saveBitmap(coloured(142), QFile::decodeName(path));
        EXPECT_FALSE(outcome.saved);
        EXPECT_EQ(outcome.problem, refusal.problem);
        EXPECT_TRUE(outcome.error.contains(QString::fromLatin1(refusal.reason)))
            << outcome.error.toStdString();
        const auto after = QDir(folder.path())
                               .entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                              QDir::NoDotAndDotDot);
        EXPECT_EQ(after, before);
    }
}

TEST(SaveBitmap, WritesThroughLinksKeepsPermissionsAndUsesTheNameBytes) {
    QTemporaryDir folder;
    const QByteArray root = QFile::encodeName(folder.path());
    writeFile(folder.filePath("target.bmp"), "old");
    ASSERT_EQ(symlink("target.bmp", root + "/link.bmp"), 0);
    writeFile(folder.filePath("readonly.bmp"), "old");
    ASSERT_EQ(chmod(root + "/readonly.bmp", 0444), 0);
    // "中文.bmp" in GBK: not valid UTF-8, so only the bytes themselves name it.
    const QByteArray gbkName = root + "/\xd6\xd0\xce\xc4.bmp";
    for (const QByteArray& path : {root + "/link.bmp", root + "/readonly.bmp", gbkName}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_TRUE(workflow::saveBytes("BM new", path).saved);
    }
    EXPECT_TRUE(QFileInfo(folder.filePath("link.bmp")).isSymLink());
    EXPECT_EQ(contents(folder.filePath("target.bmp")), QByteArray("BM new"));
    struct stat readOnly {};
    ASSERT_EQ(stat(root + "/readonly.bmp", &readOnly), 0);
    EXPECT_EQ(readOnly.st_mode & 07777, 0444u);
    struct stat gbk {};
    EXPECT_EQ(stat(gbkName, &gbk), 0) << "the file carries exactly the bytes given";
}

TEST(SaveBitmap, ReadOnlyFolderFailsAndLeavesTheExistingFileUnchanged) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("design.bmp"));
    writeFile(path, "earlier picture");
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    const workflow::SaveOutcome outcome = workflow::saveBitmap(coloured(142), path);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(outcome.problem, workflow::SaveProblem::NoPermission);
    EXPECT_EQ(contents(path), QByteArray("earlier picture"));
}

TEST(SaveMessages, EveryErrnoTheSystemGivesHasAReasonOfItsOwn) {
    const std::pair<int, workflow::SaveProblem> errors[] = {
        {ENOENT, workflow::SaveProblem::FolderMissing},
        {EISDIR, workflow::SaveProblem::IsFolder},
        {EACCES, workflow::SaveProblem::NoPermission},
        {EROFS, workflow::SaveProblem::ReadOnlyDisk},
        {ENOSPC, workflow::SaveProblem::DiskFull},
        {EDQUOT, workflow::SaveProblem::DiskFull},
        {ENAMETOOLONG, workflow::SaveProblem::NameTooLong},
        {ENOMEM, workflow::SaveProblem::OutOfMemory},
        {EFBIG, workflow::SaveProblem::TooLarge},
        {EIO, workflow::SaveProblem::Other}};
    QStringList sentences;
    for (const auto& [error, problem] : errors) {
        EXPECT_EQ(workflow::problemFromErrno(error), problem) << error;
        sentences << workflow::saveFailure(problem, "/a/b.bmp",
                                           QStringLiteral("Input/output error"))
                         .error;
        EXPECT_TRUE(sentences.back().startsWith(QStringLiteral("/a/b.bmp")));
    }
    sentences.removeDuplicates();
    EXPECT_EQ(sentences.size(), 9) << "one sentence per reason";
}

TEST(SaveDialogFilter, PairsBecomeQtFilters) {
    EXPECT_EQ(workflow::qtFilter(workflow::kBitmapFilter),
              QStringLiteral("Bitmap(*.bmp);;All files(*.*)"));
    EXPECT_EQ(workflow::qtFilter(QStringLiteral("Pictures|*.bmp;*.png|Text|*.txt")),
              QStringLiteral("Pictures (*.bmp *.png);;Text (*.txt)"));
}

} // namespace
