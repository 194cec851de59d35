#pragma once
// The profile data file (".tvl"): one little-endian record of the X and Y
// values as two float arrays of Rows elements each (the last one 0), then the
// note and the two column headings as Windows-1252 texts with a 2-byte length.
//
// Reading goes file -> ProfileRecord -> table, and the record is checked whole
// before the table is touched: a damaged file leaves the readings on the screen
// as they were. Writing converts every cell first, so a cell that is not a
// number ends the save before a file is opened.

#include "files/FileCommon.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

class QIODevice;

namespace tarvex {

class DataTable;

struct ProfileRecord {
    std::vector<float> x;   // one element per table row, heading row included
    std::vector<float> y;
    QString note;           // line breaks as "\n", as the note box holds them
    QString heading0;
    QString heading1;
};

// A file that is not there keeps the words users know; one that is there but
// is no profile file says so, so that nobody looks for a file in plain sight.
inline constexpr ReadFailureTexts kProfileReadFailed{QT_TRANSLATE_NOOP("Files", "File not Found"), QT_TRANSLATE_NOOP("Files", "Not a profile data file")};

// Cells, note and headings into a record, under the strict number rule.
Result<ProfileRecord, SaveStatus> ProfileRecordFromTable(const DataTable& table, const QString& note,
                                                         const QLocale& locale = QLocale::system());
QByteArray EncodeProfileRecord(const ProfileRecord& record);

// The record at the device's position, or nothing when the bytes are not a
// whole profile record. Bytes after the record are ignored.
std::optional<ProfileRecord> DecodeProfileRecord(QIODevice& device);
std::optional<ProfileRecord> DecodeProfileRecord(const QByteArray& bytes);

// The reader: the record, or the words for data that is not a profile file.
Result<ProfileRecord, ReadStatus> ReadProfileRecord(QIODevice& device);

// Rows, cells and headings from the record; an empty stored note or heading
// leaves the table's own. Gives the note to show: the stored one, or `note`
// when none was stored. The record must have come from the decoder.
QString ApplyProfileRecord(const ProfileRecord& record, DataTable& table, const QString& note);

// The writer: the table and note as the bytes of a profile file; where they
// go is the caller's.
Result<QByteArray, SaveStatus> ProfileFileBytes(const DataTable& table, const QString& note,
                                                const QLocale& locale = QLocale::system());

} // namespace tarvex
