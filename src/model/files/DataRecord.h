#pragma once
// A data file of either kind read into a table and its note, for the readers
// that take files outside the tabs: the converter and the library's import.

#include <QString>

class QIODevice;

namespace tarvex {

class DataTable;

// False when the bytes are not a data file of that kind, or do not fill a
// table; the table is then as it was.
bool ReadDataRecord(QIODevice& device, bool polar, DataTable& table, QString& note);

} // namespace tarvex
