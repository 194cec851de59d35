#pragma once
// The bench's geometry EI is worked out from, and the unit EI is shown in:
// what the EI and difference views, the frequency figure, the library's
// stiffness index and the set builder need. Three-point bending is the one
// set-up. Kept with QSettings under the keys earlier runs wrote.

#include "analysis/Stiffness.h"

#include <QString>

class QSettings;

namespace tarvex {

struct GeometrySettings {
    QString lengthUnit = QStringLiteral("in");   // "in" or "mm": span, deflection, positions
    // 0 for span or deflection means not set.
    double span = 0.0;
    double deflection = 0.0;
    double compliance = 0.0;      // length units per load unit
    // EI and its figures shown in lbf·in² instead of N·m².
    bool eiInLbfIn2 = false;

    static GeometrySettings load(QSettings& settings);
    void save(QSettings& settings) const;
    friend bool operator==(const GeometrySettings&, const GeometrySettings&) = default;
};

LengthUnit LengthUnitOf(const GeometrySettings& geometry);

// The geometry as the EI routines take it, with the unit of the loads
// (`loadUnit`, the capture's: "kg", "lbf", "N" or empty), and what the two
// still lack for EI, in words ("the span and the load unit"); empty when
// nothing.
BenchGeometry GeometryOf(const GeometrySettings& geometry, const QString& loadUnit);
QString MissingForEi(const GeometrySettings& geometry, const QString& loadUnit);

} // namespace tarvex
