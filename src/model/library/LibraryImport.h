#pragma once
// A folder of data files read for the library, for the converter and the
// Library window alike. Every file becomes one measurement; its shaft is named
// after the file, so that a.tvl and a.tvp become two measurements of shaft
// "a". Everything is read before anything is stored, so that the store can be
// one transaction and a cancel or a bad file leaves the library as it was.
#include "library/ShaftLibrary.h"

#include <functional>

namespace tarvex {

class DataTable;

// Reads one data file into a table and its note; empty, or why it could not.
using DataFileReader = std::function<QString(const QString& path, bool polar, DataTable& table, QString* note)>;

// The reader for the window: the file as the tabs read it, with the reason a
// file does not read in words.
QString ReadDataFileForLibrary(const QString& path, bool polar, DataTable& table, QString* note);

struct FolderImport {
    std::vector<Shaft> shafts;
    std::vector<std::pair<std::size_t, Measurement>> measurements;   // shaft by index into shafts
    QStringList skipped;                                             // one reason per file not read
};

// What a file's name and note tell of its shaft, where they tell anything:
// note lines "Maker: ...", "Model: ...", "Flex: ...", "Customer: ...",
// "Weight: 65 g", "Length: 41.5 in"; in the name, a flex (L, A, R, S, X, TX,
// ...), a weight ("65g") and a length ("41.5in") among its words after the
// first. What the
// note says wins over the name. The label stays the file's name.
void GuessShaftFields(const QString& baseName, const QString& note, Shaft& shaft);

// The .tvl and .tvp files of the folder, by name.
QStringList DataFilesIn(const QString& folder);

// Reads `files` into `out`. `progress(done, total)` is asked before each file
// and once at the end; when it answers false the reading stops and false is
// returned.
bool ReadDataFiles(const QStringList& files, const DataFileReader& read, FolderImport& out,
                   const std::function<bool(int done, int total)>& progress = {});

} // namespace tarvex
