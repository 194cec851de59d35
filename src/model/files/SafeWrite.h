#pragma once
// Every file the program or the converter writes goes through here. A save
// either puts the complete new contents in place or leaves the old file byte
// for byte as it was, and says why it failed: a full disk, a folder that
// takes no new files, a folder where the file should be.

#include "platform/Result.h"

#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace tarvex {

// Writes `bytes` to a new file beside `path`, unbuffered, checks every write
// and the size on disk, flushes it to the disk, and only then renames it over
// `path`. A symbolic link is followed, so the file it names is replaced and
// the link stays. On failure nothing at `path` has changed and the failure's
// words are the system's reason, such as "No space left on device".
Result<> WriteFileSafely(const QString& path, const QByteArray& bytes);

// Writes all of `bytes` to an open descriptor (standard output), retrying
// short writes and interruptions; fails, with the reason, when any byte
// could not be written.
Result<> WriteAllTo(int fd, const QByteArray& bytes);

// The one call through which the bytes reach the system. Tests swap it to
// make a write fail at any byte; nullptr puts the system's write back.
using WriteCall = ssize_t (*)(int fd, const void* data, size_t size);
void SetWriteCallForTesting(WriteCall call);

} // namespace tarvex
