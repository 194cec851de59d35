#pragma once
// A data file of either kind read into a table and its note, for the readers
// that take files outside the tabs: the converter and the library's import.

#include "files/FileCommon.h"

#include <QString>

class QIODevice;

namespace tarvex {

class DataTable;

// The note read (`note` when the file stores none), or the failure when the
// bytes are not a data file of that kind or do not fill a table; the table is
// then as it was.
Result<QString, ReadStatus> ReadDataRecord(QIODevice& device, bool polar, DataTable& table,
                                           const QString& note = QString());

} // namespace tarvex
