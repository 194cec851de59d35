#pragma once
// A measurement and the two-column table it was taken in, both ways: the
// cells go as they are shown, the heading row holds the column headings.
#include "library/ShaftLibrary.h"

namespace tarvex {

class DataTable;

// The table's heading and data rows into `m` (kind, note and the rest are
// the caller's).
void TableIntoMeasurement(const DataTable& table, Measurement& m);

// The measurement's headings and rows as the whole table.
void MeasurementIntoTable(const Measurement& m, DataTable& table);

// The measurement as the bytes of its data file (.tvl or .tvp); empty, with
// `error` set, when a cell cannot be stored in one.
QByteArray MeasurementAsDataFile(const Measurement& m, QString* error);

} // namespace tarvex
