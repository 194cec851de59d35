#include "files/OpenSave.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace tarvex {

const WorkspaceFileSettings& FileSettingsFor(Workspace workspace)
{
    static const WorkspaceFileSettings profile{
        QStringLiteral("Tarvex Data File(*.tvl)|*.tvl"),
        QStringLiteral("Tarvex Data File(*.tvl)|*.tvl|Save As Text File(*.txt)|*.txt"),
        QStringLiteral("tvl"),
        QStringLiteral("The file type is not correct!"),
        QStringLiteral("The file type is not support!"),
    };
    static const WorkspaceFileSettings polar{
        QStringLiteral("Tarvex Polar File(*.tvp)|*.tvp"),
        QStringLiteral("Tarvex Polar Data File(*.tvp)|*.tvp|Save As Text File(*.txt)|*.txt"),
        QStringLiteral("tvp"),
        QStringLiteral("The file type is not correct!"),
        QStringLiteral("File Type not supported!"),
    };
    return workspace == Workspace::Profile ? profile : polar;
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
