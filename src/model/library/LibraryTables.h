#pragma once
// A measurement and the two-column table it was taken in, both ways, and its
// data file: the bytes a store keeps, the rows the library keeps as numbers
// beside them, and the rows read back from the bytes on this desktop.
#include "library/ShaftLibrary.h"

namespace tarvex {

class DataTable;

// The table's heading and data rows into `m` (kind, note and the rest are
// the caller's).
void TableIntoMeasurement(const DataTable& table, Measurement& m);

// The measurement's headings and rows as the whole table.
void MeasurementIntoTable(const Measurement& m, DataTable& table);

// The measurement's rows as the bytes of its data file (.tvl or .tvp), made
// by the data file writer from the cells as this desktop writes numbers; a
// failure says why a cell cannot be stored in one.
Result<QByteArray> MeasurementAsDataFile(const Measurement& m);

// One data row as the library keeps it for looking up. A number the database
// cannot hold (NaN on SQLite) is no number and no text. `text` holds a polar
// row's angle as its file names it, or a cell that read as no number.
struct StoredRow {
    std::optional<double> x;
    std::optional<double> y;
    QString xText;
    QString yText;
};

// Every row the data file holds (a polar file's loads beyond what a table
// lays out too), each float as its exact double; a failure when the bytes
// are not a data file of that kind.
Result<std::vector<StoredRow>> DataFileRows(MeasurementKind kind, const QByteArray& bytes);

// `m.rows` (and the headings) read from `m.dataFile` by the data file reader,
// as the tabs would show that file here; a failure when the bytes do not read.
Result<> RowsFromDataFile(Measurement& m);

// A cell as an older library kept it: the text a table showed on the desktop
// that stored it, with "." or "," as its decimal separator. Nothing when it
// reads neither way (it is then not guessed at).
std::optional<float> StoredCellNumber(const QString& text);

// The data file the writer makes of rows read from an older library: the
// numbers as floats, a polar row's angle as its text. Empty when a row holds
// no number.
QByteArray DataFileFromRows(MeasurementKind kind, const std::vector<StoredRow>& rows, const QString& note,
                            const QString& heading0, const QString& heading1);

} // namespace tarvex
