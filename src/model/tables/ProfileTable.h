#pragma once
// Lay-out commands of the two tables. They work on the DataTable alone; the
// main window keeps the flags and titles that go with them.

#include "tables/DataTable.h"

#include <QLocale>

namespace tarvex {

// Profile table "Set": rows from Start, Steps and Count, read and the
// positions written in the number format of `locale`. The current cell is then
// the first load (row 1, column 1), so readings fill the loads downwards.
// Returns false, having changed nothing, when Count is below 1 or beyond what
// a table can hold.
bool ProfileSetRows(DataTable& table, const QString& start, const QString& steps, const QString& count,
                    const QLocale& locale = QLocale::system());

// Profile table "Clear": the heading row and one empty data row.
void ProfileClearRows(DataTable& table);

// Start-up state of either table: two headings, one empty data row, current
// cell row 1 column 0.
void LayOutEmptyTable(DataTable& table, const QString& heading0, const QString& heading1);

inline const QString kPolarFormat = QStringLiteral(">     Degree|>     Load");

// Rebuilds the polar table for an angle interval: n = 360 / interval rows
// rounded half to even, angles 0, interval, 2 x interval, ... Returns false,
// having changed nothing, when the interval text is empty.
bool SetPolarRows(DataTable& table, const QString& intervalText, const QLocale& locale = QLocale::system());

// The polar table as New leaves it: formatted headings and one empty row.
void ResetPolarTableForNew(DataTable& table);

// The most rows a table may have: row numbers are 16-bit signed integers.
constexpr int kMaxTableRows = 32767;

} // namespace tarvex
