#pragma once
// What the program keeps between runs, read from the settings file once at
// start and each part handed to those who need it: the capture's settings
// (the receiver, the live panel), the bench geometry (EI and what is worked
// out from it), the library's address (the library session), the shop (the
// report, the certificate, the frequency meter), all four edited in the
// settings dialog and kept under their old keys; and the window's
// remembered state.

#include "settings/CaptureSettings.h"
#include "settings/GeometrySettings.h"
#include "settings/LibrarySettings.h"
#include "settings/ShopSettings.h"

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
    CaptureSettings capture;
    GeometrySettings geometry;
    LibrarySettings library;
    ShopSettings shop;
    WindowState window;

    static AppSettings load(QSettings& settings, const QStringList& fieldNames);
    // The four parts the settings dialog edits, under their old keys; the
    // window's state is written when the window closes.
    void saveEdited(QSettings& settings) const;
};

} // namespace tarvex
