#pragma once
// The bench as the settings dialog edits it: how the capture judges a
// steady load and averages it, the load cell's unit, the geometry EI is
// worked out from, the shop's frequency meter, the library's address and the
// shop's name. Kept with QSettings under the keys earlier runs wrote; read
// once at start (AppSettings) and handed to those who need it.

#include "analysis/FrequencyText.h"
#include "analysis/Stiffness.h"

#include <QString>

class QSettings;

namespace tarvex {

// The operator's choices, kept with QSettings between sessions.
struct BenchSettings {
    qint64 freshMs = 2000;        // a reading older than this is not live
    qint64 steadyMs = 500;        // the window that must hold steady
    double bandPercent = 0.2;     // half-width of the steady band, of the mean...
    double bandUnits = 0.02;      // ...or in load units, whichever is larger
    int average = 1;              // "Add" records the mean of this many readings
    QString unit;                 // "kg", "lbf", "N" or empty: what the load cell sends
    // The bench's geometry, for EI: three-point bending is the one set-up.
    // 0 for span or deflection means not set.
    QString lengthUnit = QStringLiteral("in");   // "in" or "mm": span, deflection, positions
    double span = 0.0;
    double deflection = 0.0;
    double compliance = 0.0;      // length units per load unit
    // Where the shaft library is, when not in this computer's own file:
    // postgresql://user@host:port/database for one a shop shares, or a file.
    // TARVEX_LIBRARY, when set, is used instead.
    QString libraryAddress;
    // Printed at the head of a set's certificate.
    QString shopName;
    // The shop's frequency meter the predictions are made for.
    MeterSettings meter;
    // EI and its figures shown in lbf·in² instead of N·m².
    bool eiInLbfIn2 = false;

    static BenchSettings load(QSettings& settings);
    void save(QSettings& settings) const;
    friend bool operator==(const BenchSettings&, const BenchSettings&) = default;
};

// The settings as the EI routines take them, and what they still lack for
// EI, in words ("the span and the load unit"); empty when nothing.
BenchGeometry GeometryOf(const BenchSettings& settings);
QString MissingForEi(const BenchSettings& settings);

} // namespace tarvex
