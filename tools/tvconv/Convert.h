#pragma once
// Data files to CSV or JSON and CSV to data files, through the same reader,
// writer and number rules as the program.
//
// CSV layout (UTF-8, "," between fields, "." as decimal point):
//   heading 0,heading 1          the column headings (may be empty)
//   10,2.5                       one line per data row
//   ...
//                                an empty line, then, when there is a note:
//   Note,"the note"

#include "platform/Result.h"

#include <QString>
#include <optional>

namespace tvconv {

enum class Format { Csv, Json };

// Shown: numbers as the program shows them (7 significant digits). Exact:
// the shortest text that reads back as the same stored value, so that
// building the file back gives the same bytes.
enum class Digits { Shown, Exact };

// The data file at `path` (".tvl" or ".tvp", by its last three characters) as
// text, or why it cannot be read.
tarvex::Result<QString> DataFileToText(const QString& path, Format format, Digits digits);

// Builds the data file `outPath` (".tvl" or ".tvp") from the CSV read from the
// open descriptor `input`. The input is read only as far as the largest table
// a data file holds could reach; anything longer is refused.
tarvex::Result<> CsvToDataFile(int input, const QString& outPath);

// Opens `path` for reading: the descriptor, or the system's reason why it
// cannot be. `dataFile` also refuses anything but a regular file.
tarvex::Result<int> OpenInput(const QString& path, bool dataFile);

} // namespace tvconv
