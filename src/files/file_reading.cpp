#include "file_reading.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

FileRead unreadable(int error) {
    return {{}, FileReadProblem::Unreadable, QString::fromLocal8Bit(std::strerror(error))};
}

// Closes the descriptor however the read ends.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

} // namespace

FileRead readRegularFile(const QByteArray& nativePath, qint64 limit) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer, for ever.
    const Descriptor file{
        ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        // A socket cannot be opened at all: say what it is rather than the system's words.
        const int error = errno;
        struct stat status {};
        return stat(nativePath.constData(), &status) == 0 && !S_ISREG(status.st_mode)
                   ? FileRead{{}, FileReadProblem::NotRegularFile, {}}
                   : unreadable(error);
    }
    struct stat status {};
    if (fstat(file.fd, &status) != 0) {
        return unreadable(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return {{}, FileReadProblem::NotRegularFile, {}};
    }
    if (status.st_size > limit) {
        return {{}, FileReadProblem::TooLarge, {}};
    }
    // One byte over the limit is enough to tell a file that grew since its size was read.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit) {
                return {{}, FileReadProblem::TooLarge, {}};
            }
            bytes.resize(std::min<qint64>(limit + 1, filled * 2 + 4096));
        }
        const ssize_t got =
            ::read(file.fd, bytes.data() + filled, std::size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return unreadable(errno);
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    bytes.truncate(filled);
    return {bytes, FileReadProblem::None, {}};
}

} // namespace files
