#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstddef>

namespace files {

// Why a save did not happen; each has its own sentence for the user (saveMessage).
enum class SaveProblem {
    None,
    NoPicture,
    FolderMissing,
    FolderUnwritable,
    IsFolder,
    NotRegularFile,
    NoPermission,
    ReadOnlyDisk,
    DiskFull,
    NameTooLong,
    OutOfMemory,
    TooLarge,
    Cancelled,
    Other,
};

struct SaveOutcome {
    bool saved = false;
    SaveProblem problem = SaveProblem::None;
    QString error; // one translated sentence that names the file and says why
};

// The outcome for a problem with the file at `nativePath`; `systemText` is the system's own words,
// used only where no reason of ours fits.
SaveOutcome saveFailure(SaveProblem problem, const QByteArray& nativePath,
                        const QString& systemText = {});
// The problem an errno value stands for.
SaveProblem problemFromErrno(int error);

// A file written whole or not at all. The bytes go to a new temporary file beside the target; only
// commit() renames it over the target, so a failure or a cancel at any point leaves an existing
// file exactly as it was and no temporary behind. Paths are native bytes, used exactly as given.
// Anything that is not a regular file (a device node, a FIFO, a folder) is refused, never opened;
// a symbolic link to a regular file is written through and stays a link. A file the process may
// not write is refused as cp refuses it, even where the folder would allow replacing it. A
// replaced file keeps its permission bits, and its owner and group where the process may set them.
class AtomicFile {
  public:
    explicit AtomicFile(QByteArray nativePath);
    ~AtomicFile(); // discards an uncommitted temporary
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    SaveOutcome open();
    // Appends; false once any write failed (commit then reports why).
    bool write(const void* data, std::size_t size);
    // The temporary's descriptor, for libraries that write and seek through one (libtiff).
    int descriptor() const { return descriptor_; }
    // Records a failure met while writing through descriptor().
    void setFailed(int error);
    SaveOutcome commit();
    void discard();

  private:
    QByteArray path_;   // as given, for messages
    QByteArray target_; // the file to replace: the path, or where its symbolic link points
    QByteArray temporary_;
    int descriptor_ = -1;
    int trackedSlot_ = -1; // where removeTemporariesOnSignal() finds the temporary
    int failedErrno_ = 0;
    bool exists_ = false;
    unsigned mode_ = 0;
    unsigned owner_ = 0;
    unsigned group_ = 0;
};

// Removes the temporaries of every AtomicFile still being written. Safe in a signal handler, for a
// process about to die of a signal it cannot recover from.
void removeTemporariesOnSignal();

// Removes this user's temporaries in `nativeFolder` that were last written more than a minute
// before `now`: left by a process that was killed while saving.
void removeStaleTemporaries(const QByteArray& nativeFolder, const QDateTime& now);

// Writes the bytes through an AtomicFile.
SaveOutcome saveBytes(const QByteArray& bytes, const QByteArray& nativePath);

} // namespace files
