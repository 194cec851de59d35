// The one routine every save goes through: whatever fails, the old file is
// left byte for byte and the reason is given.
#include "Golden.h"
#include "files/FileCommon.h"
#include "files/ProfileFile.h"
#include "files/SafeWrite.h"
#include "tables/DataTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvex;

namespace {

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The seam: the system takes `budget` more bytes, then fails with `error`
// (0: the write takes nothing and says nothing, as a full device may).
qint64 budget = 0;
int failure = ENOSPC;
ssize_t limitedWrite(int fd, const void* data, size_t size)
{
    if (budget <= 0) {
        errno = failure;
        return failure ? -1 : 0;
    }
    const size_t n = std::min<size_t>(size, static_cast<size_t>(budget));
    const ssize_t written = ::write(fd, data, n);
    if (written > 0)
        budget -= written;
    return written;
}

} // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList leftovers() const { return QDir(dir.path()).entryList(QStringList{".tarvex-save-*"}, QDir::Hidden | QDir::Files); }

private slots:
    void cleanup() { SetWriteCallForTesting(nullptr); }

    // A write that fails after any number of bytes, in any way, must leave
    // the old file as it was and no temporary file behind.
    void failureAtEveryByteKeepsTheOldFile()
    {
        const QString file = path("old.tvl");
        const QByteArray old("the run saved yesterday");
        const QByteArray fresh = QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ").repeated(3);
        SetWriteCallForTesting(limitedWrite);
        for (int error : {ENOSPC, EIO, 0}) {
            for (qint64 cut = 0; cut < fresh.size(); ++cut) {
                QVERIFY(golden::writeFile(file, old));
                budget = cut;
                failure = error;
                const Result<> written = WriteFileSafely(file, fresh);
                QVERIFY2(!written, qPrintable(QString::number(cut)));
                QCOMPARE(written.message(), reason(error ? error : ENOSPC));
                QCOMPARE(golden::fileBytes(file), old);
                QCOMPARE(leftovers(), QStringList());
            }
        }
        budget = fresh.size();
        QVERIFY(WriteFileSafely(file, fresh));
        QCOMPARE(golden::fileBytes(file), fresh);
    }

    void reasonsAreTheSystems()
    {
        QDir(dir.path()).mkpath(QStringLiteral("afolder"));
        for (const auto& [name, error] : {std::pair{"no/such/folder/x.tvl", ENOENT}, {"afolder", EISDIR}, {"", ENOENT}}) {
            const Result<> written = WriteFileSafely(*name ? path(QString::fromLatin1(name)) : QString(), "x");
            QVERIFY(!written);
            QCOMPARE(written.message(), reason(error));
        }
    }

    // The file at the end of a chain of links is replaced; the links and the
    // file's mode stay. A name as long as the system allows can be saved.
    void linkAndModeKept()
    {
        const QString target = path("real.tvl");
        const QString link = path("link.tvl");
        const QString linkToLink = path("link2.tvl");
        QVERIFY(golden::writeFile(target, "old"));
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        QVERIFY(QFile::link(target, link));
        QVERIFY(QFile::link(link, linkToLink));
        QVERIFY(WriteFileSafely(linkToLink, "new"));
        QVERIFY(QFileInfo(link).isSymLink() && QFileInfo(linkToLink).isSymLink());
        QVERIFY(WriteFileSafely(path(QString(251, QLatin1Char('n')) + ".tvl"), "long"));
        QCOMPARE(golden::fileBytes(target), QByteArray("new"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
    }

    // A real full disk: a 64 KiB tmpfs, filled but for room for part of the
    // file. Saving through the data file writer must fail with the system's
    // reason and keep the old file.
    void fullDisk()
    {
        QTemporaryDir mountPoint;
        const QByteArray where = QFile::encodeName(mountPoint.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs here (%1): needs root").arg(reason(errno))));
        const QString file = mountPoint.filePath(QStringLiteral("run.tvl"));
        DataTable small, big;
        golden::fill(small, QStringList(6, QStringLiteral("1,0.5")));
        golden::fill(big, QStringList(2000, QStringLiteral("1,0.5")));
        QVERIFY(WriteDataBytes(file, ProfileFileBytes(small, QStringLiteral("yesterday"))).ok());
        const QByteArray old = golden::fileBytes(file);
        {
            QFile filler(mountPoint.filePath(QStringLiteral("filler")));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'f');
            while (filler.write(block) == block.size()) {
            }
            filler.close();
            QVERIFY(filler.resize(std::max<qint64>(0, filler.size() - 8192)));
        }
        const SaveResult result = WriteDataBytes(file, ProfileFileBytes(big, QStringLiteral("today")));
        const QByteArray after = golden::fileBytes(file);
        const QStringList files = QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden);
        if (::umount(where.constData()) != 0)
            ::umount2(where.constData(), MNT_DETACH);
        QCOMPARE(files, (QStringList{"filler", "run.tvl"}));
        QCOMPARE(result.kind(), SaveStatus::CannotWrite);
        QVERIFY2(result.message().contains(reason(ENOSPC)), qPrintable(result.message()));
        QVERIFY2(result.message().startsWith(QLatin1String("Nothing was saved: \"run.tvl\"")), qPrintable(result.message()));
        QCOMPARE(after, old);
    }
};

QTEST_APPLESS_MAIN(TestSafeWrite)
#include "tst_safewrite.moc"
