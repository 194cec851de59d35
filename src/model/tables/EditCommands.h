#pragma once
// The commands of the tables' two pop-up menus, on the DataTable alone. The
// Edit menu works on the selected block of either table, the row menu on
// whole rows of the profile table. A table always keeps one data row.
//
// The main window decides what a change means for its flags; every command
// here reports nothing, so it compares the table before and after.

#include "tables/DataTable.h"

#include <QString>
#include <functional>

namespace tarvex {

// ---- Edit menu ---------------------------------------------------------------

// Deletes the block's rows whole, whatever columns it spans; the last data
// row left is emptied instead of removed.
void DeleteBlockRows(DataTable& table);

// Empties every cell of the block.
void ClearBlock(DataTable& table);

// An empty row at the current row, which moves down with the rows below it.
void InsertRowAtCurrent(DataTable& table);

// The block as clipboard text: cells joined by tab, rows by carriage return.
QString CopyBlock(const DataTable& table);

// Clipboard text in the table's own layout. Spreadsheets end rows with a line
// feed or CR LF and put one after the last row too; that last row end is not
// an empty row, so it is dropped, and the others become carriage returns.
QString ClipboardTextToClip(const QString& text);

// Fills the block from its top-left cell with the clipboard text: text beyond
// the block is dropped, block cells beyond the text keep their text. An empty
// clipboard changes nothing.
void PasteIntoBlock(DataTable& table, const QString& clipboardText);

// ---- Row menu ----------------------------------------------------------------

// In the user's language through QCoreApplication::translate("Tables", ...).
inline const char* const kDeleteRowTitle = QT_TRANSLATE_NOOP("Tables", "Delete Row!");
// "There is data in Row 5 ! Delete anyway?"
QString DeleteRowQuestion(int row);

// Asked before a row holding a load is removed; true means go ahead.
using ConfirmRowDelete = std::function<bool(int row)>;

// A new empty row at the bottom, made current.
void AddRow(DataTable& table);

// An empty row at the current row, the rows below moved down by their texts.
void InsertRowAt(DataTable& table);

// Removes the last data row, asking first when it holds a load (the position
// in column 0 does not count). Tables with one data row are left alone.
void DeleteLastRow(DataTable& table, const ConfirmRowDelete& confirm);

// Removes the current row, asking first when it holds a load; the rows below
// move up by their texts.
void ExtractRow(DataTable& table, const ConfirmRowDelete& confirm);

} // namespace tarvex
