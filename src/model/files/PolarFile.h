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
inline const ReadFailureTexts kPolarReadFailed{QStringLiteral("File Type not Supported"), QStringLiteral("Not a polar data file")};

// The entry of the interval list that a stored angle count stands for.
QString PolarIntervalForCount(quint32 angleCount);

SaveResult PolarRecordFromTable(const DataTable& table, const QString& note, PolarRecord& record,
                              const QLocale& locale = QLocale::system());
QByteArray EncodePolarRecord(const PolarRecord& record);

// `keepAngles` false skips the angle texts (the program needs only their count).
std::optional<PolarRecord> DecodePolarRecord(QIODevice& device, bool keepAngles = true);
std::optional<PolarRecord> DecodePolarRecord(const QByteArray& bytes, bool keepAngles = true);
ReadResult LoadPolarRecord(const QString& path, PolarRecord& record, bool keepAngles = true);

// Whether the record holds a load for every row its interval lays out.
bool PolarRecordFillsTable(const PolarRecord& record);

// Interval, rows, loads, note and headings from the record: `intervalText` gets
// the interval entry, SetPolarRows rebuilds the table for it and each load row
// becomes the current cell in turn as its load is written. The record must
// have passed PolarRecordFillsTable.
void ApplyPolarRecord(const PolarRecord& record, DataTable& table, QString& intervalText, QString& note);

SaveResult WritePolarFile(const QString& path, const DataTable& table, const QString& note);

// Reads the file into table, interval and note; on failure nothing has changed.
ReadResult ReadPolarFile(const QString& path, DataTable& table, QString& intervalText, QString& note);
// The same for a file's bytes already in memory (the library keeps them).
ReadResult ReadPolarBytes(const QByteArray& bytes, DataTable& table, QString& intervalText, QString& note);

} // namespace tarvex
