#include "workflow.h"

#include "canvas/bmp.h"

#include <QBuffer>
#include <QFile>

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

namespace {

QByteArray encodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

SaveOutcome saveEncoded(const QImage& image, const QString& path,
                        QByteArray (*encode)(const QImage&)) {
    if (path.isEmpty()) {
        return {};
    }
    if (image.isNull()) {
        return saveFailure(SaveProblem::NoPicture, QFile::encodeName(path));
    }
    return saveFile(encode(image), path);
}

} // namespace

SaveOutcome saveBitmap(const QImage& image, const QString& path) {
    return saveEncoded(image, path, canvas::encodeBmp);
}

SaveOutcome savePng(const QImage& image, const QString& path) {
    return saveEncoded(image, path, encodePng);
}

SaveOutcome saveFile(const QByteArray& bytes, const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    return saveBytes(bytes, QFile::encodeName(path));
}

} // namespace workflow
