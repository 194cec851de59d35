#pragma once
// The text exports (".txt"): every row of the table, heading row first, as
// "column 0<separator>column 1" with carriage return and line feed, then the
// note and one more line end, in Windows-1252. Spreadsheets read them: where
// the desktop writes numbers with a decimal comma, the cells (which hold the
// user's numbers as typed) are separated with ";" so that "10,5" stays one
// number, as spreadsheets on such desktops expect.

#include "files/FileCommon.h"

#include <QLocale>
#include <QString>

namespace tarvex {

class DataTable;

inline const QString kProfileExportSeparator = QStringLiteral(",");
inline const QString kPolarExportSeparator = QStringLiteral(" , ");
inline const QString kProfileExportSeparatorComma = QStringLiteral(";");
inline const QString kPolarExportSeparatorComma = QStringLiteral(" ; ");

// The separator the export of either table uses on a desktop writing numbers
// the way of `locale`.
QString TextExportSeparator(bool polar, const QLocale& locale = QLocale::system());

// The export as text (line ends already carriage return and line feed).
QString TextExportText(const DataTable& table, const QString& note, const QString& separator);

// The export's bytes, or the first text Windows-1252 cannot hold, named.
Result<QByteArray, SaveStatus> TextExportBytes(const DataTable& table, const QString& note, const QString& separator);
inline Result<QByteArray, SaveStatus> TextExportBytes(const DataTable& table, const QString& note, bool polar,
                                                      const QLocale& locale = QLocale::system())
{
    return TextExportBytes(table, note, TextExportSeparator(polar, locale));
}

} // namespace tarvex
