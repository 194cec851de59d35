#pragma once
// What Open and Save need to know about each workspace: the dialog filters,
// the data file extension and the messages for a name of the wrong type.

#include "tables/Workspace.h"

#include <QString>
#include <QStringList>

namespace tarvex {

struct WorkspaceFileSettings {
    QString openFilter;
    QString saveFilter;
    QString dataExtension;          // also the Save dialog's default extension
    QString wrongTypeOnOpen;
    QString wrongTypeOnSave;
};

inline const QString kTextExportExtension = QStringLiteral("txt");

WorkspaceFileSettings FileSettingsFor(Workspace workspace);

// Where the first Open or Save dialog starts: the program's folder, unless
// no file can be saved there (an installed program's folder belongs to the
// system), then the user's documents folder.
QString FirstDialogFolder(const QString& programFolder);

// The recent files list with `path` put first: each file once, the last
// kRecentFiles at most.
constexpr int kRecentFiles = 8;
QStringList WithRecentFile(QStringList recent, const QString& path);

// The type of a chosen name: its last three characters in lower case. No dot
// is needed before them ("RUN1.TVL" and "run1tvl" are both "tvl").
QString FileTypeOf(const QString& path);

} // namespace tarvex
