#include "atomic_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

class SaveMessages {
    Q_DECLARE_TR_FUNCTIONS(SaveMessages)
  public:
    static QString sentence(SaveProblem problem, const QString& file, const QString& folder,
                            const QString& systemText) {
        switch (problem) {
        case SaveProblem::None:
            return {};
        case SaveProblem::NoPicture:
            return tr("%1: there is no picture to save.").arg(file);
        case SaveProblem::FolderMissing:
            return tr("%1: the folder %2 does not exist.").arg(file, folder);
        case SaveProblem::FolderUnwritable:
            return tr("%1: no file can be made in the folder %2.").arg(file, folder);
        case SaveProblem::IsFolder:
            return tr("%1 is a folder.").arg(file);
        case SaveProblem::NotRegularFile:
            return tr("%1 is not an ordinary file; it was left as it is.").arg(file);
        case SaveProblem::NoPermission:
            return tr("%1: no permission to write.").arg(file);
        case SaveProblem::ReadOnlyDisk:
            return tr("%1: the disk is read-only.").arg(file);
        case SaveProblem::DiskFull:
            return tr("%1: the disk is full.").arg(file);
        case SaveProblem::NameTooLong:
            return tr("%1: the name is too long.").arg(file);
        case SaveProblem::OutOfMemory:
            return tr("%1: there was not enough memory.").arg(file);
        case SaveProblem::TooLarge:
            return tr("%1: the file would be larger than the system allows.").arg(file);
        case SaveProblem::Cancelled:
            return tr("%1: the save was cancelled; nothing was written.").arg(file);
        case SaveProblem::Other:
            return tr("%1 cannot be written (%2).").arg(file, systemText);
        }
        return {};
    }
};

const QByteArray kTemporaryPrefix = QByteArrayLiteral(".pw-");
const QByteArray kTemporarySuffix = QByteArrayLiteral(".tmp");
constexpr qint64 kStaleTemporarySeconds = 60;

// The temporaries being written, in fixed slots a signal handler reads without locking.
enum SlotState { kFree, kFilling, kReady };
struct TrackedTemporary {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};
// Enough for the screens of a separation and its two other files being written at once.
TrackedTemporary trackedTemporaries[48];

int trackTemporary(const QByteArray& path) {
    if (path.size() >= PATH_MAX) {
        return -1;
    }
    for (int slot = 0; slot < int(std::size(trackedTemporaries)); ++slot) {
        TrackedTemporary& tracked = trackedTemporaries[slot];
        if (int expected = kFree; tracked.state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(tracked.path, path.constData(), std::size_t(path.size()) + 1);
            tracked.state.store(kReady);
            return slot;
        }
    }
    return -1;
}

void untrackTemporary(int& slot) {
    if (slot >= 0) {
        trackedTemporaries[slot].state.store(kFree);
        slot = -1;
    }
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// Where a symbolic link finally points, joined to the link's folder when relative.
QByteArray linkTarget(const QByteArray& path) {
    char* resolved = realpath(path.constData(), nullptr);
    if (resolved == nullptr) {
        return path;
    }
    QByteArray target(resolved);
    std::free(resolved);
    return target;
}

} // namespace

SaveProblem problemFromErrno(int error) {
    switch (error) {
    case 0:
        return SaveProblem::None;
    case ENOENT:
    case ENOTDIR:
        return SaveProblem::FolderMissing;
    case EISDIR:
        return SaveProblem::IsFolder;
    case EACCES:
    case EPERM:
        return SaveProblem::NoPermission;
    case EROFS:
        return SaveProblem::ReadOnlyDisk;
    case ENOSPC:
    case EDQUOT:
        return SaveProblem::DiskFull;
    case ENAMETOOLONG:
        return SaveProblem::NameTooLong;
    case ENOMEM:
        return SaveProblem::OutOfMemory;
    case EFBIG:
        return SaveProblem::TooLarge;
    case ECANCELED:
        return SaveProblem::Cancelled;
    default:
        return SaveProblem::Other;
    }
}

SaveOutcome saveFailure(SaveProblem problem, const QByteArray& nativePath,
                        const QString& systemText) {
    const QString file = QFile::decodeName(nativePath);
    const QString folder = QFile::decodeName(folderOf(nativePath));
    return {false, problem, SaveMessages::sentence(problem, file, folder, systemText)};
}

AtomicFile::AtomicFile(QByteArray nativePath) : path_(std::move(nativePath)) {}

AtomicFile::~AtomicFile() {
    discard();
}

