#pragma once
// The text exports (".txt"): every row of the table, heading row first, as
// "column 0<separator>column 1" with carriage return and line feed, then the
// note and one more line end, in Windows-1252. Nothing reads them back.

#include "files/FileCommon.h"

#include <QString>

namespace tarvex {

class DataTable;

inline const QString kProfileExportSeparator = QStringLiteral(",");
inline const QString kPolarExportSeparator = QStringLiteral(" , ");

// The export as text (line ends already carriage return and line feed).
QString TextExportText(const DataTable& table, const QString& note, const QString& separator);

SaveResult WriteTextExport(const QString& path, const DataTable& table, const QString& note, const QString& separator);
inline SaveResult WriteProfileTextExport(const QString& path, const DataTable& table, const QString& note)
{
    return WriteTextExport(path, table, note, kProfileExportSeparator);
}
inline SaveResult WritePolarTextExport(const QString& path, const DataTable& table, const QString& note)
{
    return WriteTextExport(path, table, note, kPolarExportSeparator);
}

} // namespace tarvex
