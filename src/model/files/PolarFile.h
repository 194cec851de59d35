#pragma once
// The polar data file (".tvp"): one little-endian record of the angle texts
// (an array of texts), the loads (a float array, one per data row), the note
// and the two column headings. The reader takes only the count of the angles:
// it picks the angle interval from it and lets SetPolarRows lay out the rows.
//
// As with the profile file, the record is read and checked whole, including
// whether it holds a load for every row the interval lays out, before the
// table, the interval or the note is touched.

#include "files/FileCommon.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QIODevice;

namespace tarvex {

class DataTable;

struct PolarRecord {
    quint32 angleCount = 0;
    QStringList angles;        // left empty when the reader was asked to skip them
    std::vector<float> loads;  // one per data row
    QString note;              // line breaks as "\n"
    QString heading0;
    QString heading1;
};

// As for the profile file: the old words for a file that is not there.
inline constexpr ReadFailureTexts kPolarReadFailed{QT_TRANSLATE_NOOP("Files", "File Type not Supported"), QT_TRANSLATE_NOOP("Files", "Not a polar data file")};

// The entry of the interval list that a stored angle count stands for.
QString PolarIntervalForCount(quint32 angleCount);

Result<PolarRecord, SaveStatus> PolarRecordFromTable(const DataTable& table, const QString& note,
                                                     const QLocale& locale = QLocale::system());
QByteArray EncodePolarRecord(const PolarRecord& record);

// `keepAngles` false skips the angle texts (the program needs only their count).
std::optional<PolarRecord> DecodePolarRecord(QIODevice& device, bool keepAngles = true);
std::optional<PolarRecord> DecodePolarRecord(const QByteArray& bytes, bool keepAngles = true);

// Whether the record holds a load for every row its interval lays out.
bool PolarRecordFillsTable(const PolarRecord& record);

// The reader: a record that fills the table its angle count lays out (the
// angle texts skipped), or the words for data that is not a polar file.
Result<PolarRecord, ReadStatus> ReadPolarRecord(QIODevice& device);

// Rows, loads and headings from the record: SetPolarRows lays the table out
// for the interval of its angle count (PolarIntervalForCount) and each load
// row becomes the current cell in turn as its load is written. Gives the note
// to show, as for the profile file. The record must have passed
// PolarRecordFillsTable.
QString ApplyPolarRecord(const PolarRecord& record, DataTable& table, const QString& note);

// The writer: the table and note as the bytes of a polar file.
Result<QByteArray, SaveStatus> PolarFileBytes(const DataTable& table, const QString& note,
                                              const QLocale& locale = QLocale::system());

} // namespace tarvex
