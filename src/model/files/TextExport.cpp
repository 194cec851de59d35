#include "files/TextExport.h"

#include "files/Cp1252.h"
#include "tables/DataTable.h"

namespace tarvex {

QString TextExportSeparator(bool polar, const QLocale& locale)
{
    const bool commaDesktop = locale.decimalPoint() == QStringLiteral(",");
    if (polar)
        return commaDesktop ? kPolarExportSeparatorComma : kPolarExportSeparator;
    return commaDesktop ? kProfileExportSeparatorComma : kProfileExportSeparator;
}

QString TextExportText(const DataTable& table, const QString& note, const QString& separator)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text;
    for (int r = 0; r < table.Rows(); ++r)
        text += table.TextMatrix(r, 0) + separator + table.TextMatrix(r, 1) + lineEnd;
    text += NoteToFile(note);
    text += lineEnd;
    return text;
}

Result<QByteArray, SaveStatus> TextExportBytes(const DataTable& table, const QString& note, const QString& separator)
{
    const QString text = TextExportText(table, note, separator);
    if (!Cp1252Unencodable(text).isEmpty()) {
        // Name the first place that holds such a character.
        SaveResult storable = CheckStorable(note, QCoreApplication::translate("Files", "the note"), false);
        for (int r = 0; r < table.Rows() && storable; ++r)
            for (int c = 0; c < 2 && storable; ++c)
                storable = CheckStorable(table.TextMatrix(r, c),
                                         r == 0 ? QCoreApplication::translate("Files", "the heading of column %1").arg(c + 1)
                                                : QCoreApplication::translate("Files", "the cell in row %1, column %2").arg(r).arg(c + 1),
                                         false);
        // The whole text holds such a character, so one of its parts does.
        return storable ? Failure(SaveStatus::CannotStore, QString()) : storable.error();
    }
    return ToCp1252(text);
}

} // namespace tarvex
