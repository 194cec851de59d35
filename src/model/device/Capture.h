#pragma once
// The "Add" buttons: a live reading goes into the table's current cell, and
// the current cell moves one row down (it stays on the last row, where every
// further capture overwrites the same cell). Whether there is a live reading
// to record is the ReadingReceiver's answer, not the live box's text.

#include <QLocale>

namespace tarvex {

class DataTable;

// Profile table: writes into the current cell, whatever its column. Returns
// true when a cell was written. The value is written in the number format of
// `locale`, like a number the user typed, so the table can plot and save it.
bool CaptureIntoProfile(DataTable& table, double value, const QLocale& locale = QLocale::system());

// Polar table: always into the load column (column 1) of the current row.
bool CaptureIntoPolar(DataTable& table, double value, const QLocale& locale = QLocale::system());

} // namespace tarvex
