#include "files/SettingsFile.h"

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
        return QStringLiteral("a folder has that name");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (!folder.isDir())
        return QStringLiteral("%1 is not a folder").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return file.errorString();
    }
    if (!folder.isWritable())
        return QStringLiteral("the folder %1 cannot be written to").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    return QStringLiteral("the disk may be full");
}

} // namespace

QString WriteSettingsFile(QSettings& settings, bool secret)
{
    const QString path = settings.fileName();
    if (secret) {
        // QSettings keeps the permissions of a file that is there, but makes a
        // new one readable by everyone.
        const QFileInfo info(path);
        if (!info.exists()) {
            QDir().mkpath(info.absolutePath());
            const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd >= 0)
                ::close(fd);
        } else if (info.isFile()) {
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return {};
    return QStringLiteral("The settings could not be written to %1: %2. They hold only until the program closes.")
        .arg(QDir::toNativeSeparators(path), reason(path));
}

} // namespace tarvex
