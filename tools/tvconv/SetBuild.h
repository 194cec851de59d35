#pragma once
// tvconv --build-set: a set of irons solved for a frequency slope from the
// profile files of its shafts, as JSON.

#include <QString>
#include <QStringList>

namespace tvconv {

bool IsSetBuildOption(const QString& option);

// The exit status: 2 for a command line that does not say what to do; 1, with
// every file named that lacks what the set needs, for files and settings the
// set cannot be built from. Nothing is printed on standard output then.
int RunSetBuild(const QStringList& args);

} // namespace tvconv