SaveOutcome AtomicFile::open() {
    const auto failure = [this](int error) {
        return saveFailure(problemFromErrno(error), path_, QString::fromLocal8Bit(strerror(error)));
    };
    if (path_.isEmpty()) {
        return failure(ENOENT);
    }
    // stat follows links: a link to a regular file is written through, anything else refused
    // before a single byte is written or a temporary is made.
    struct stat existing {};
    target_ = path_;
    if (stat(path_.constData(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            return failure(EISDIR);
        }
        if (!S_ISREG(existing.st_mode)) {
            return saveFailure(SaveProblem::NotRegularFile, path_);
        }
        exists_ = true;
        mode_ = existing.st_mode & 07777;
        owner_ = existing.st_uid;
        group_ = existing.st_gid;
        target_ = linkTarget(path_);
        // Replacing needs only the folder's permission; like cp, ask for the file's own.
        if (faccessat(AT_FDCWD, target_.constData(), W_OK, AT_EACCESS) != 0) {
            return failure(errno);
        }
    } else if (errno != ENOENT) {
        return failure(errno);
    } else if (struct stat link{}; lstat(path_.constData(), &link) == 0) {
        // A link that points nowhere: refuse rather than create a file at an unseen place.
        return saveFailure(SaveProblem::NotRegularFile, path_);
    }
    struct stat folder {};
    if (stat(folderOf(target_).constData(), &folder) != 0) {
        return failure(errno);
    }
    // A new name beside the target, made with O_EXCL so nothing existing is ever opened; the mode
    // 0666 is narrowed by the umask exactly as for any new file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        // A short hidden name, so that a target whose name is near the length limit still gets one.
        const QByteArray candidate =
            folderOf(target_) + '/' + kTemporaryPrefix +
            QByteArray::number(QRandomGenerator::global()->generate(), 36) + kTemporarySuffix;
        // Tracked before it exists, so a fault that lands the moment it is made still removes it.
        trackedSlot_ = trackTemporary(candidate);
        const int descriptor =
            ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            descriptor_ = descriptor;
            temporary_ = candidate;
            return {true, SaveProblem::None, {}};
        }
        const int openError = errno;
        untrackTemporary(trackedSlot_);
        errno = openError;
        if (errno == ENOENT) { // the folder is there, but takes no new files (/proc)
            return saveFailure(SaveProblem::FolderUnwritable, path_);
        }
        if (errno != EEXIST) {
            return failure(errno);
        }
    }
    return failure(EEXIST);
}

bool AtomicFile::write(const void* data, std::size_t size) {
    if (descriptor_ < 0 || failedErrno_ != 0) {
        return false;
    }
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(descriptor_, bytes, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            failedErrno_ = errno;
            return false;
        }
        bytes += written;
        size -= std::size_t(written);
    }
    return true;
}

void AtomicFile::setFailed(int error) {
    if (failedErrno_ == 0) {
        failedErrno_ = error;
    }
}

SaveOutcome AtomicFile::commit() {
    if (descriptor_ < 0) {
        return saveFailure(SaveProblem::Other, path_, QStringLiteral("not open"));
    }
    int error = failedErrno_;
    if (error == 0 && exists_) {
        // Owner and group first: changing them may clear set-id bits that fchmod then restores.
        if (fchown(descriptor_, owner_, group_) != 0) {
            [[maybe_unused]] const int groupOnly = fchown(descriptor_, uid_t(-1), group_);
        }
        if (fchmod(descriptor_, mode_) != 0) {
            error = errno;
        }
    }
    if (error == 0 && fsync(descriptor_) != 0) {
        error = errno;
    }
    if (::close(descriptor_) != 0 && error == 0) {
        error = errno;
    }
    descriptor_ = -1;
    if (error == 0 && rename(temporary_.constData(), target_.constData()) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(temporary_.constData());
    }
    untrackTemporary(trackedSlot_);
    temporary_.clear();
    if (error != 0) {
        return saveFailure(problemFromErrno(error), path_, QString::fromLocal8Bit(strerror(error)));
    }
    return {true, SaveProblem::None, {}};
}

void AtomicFile::discard() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.isEmpty()) {
        unlink(temporary_.constData());
        untrackTemporary(trackedSlot_);
        temporary_.clear();
    }
}

void removeTemporariesOnSignal() {
    for (TrackedTemporary& tracked : trackedTemporaries) {
        if (tracked.state.load() == kReady) {
            unlink(tracked.path);
        }
    }
}

void removeStaleTemporaries(const QByteArray& nativeFolder, const QDateTime& now) {
    const QDateTime stale = now.addSecs(-kStaleTemporarySeconds);
    const QString pattern = QString::fromLatin1(kTemporaryPrefix + '*' + kTemporarySuffix);
    for (const QFileInfo& entry : QDir(QFile::decodeName(nativeFolder))
                                      .entryInfoList({pattern}, QDir::Files | QDir::Hidden)) {
        if (!entry.isSymLink() && entry.ownerId() == geteuid() && entry.lastModified() < stale) {
            QFile::remove(entry.filePath());
        }
    }
}

SaveOutcome saveBytes(const QByteArray& bytes, const QByteArray& nativePath) {
    AtomicFile file(nativePath);
    if (SaveOutcome opened = file.open(); !opened.saved) {
        return opened;
    }
    file.write(bytes.constData(), std::size_t(bytes.size()));
    return file.commit();
}

} // namespace files
