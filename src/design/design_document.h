#pragma once

#include "colouring/design_record.h"
#include "colouring/line_art.h"
#include "files/atomic_file.h"
#include "tiling/tiling.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <optional>

namespace design {

// A design kept as a file (.ccpat): its record with the pictures it holds, and the window settings
// that go with it.
struct DesignDocument {
    colouring::DesignRecord record;
    QString title;
    QString lineWidth; // the line-width list's text
    QString tileSize;  // the tile-size list's text
    tiling::Repeat repeat = tiling::Repeat::Straight;
    bool operator==(const DesignDocument&) const = default;
};

// Version 2 writes compact JSON and a colourway in its smaller form; version 1 (indented, every
// colourway a list of colour pairs) is still read.
inline constexpr int kDesignDocumentVersion = 2;
inline constexpr int kOldestDesignDocumentVersion = 1;
inline constexpr int kLargestDocumentPictureSide = 2048;
inline constexpr qsizetype kMostDesignChanges = 100000;
inline constexpr qsizetype kMostDocumentStrokePoints = 200000;
inline const QString kDesignDocumentSuffix = QStringLiteral("ccpat");

// The reader takes every document the writer makes: the writer refuses a design whose document
// would be larger than this (saveDesignDocument), and this is what the largest design needs, in
// compact JSON, with room to spare:
//  - its picture, at most 2048 x 2048. A PNG of noise does not compress: 3 bytes a pixel and a
//    filter byte a row, under 1 % more for deflate's stored blocks and the chunks; base64 adds a
//    third. 16.9 MB.
//  - kMostDesignChanges changes, each under 128 bytes but a colourway and a stroke's points:
//    12.8 MB.
//  - kMostDocumentStrokePoints points of strokes, 20 bytes each at most (two numbers on the
//    stroke grid within its reach, "-141.9375", and their commas): 4 MB.
//  - 256 colourways of a design whose 142 x 142 pixels all differ. Each is stored as its picture
//    unless the colours that change take less room: under 88 KB each, 22.3 MB.
//  - the larger of the two drawings a picture can have (it has one at most):
//    - the lines of imported line art, at most an import's 100,000,000 pixels and 20,000 a side,
//      as a 1-bit PNG: of noise, a bit a pixel, at most two bytes a row for the filter byte and
//      the row's last byte, 1 % for deflate and the chunks; base64 adds a third. 16.9 MB.
//    - what a pad drew: pads::kMostPadSteps steps, each under 320 bytes besides its text (a
//      stamp's five values of at most 24 characters, its font and names), 6.4 MB, and
//      pads::kMostPadTextCharacters characters of text, at most 6 bytes each as JSON escapes.
// About 71 MB in all: a few ordinary designs are a few kilobytes, a 4,000 x 4,000 line art a few
// hundred.
constexpr qint64 base64Size(qint64 bytes) {
    return (bytes + 2) / 3 * 4;
}
constexpr qint64 largestPngSize(qint64 side) {
    const qint64 rows = side * (1 + 3 * side);
    return rows + rows / 100 + 4096;
}
constexpr qint64 largestLinesPngSize(qint64 pixels, qint64 side) {
    const qint64 rows = pixels / 8 + 2 * side;
    return rows + rows / 100 + 4096;
}
inline constexpr qint64 kLargestChangeText = 128;
inline constexpr qint64 kLargestStrokePointText = 20;
inline constexpr qint64 kRoomForColourways = 256;
inline constexpr qint64 kLargestPadStepText = 320;
inline constexpr qint64 kLargestJsonCharacter = 6;
inline constexpr qint64 kLargestDesignDocument =
    64 * 1024 + base64Size(largestPngSize(kLargestDocumentPictureSide)) +
    kMostDesignChanges * kLargestChangeText + kMostDocumentStrokePoints * kLargestStrokePointText +
    kRoomForColourways * (base64Size(largestPngSize(142)) + kLargestChangeText) +
    std::max(base64Size(
                 largestLinesPngSize(colouring::kMaxImportPixels, colouring::kLargestLineArtSide)),
             qint64(pads::kMostPadSteps) * kLargestPadStepText +
                 pads::kMostPadTextCharacters * kLargestJsonCharacter);

// Why a document was not read; each has its own translated sentence.
enum class DocumentProblem {
    None,
    Unreadable,
    NotRegularFile,
    TooLarge,
    NotJson,
    UnknownVersion,
    UnknownFigure,
    BadValue,
    PressOutside,
    PictureUndecodable,
    PictureTooLarge,
    OutOfMemory,
};

struct DocumentReading {
    std::optional<DesignDocument> document;
    DocumentProblem problem = DocumentProblem::None;
    QString message; // one translated sentence saying what is wrong
};

// The document as compact UTF-8 JSON, pictures as PNG in base64. A line width or tile size the
// reader would refuse is left out, a title is cut to what the reader takes.
QByteArray writeDesignDocument(const DesignDocument& document);
// Reads and checks everything; a document with any problem gives no document at all.
DocumentReading readDesignDocument(const QByteArray& bytes);

// A colourway chosen on a design of these pixels, as the record keeps it: the colours that change,
// or the design's pixels after it when their picture is the smaller (a design of many colours).
colouring::ColourwayChange recordedColourway(const QImage& design,
                                             const std::vector<std::pair<QRgb, QRgb>>& mapping);

// The same through files. Saving is whole or nothing; a design with more changes or stroke points
// than the reader takes or whose document would be over kLargestDesignDocument is refused before
// anything is written, with a sentence saying so. Opening takes only a regular file (a FIFO, a
// device or a socket is refused without waiting on it) and refuses one over the size limit before
// reading it.
files::SaveOutcome saveDesignDocument(const DesignDocument& document, const QByteArray& nativePath);
DocumentReading openDesignDocument(const QString& path);
// The same by the path's native bytes, exactly as given.
DocumentReading openDesignDocument(const QByteArray& nativePath);

} // namespace design
