#include "files/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvex {

namespace {

std::atomic<WriteCall> writeCall{nullptr};

ssize_t doWrite(int fd, const void* data, size_t size)
{
    const WriteCall call = writeCall.load();
    return call ? call(fd, data, size) : ::write(fd, data, size);
}

Failure<> reasonOf(int error)
{
    return Failure(QString::fromLocal8Bit(std::strerror(error)));
}

// Creates a file no other process can be writing, in the target's folder so
// the final rename stays on one file system. The mode 0666 goes through the
// user's umask like any new file's; an existing file's mode is copied later.
// The name is short and does not repeat the target's, so a target whose
// name is as long as the system allows can still be saved.
int createTemporary(const QByteArray& folder, QByteArray& name)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.tarvex-save-" + QByteArray::number(::getpid()) + '-'
               + QByteArray::number(counter.fetch_add(1));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

void SetWriteCallForTesting(WriteCall call)
{
    writeCall.store(call);
}

Result<> WriteAllTo(int fd, const QByteArray& bytes)
{
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = doWrite(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A non-blocking pipe that is full for now: wait until it drains.
            pollfd ready{fd, POLLOUT, 0};
            if (::poll(&ready, 1, -1) >= 0 || errno == EINTR)
                continue;
        }
        if (n <= 0) {
            // A write that takes nothing without an error is a full device.
            return reasonOf(n < 0 ? errno : ENOSPC);
        }
        at += n;
        left -= n;
    }
    return {};
}

Result<> WriteFileSafely(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return reasonOf(ENOENT);
    QFileInfo info(path);
    if (info.isSymLink()) {
        // The file at the end of a chain of links is replaced; a link whose
        // file does not exist yet gets it created where it points.
        const QString canonical = info.canonicalFilePath();
        const QString target = canonical.isEmpty() ? info.symLinkTarget() : canonical;
        if (!target.isEmpty())
            info = QFileInfo(target);
    }
    if (info.isDir())
        return reasonOf(EISDIR);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(info.absolutePath());

    struct stat old {};
    const bool hadFile = ::stat(target.constData(), &old) == 0;

    QByteArray temporary;
    const int fd = createTemporary(folder, temporary);
    if (fd < 0)
        return reasonOf(errno);
    auto abandon = [&](int error) -> Result<> {
        ::close(fd);
        ::unlink(temporary.constData());
        return reasonOf(error);
    };
    if (Result<> written = WriteAllTo(fd, bytes); !written) {
        ::close(fd);
        ::unlink(temporary.constData());
        return written;
    }
    // Some file systems only find out at the flush that the blocks are not
    // there; the size check catches a write that was cut short silently.
    if (::fsync(fd) != 0)
        return abandon(errno);
    struct stat written {};
    if (::fstat(fd, &written) != 0)
        return abandon(errno);
    if (written.st_size != bytes.size())
        return abandon(ENOSPC);
    // The old file's mode carries over. A file system that refuses the
    // change keeps no modes of its own, so there is nothing to lose there.
    if (hadFile)
        (void)::fchmod(fd, old.st_mode & 07777);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return reasonOf(error);
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return reasonOf(error);
    }
    // The rename lives in the folder: flushed too, the new file is still
    // there after a power cut. The contents are safe already, so a folder
    // that refuses the flush is no failure.
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return {};
}

} // namespace tarvex
