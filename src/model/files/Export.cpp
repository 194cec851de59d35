#include "files/Export.h"

#include "files/FileCommon.h"
#include "platform/FailurePolicy.h"
#include "platform/FileDialog.h"

#include <QFileInfo>
#include <QStringList>

namespace tarvex {

QString ExportToFile(FileDialog& dialog, QWidget* owner, const QString& filter, const ExportMaker& make,
                     const MessageSink& tell)
{
    QStringList types;
    for (const FileFilterEntry& entry : ParseFileFilter(filter))
        types << entry.pattern.section(QLatin1Char('.'), -1).toLower();
    dialog.Filter = filter;
    dialog.DefaultExt = types.value(0);
    if (!dialog.ShowSave(owner)) {
        StopWithMessage(Failure(dialog.ErrorText()), tell);
        return {};
    }
    dialog.InitDir.clear();
    const QString path = dialog.FileName();
    if (path.isEmpty())
        return {};
    const QString type = QFileInfo(path).suffix().toLower();
    if (!types.contains(type)) {
        StopWithMessage(Failure(QStringLiteral("Nothing was saved: the name must end in .%1.")
                                    .arg(types.join(QStringLiteral(" or .")))),
                        tell);
        return {};
    }
    QByteArray bytes;
    if (StopWithMessage(make(path, type, bytes), tell) || StopWithMessage(WriteDataBytes(path, bytes), tell))
        return {};
    return path;
}

} // namespace tarvex
