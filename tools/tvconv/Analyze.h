#pragma once
// The analysis options of the converter: spine and bend of a polar file,
// EI and zone figures of a profile file, the frequency a meter would read
// with its kick and bend points, and the percent difference of one
// profile from a reference. The files are read into a table as the program
// opens them, so the figures are the ones the program works out.

#include "analysis/Stiffness.h"
#include "platform/Result.h"

#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarvex {
class DataTable;
}

namespace tvconv {

// Six significant digits; null for what is not a finite number.
QJsonValue JsonNumber(double v);

// The data file as the program lays it out in its table (the loads written
// into the cells in the desktop's number format, so read back in it too),
// answering its note; a failure says why the file cannot be read. `polar`
// says which kind it must be.
tarvex::Result<QString> LoadDataTable(const QString& path, bool polar, tarvex::DataTable& table);

// "15in", "381mm": the length in `unit`, which the first length read sets;
// empty for text that is not a length.
std::optional<double> LengthArgument(const QString& text, std::optional<tarvex::LengthUnit>& unit);

// span=15in,deflection=0.1in,load=lbf[,compliance=0.001in] as a geometry, or
// what is wrong with it, said as of `option`.
tarvex::Result<tarvex::BenchGeometry> GeometryArgument(const QString& items, const QString& option);

// Whether `option` is one of --analyze, --ei, --compare, --cpm.
bool IsAnalysisOption(const QString& option);

// Runs the option at the head of `args` and prints its JSON on standard
// output. The exit status: 1, with a message, for bad arguments, a file that
// cannot be read, and readings the figures cannot be worked out from.
int RunAnalysis(const QStringList& args);

} // namespace tvconv
