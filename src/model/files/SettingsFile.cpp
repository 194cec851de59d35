#include "files/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <fcntl.h>
#include <unistd.h>

namespace tarvex {

namespace {

// QSettings says only that it could not write; this finds out why.
QString reason(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QCoreApplication::translate("Files", "a folder has that name");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QCoreApplication::translate("Files", "the folder %1 does not exist").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (!folder.isDir())
        return QCoreApplication::translate("Files", "%1 is not a folder").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return file.errorString();
    }
    if (!folder.isWritable())
        return QCoreApplication::translate("Files", "the folder %1 cannot be written to").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    return QCoreApplication::translate("Files", "the disk may be full");
}

} // namespace

Result<> WriteSettingsFile(QSettings& settings, bool secret)
{
    const QString path = settings.fileName();
    // Through a link, the file it names is the one written.
    QFileInfo info(path);
    if (info.isSymLink())
        info = QFileInfo(info.symLinkTarget());
    const QString file = info.absoluteFilePath();
    if (secret) {
        // QSettings keeps the permissions of a file that is there, but makes a
        // new one readable by everyone.
        if (!info.exists()) {
            QDir().mkpath(info.absolutePath());
            const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd >= 0)
                ::close(fd);
        } else if (info.isFile()) {
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return Failure(QCoreApplication::translate("Files", "The settings could not be written to %1: %2. They hold only until the program closes.")
                           .arg(QDir::toNativeSeparators(path), reason(path)));
    // A password others could read is not left so, whatever made the file.
    if (secret && (QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther))
        && !QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner))
        return Failure(QCoreApplication::translate("Files", "The settings file %1 holds the library's password and could not be made private to you.")
                           .arg(QDir::toNativeSeparators(file)));
    return {};
}

} // namespace tarvex
