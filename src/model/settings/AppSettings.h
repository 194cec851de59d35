#pragma once
// What the program keeps between runs, read from the settings file once at
// start and handed to those who need it: the bench (the capture's steadiness
// and averaging, the load unit, the EI geometry, the meter, the library's
// address and the shop, edited together in the settings dialog and kept
// under their old keys), and the window's remembered state.

#include "settings/BenchSettings.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class QSettings;

namespace tarvex {

// The main window as the last run left it.
struct WindowState {
    QByteArray geometry;                // as QWidget::saveGeometry gave it
    QStringList recentFiles;            // newest first
    QHash<QString, QString> fields;     // remembered control texts, by control name

    static WindowState load(QSettings& settings, const QStringList& fieldNames);
    // The geometry and the fields, when the window closes.
    void save(QSettings& settings) const;
    // The recent files alone: written as soon as the list changes, so a run
    // that ends badly still keeps them.
    void saveRecentFiles(QSettings& settings) const;
};

struct AppSettings {
    BenchSettings bench;
    WindowState window;

    static AppSettings load(QSettings& settings, const QStringList& fieldNames);
};

} // namespace tarvex
