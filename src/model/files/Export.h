#pragma once
// The one way out for what the program exports besides its data files (the
// report as a PDF, a chart as a picture): the save dialog asks for a name
// among the filter's types, the caller makes the file's bytes, and they are
// written whole or not at all, like a data file.

#include "platform/Result.h"

#include <QByteArray>
#include <QString>
#include <functional>

class QWidget;

namespace tarvex {

class FileDialog;

// Makes the bytes of the file to be written at `path`; its type is the
// name's extension, in lower case.
using ExportMaker = std::function<Result<QByteArray>(const QString& path, const QString& type)>;

// `filter` as for the file dialog ("PDF Document(*.pdf)|*.pdf|..."); the
// first of its types is given to a name typed without one. The path written,
// empty when the user chose no name; a failure for a name of another type,
// a maker's failure and a file that could not be written.
Result<QString> ExportToFile(FileDialog& dialog, QWidget* owner, const QString& filter, const ExportMaker& make);

} // namespace tarvex
