#pragma once
// The shaft library and the matched set from the command line:
//   --set A.tvl B.tvl ...            the matched-set figures as JSON
//   --library import DIR             every data file of DIR into the library, all in one go
//   --library list [TEXT]            the measurements kept, newest first
//   --library export ID FILE         one measurement back into a data file
// The library is the program's own, or the one TARVEX_LIBRARY names.

#include <QString>
#include <QStringList>

namespace tvconv {

// Whether `option` is --set or --library.
bool IsLibraryOption(const QString& option);

// Runs the option at the head of `args`. Exit status 1, with a message, when
// the work cannot be done or was done in part (an import that skipped files);
// 2 for arguments that make no sense.
int RunLibrary(const QStringList& args);

} // namespace tvconv
