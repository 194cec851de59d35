#pragma once
// What Open and Save need to know about each workspace: the dialog filters,
// the data file extension and the messages for a name of the wrong type.

#include <QString>

namespace tarvex {

struct TabFileSettings {
    QString openFilter;
    QString saveFilter;
    QString dataExtension;          // also the Save dialog's default extension
    QString wrongTypeOnOpen;
    QString wrongTypeOnSave;
};

inline const QString kTextExportExtension = QStringLiteral("txt");

// Settings of tab 0 (profile) or tab 1 (polar); nullptr for any other tab.
const TabFileSettings* FileSettingsForTab(int tab);

// The type of a chosen name: its last three characters in lower case. No dot
// is needed before them ("RUN1.TVL" and "run1tvl" are both "tvl").
QString FileTypeOf(const QString& path);

} // namespace tarvex
