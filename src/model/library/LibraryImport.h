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

// Reads the bytes of one data file, or says why it could not (naming the
// file as `path` does).
using DataFileReader = std::function<Result<QByteArray>(const QString& path)>;

// The bytes of a regular file; a pipe or a device is refused unopened, so
// that an import never waits on one.
Result<QByteArray> ReadDataFileForLibrary(const QString& path);

// The measurement already holding these data file bytes, or 0.
using StoredDataFile = std::function<qint64(const QByteArray& bytes)>;

struct FolderImport {
    std::vector<Shaft> shafts;
    std::vector<std::pair<std::size_t, Measurement>> measurements;   // shaft by index into shafts
    QStringList skipped;                                             // one reason per file not read
    QStringList known;                                               // files the library holds already
};

// What a file's name and note tell of its shaft, where they tell anything:
// note lines "Maker: ...", "Model: ...", "Flex: ...", "Customer: ...",
// "Weight: 65 g", "Length: 41.5 in"; in the name, a flex (L, A, R, S, X, TX,
// ...), a weight ("65g") and a length ("41.5in") among its words after the
// first. What the
// note says wins over the name. The label stays the file's name.
void GuessShaftFields(const QString& baseName, const QString& note, Shaft& shaft);

// The note's "Weight:", "Length:" and "Balance:" lines by the same rule of
// numbers and units: grams, and inches ("41.5 in" or 41.5"). Each line is
// read as what its key says.
struct NotedShaft {
    std::optional<double> weightGrams;
    std::optional<double> lengthInches;
    std::optional<double> balanceInches;
};
NotedShaft ShaftDetailsInNote(const QString& note);

// The .tvl and .tvp files of the folder, by name. A file whose name is not
// UTF-8 cannot be named to the file system through Qt: it goes into
// `skipped` with the reason instead of being left out unsaid.
QStringList DataFilesIn(const QString& folder, QStringList* skipped = nullptr);

// Reads `files` into `out`, each measurement with its file's bytes as they
// are. A file whose bytes `stored` knows goes into `known` instead: importing
// a folder again stores nothing twice. Files are named as `files` names them.
// `progress(done, total)` is asked before each file and once at the end; when
// it answers false the reading stops and false is returned.
bool ReadDataFiles(const QStringList& files, const DataFileReader& read, FolderImport& out,
                   const std::function<bool(int done, int total)>& progress = {}, const StoredDataFile& stored = {});

// Asks `library` for each file's bytes.
StoredDataFile StoredIn(ShaftLibrary& library);

} // namespace tarvex
