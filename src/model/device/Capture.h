#pragma once
// The "Add" buttons: the number at the start of the live load box goes into
// the table's current cell, and the current cell moves one row down (it stays
// on the last row, where every further capture overwrites the same cell).

#include <QString>

namespace tarvex {

class DataTable;

// Profile table: writes into the current cell, whatever its column. A live
// text without a number records "0". A number beyond the double range cannot
// be recorded: the cell keeps its text, and the current cell still moves on.
// Returns true when a cell was written.
bool CaptureIntoProfile(DataTable& table, const QString& liveText);

// Polar table: always into the load column (column 1) of the current row.
// A number beyond the double range is not recorded and the current cell stays
// where it is, so the next capture goes into the same row. Returns true when
// a cell was written.
bool CaptureIntoPolar(DataTable& table, const QString& liveText);

} // namespace tarvex
