#include "effect.h"

#include "print/print_engine.h"

#include <QFile>

namespace effect {

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

// The picture as a one-tile page: the print engine writes it, whole or not at all.
files::SaveOutcome savePicture(const QImage& image, const QString& path,
                               print::PrintFormat format) {
    if (path.isEmpty()) {
        return {};
    }
    if (image.isNull()) {
        return files::saveFailure(files::SaveProblem::NoPicture, QFile::encodeName(path));
    }
    return print::renderPrint(
        {image, image.size(), tiling::Repeat::Straight, format, std::nullopt, {}},
        QFile::encodeName(path));
}

} // namespace

files::SaveOutcome saveBitmap(const QImage& image, const QString& path) {
    return savePicture(image, path, print::PrintFormat::Bmp);
}

files::SaveOutcome savePng(const QImage& image, const QString& path) {
    return savePicture(image, path, print::PrintFormat::Png);
}

} // namespace effect
