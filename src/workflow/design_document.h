#pragma once

#include "atomic_file.h"
#include "design_record.h"
#include "tiling.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace workflow {

// A design kept as a file (.ccpat): its record with the pictures it holds, and the window settings
// that go with it.
struct DesignDocument {
    DesignRecord record;
    QString title;
    QString lineWidth; // the line-width list's text
    QString tileSize;  // the tile-size list's text
    Repeat repeat = Repeat::Straight;
    bool operator==(const DesignDocument&) const = default;
};

inline constexpr int kDesignDocumentVersion = 1;
inline constexpr qint64 kLargestDesignDocument = 20 * 1024 * 1024;
inline constexpr int kLargestDocumentPictureSide = 2048;
inline const QString kDesignDocumentSuffix = QStringLiteral("ccpat");

// Why a document was not read; each has its own translated sentence.
enum class DocumentProblem {
    None,
    Unreadable,
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

// The document as UTF-8 JSON, pictures as PNG in base64.
QByteArray writeDesignDocument(const DesignDocument& document);
// Reads and checks everything; a document with any problem gives no document at all.
DocumentReading readDesignDocument(const QByteArray& bytes);

// The same through files: saving is whole or nothing; opening refuses a file over the size limit
// before reading it.
SaveOutcome saveDesignDocument(const DesignDocument& document, const QByteArray& nativePath);
DocumentReading openDesignDocument(const QString& path);

} // namespace workflow
