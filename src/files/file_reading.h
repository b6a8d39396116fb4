#pragma once

#include <QByteArray>
#include <QString>

namespace files {

// Why a file's bytes were not read.
enum class FileReadProblem { None, Unreadable, NotRegularFile, TooLarge };

struct FileRead {
    QByteArray bytes;
    FileReadProblem problem = FileReadProblem::None;
    QString systemText; // the system's words for Unreadable
};

// The whole of a regular file of at most `limit` bytes. It is opened without waiting, so a FIFO, a
// device node or a socket is refused before anything could block on it, and a file over the limit
// is refused before a byte is read.
FileRead readRegularFile(const QByteArray& nativePath, qint64 limit);

} // namespace files
