#pragma once
// How the capture judges a steady load and what "Add" records: the receiver's
// settings, kept with QSettings under the keys earlier runs wrote.

#include <QString>
#include <QtGlobal>

class QSettings;

namespace tarvex {

struct CaptureSettings {
    qint64 freshMs = 2000;        // a reading older than this is not live
    qint64 steadyMs = 500;        // the window that must hold steady
    double bandPercent = 0.2;     // half-width of the steady band, of the mean...
    double bandUnits = 0.02;      // ...or in load units, whichever is larger
    int average = 1;              // "Add" records the mean of this many readings
    QString unit;                 // "kg", "lbf", "N" or empty: what the load cell sends

    static CaptureSettings load(QSettings& settings);
    void save(QSettings& settings) const;
    friend bool operator==(const CaptureSettings&, const CaptureSettings&) = default;
};

} // namespace tarvex
