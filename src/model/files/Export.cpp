#include "files/Export.h"

#include "files/FileCommon.h"
#include "platform/FileDialog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace tarvex {

Result<QString> ExportToFile(FileDialog& dialog, QWidget* owner, const QString& filter, const ExportMaker& make)
{
    QStringList types;
    for (const FileFilterEntry& entry : ParseFileFilter(filter))
        types << entry.pattern.section(QLatin1Char('.'), -1).toLower();
    dialog.Filter = filter;
    dialog.DefaultExt = types.value(0);
    if (!dialog.ShowSave(owner))
        return Failure(dialog.ErrorText());
    dialog.InitDir.clear();
    const QString path = dialog.FileName();
    if (path.isEmpty())
        return QString();
    const QString type = QFileInfo(path).suffix().toLower();
    if (!types.contains(type))
        return Failure(NothingWasSaved()
                       + QCoreApplication::translate("Files", "the name must end in .%1.").arg(types.join(QCoreApplication::translate("Files", " or ."))));
    const Result<QByteArray> bytes = make(path, type);
    if (!bytes)
        return bytes.error();
    if (const SaveResult written = WriteDataBytes(path, *bytes); !written)
        return Failure(written.message());
    return path;
}

} // namespace tarvex
