#include "files/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

QString reasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

void setWhy(QString* why, const QString& text)
{
    if (why)
        *why = text;
}

// Creates a file no other process can be writing, in the target's folder so
// the final rename stays on one file system. The mode 0666 goes through the
// user's umask like any new file's; an existing file's mode is copied later.
int createTemporary(const QByteArray& folder, const QByteArray& base, QByteArray& name)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/." + base + ".tmp-" + QByteArray::number(::getpid()) + '-'
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

bool WriteAllTo(int fd, const QByteArray& bytes, QString* why)
{
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = doWrite(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A write that takes nothing without an error is a full device.
            setWhy(why, reasonOf(n < 0 ? errno : ENOSPC));
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* why)
{
    if (path.isEmpty()) {
        setWhy(why, reasonOf(ENOENT));
        return false;
    }
    QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.symLinkTarget();
        if (!target.isEmpty())
            info = QFileInfo(target);
    }
    if (info.isDir()) {
        setWhy(why, reasonOf(EISDIR));
        return false;
    }
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const QByteArray base = QFile::encodeName(info.fileName());

    struct stat old {};
    const bool hadFile = ::stat(target.constData(), &old) == 0;

    QByteArray temporary;
    const int fd = createTemporary(folder, base, temporary);
    if (fd < 0) {
        setWhy(why, reasonOf(errno));
        return false;
    }
    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporary.constData());
        setWhy(why, reasonOf(error));
        return false;
    };
    if (!WriteAllTo(fd, bytes, why)) {
        ::close(fd);
        ::unlink(temporary.constData());
        return false;
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
    if (hadFile)
        (void)::fchmod(fd, old.st_mode & 07777);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        setWhy(why, reasonOf(error));
        return false;
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        setWhy(why, reasonOf(error));
        return false;
    }
    return true;
}

} // namespace tarvex
