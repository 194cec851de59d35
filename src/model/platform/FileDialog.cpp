#include "platform/FileDialog.h"

#include <QFileInfo>
#include <QStringList>

namespace tarvex {

QList<FileFilterEntry> ParseFileFilter(const QString& filter)
{
    QList<FileFilterEntry> entries;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.append({parts[i], parts[i + 1]});
    return entries;
}

void FileDialog::setChosen(const QString& path)
{
    fileName_ = path;
    fileTitle_ = path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

} // namespace tarvex
