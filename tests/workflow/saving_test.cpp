#include "workflow/surfaces.h"
#include "workflow/workflow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("design")})
        << "no temporary file is left behind";
}

TEST(SaveBitmap, EmptyPathWritesNothingAndReportsNothing) {
    const workflow::SaveOutcome outcome = workflow::saveBitmap(coloured(142), QString());
    EXPECT_FALSE(outcome.saved);
    EXPECT_TRUE(outcome.error.isEmpty());
}

TEST(SaveBitmap, MissingFolderFailsWithTheReason) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("no such folder/design.bmp"));
    const workflow::SaveOutcome outcome = workflow::saveBitmap(coloured(142), path);
    EXPECT_FALSE(outcome.saved);
    EXPECT_TRUE(outcome.error.contains(QStringLiteral("design.bmp")));
    EXPECT_TRUE(outcome.error.contains(QStringLiteral("does not exist")));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(SaveBitmap, FolderThatIsAFileFailsAndLeavesItAlone) {
    QTemporaryDir folder;
    const QString notAFolder = folder.filePath(QStringLiteral("plain"));
    writeFile(notAFolder, "keep me");
    const workflow::SaveOutcome outcome =
        workflow::saveBitmap(coloured(142), notAFolder + QStringLiteral("/design.bmp"));
    EXPECT_FALSE(outcome.saved);
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_EQ(contents(notAFolder), QByteArray("keep me"));
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
    EXPECT_FALSE(outcome.saved);
    EXPECT_TRUE(outcome.error.contains(QStringLiteral("design.bmp")));
    EXPECT_EQ(contents(path), QByteArray("earlier picture"));
}

TEST(SaveBitmap, TargetThatIsAFolderFails) {
    QTemporaryDir folder;
    const workflow::SaveOutcome outcome = workflow::saveBitmap(coloured(142), folder.path());
    EXPECT_FALSE(outcome.saved);
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_TRUE(QFileInfo(folder.path()).isDir());
}

TEST(SaveDialogFilter, PairsBecomeQtFilters) {
    EXPECT_EQ(workflow::qtFilter(workflow::kBitmapFilter),
              QStringLiteral("Bitmap(*.bmp);;All files(*.*)"));
    EXPECT_EQ(workflow::qtFilter(QStringLiteral("Pictures|*.bmp;*.png|Text|*.txt")),
              QStringLiteral("Pictures (*.bmp *.png);;Text (*.txt)"));
}

} // namespace
