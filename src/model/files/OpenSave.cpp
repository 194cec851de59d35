#include "files/OpenSave.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvex {

WorkspaceFileSettings FileSettingsFor(Workspace workspace)
{
    // Worked out at each call, in the language chosen by then.
    if (workspace == Workspace::Profile)
        return {
            QCoreApplication::translate("Files", "Tarvex Data File(*.tvl)|*.tvl"),
            QCoreApplication::translate("Files", "Tarvex Data File(*.tvl)|*.tvl|Save As Text File(*.txt)|*.txt"),
            QStringLiteral("tvl"),
            QCoreApplication::translate("Files", "The file type is not correct!"),
            QCoreApplication::translate("Files", "The file type is not support!"),
        };
    return {
        QCoreApplication::translate("Files", "Tarvex Polar File(*.tvp)|*.tvp"),
        QCoreApplication::translate("Files", "Tarvex Polar Data File(*.tvp)|*.tvp|Save As Text File(*.txt)|*.txt"),
        QStringLiteral("tvp"),
        QCoreApplication::translate("Files", "The file type is not correct!"),
        QCoreApplication::translate("Files", "File Type not supported!"),
    };
}

QString FirstDialogFolder(const QString& programFolder)
{
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable())
        return programFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QStringList WithRecentFile(QStringList recent, const QString& path)
{
    recent.removeAll(path);
    recent.prepend(path);
    return recent.mid(0, kRecentFiles);
}

QString FileTypeOf(const QString& path)
{
    return path.right(3).toLower();
}

} // namespace tarvex
