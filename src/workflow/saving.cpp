#include "workflow.h"

#include "canvas/bmp.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace workflow {

QString qtFilter(const QString& pipeFilter) {
    // Pairs of description and pattern list; Qt wants "Description (pattern pattern)".
    const QStringList fields = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString& description = fields[i];
        const QString patterns =
            fields[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(' ');
        // "Bitmap(*.bmp)" already names its patterns the way Qt reads them.
        if (description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
    }
    return filters.join(QStringLiteral(";;"));
}

SaveOutcome saveBitmap(const QImage& image, const QString& path) {
    if (image.isNull() && !path.isEmpty()) {
        return {
            false,
            QStringLiteral("%1: there is no picture to save.").arg(QDir::toNativeSeparators(path))};
    }
    return saveFile(canvas::encodeBmp(image), path);
}

SaveOutcome savePng(const QImage& image, const QString& path) {
    if (image.isNull() && !path.isEmpty()) {
        return {
            false,
            QStringLiteral("%1: there is no picture to save.").arg(QDir::toNativeSeparators(path))};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return saveFile(bytes, path);
}

SaveOutcome saveFile(const QByteArray& bytes, const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    const QString shownPath = QDir::toNativeSeparators(path);
    if (QFileInfo(path).isDir()) {
        return {false, QStringLiteral("%1 is a folder.").arg(shownPath)};
    }
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists()) {
        return {false, QStringLiteral("%1: the folder %2 does not exist.")
                           .arg(shownPath, QDir::toNativeSeparators(folder.filePath()))};
    }
    // QSaveFile writes a temporary file beside the target and renames it only once complete.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        return {false,
                QStringLiteral("%1 cannot be written: %2").arg(shownPath, file.errorString())};
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, QStringLiteral("%1 cannot be written: %2").arg(shownPath, reason)};
    }
    if (!file.commit()) {
        return {false,
                QStringLiteral("%1 cannot be written: %2").arg(shownPath, file.errorString())};
    }
    return {true, {}};
}

} // namespace workflow
