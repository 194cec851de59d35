#pragma once
// The "Add" buttons: a live reading goes into the table's current cell, and
// the current cell moves one row down (it stays on the last row, where every
// further capture overwrites the same cell). Whether there is a live reading
// to record is the ReadingReceiver's answer, not the live box's text.

#include "tables/Workspace.h"

#include <QLocale>

namespace tarvex {

class DataTable;

// Profile table: writes into the current cell, whatever its column. Returns
// true when a cell was written. The value is written in the number format of
// `locale`, like a number the user typed, so the table can plot and save it.
bool CaptureIntoProfile(DataTable& table, double value, const QLocale& locale = QLocale::system());

// Polar table: always into the load column (column 1) of the current row.
bool CaptureIntoPolar(DataTable& table, double value, const QLocale& locale = QLocale::system());

// What "Auto" did with a reading: it records the current cell and moves on
// as "Add" does, but never over a cell that holds a value and never past the
// last row, where a reading would overwrite the one before it.
enum class AutoOutcome {
    Recorded,       // written; the next row waits for the next position
    TableFull,      // written into the last row: "Auto" is done
    CellTaken,      // the current cell holds a value: nothing written
    NoRow,          // no row for a reading: nothing written
};
AutoOutcome AutoCaptureInto(DataTable& table, Workspace kind, double value, const QLocale& locale = QLocale::system());
// What the window says when "Auto" stops, for the outcomes that stop it.
QString AutoStopText(AutoOutcome outcome);

} // namespace tarvex
