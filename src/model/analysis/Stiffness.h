#pragma once
// Bending stiffness (EI) along the shaft from the profile table, its zone
// figures, and the difference of one curve from a reference curve. Raw loads
// depend on how the bench is set; EI does not, so EI is what two benches, or
// two settings of one bench, can compare.

#include "analysis/TableReadings.h"

#include <QString>
#include <vector>

namespace tarvex {

// Three-point bending: the shaft lies on two supports a span apart and the
// load is applied in the middle.
enum class BenchSetup { ThreePoint };
enum class LengthUnit { Inch, Millimetre };
enum class LoadUnit { Kilogram, PoundForce, Newton };

struct BenchGeometry {
    BenchSetup setup = BenchSetup::ThreePoint;
    // Of the span, the deflection, the compliance and the table's positions.
    LengthUnit lengthUnit = LengthUnit::Inch;
    LoadUnit loadUnit = LoadUnit::PoundForce;
    double span = 0.0;
    double deflection = 0.0;   // what the bench deflects the shaft by
    double compliance = 0.0;   // the bench's own give per load unit, taken off the deflection
};

inline constexpr double kNewtonsPerPoundForce = 4.4482216152605;
inline constexpr double kNewtonsPerKilogramForce = 9.80665;
inline constexpr double kMetresPerInch = 0.0254;
// How many of the unit make an inch.
inline constexpr double UnitsPerInch(LengthUnit unit) { return unit == LengthUnit::Inch ? 1.0 : 25.4; }
// The unit as the settings store it and the figures print it: "in" or "mm".
inline QString LengthUnitText(LengthUnit unit) { return unit == LengthUnit::Inch ? QStringLiteral("in") : QStringLiteral("mm"); }
// lbf·in² in one N·m²
inline constexpr double kLbfIn2PerNm2 = 1.0 / (kNewtonsPerPoundForce * kMetresPerInch * kMetresPerInch);

struct EiPoint {
    int row = 0;
    double position = 0.0;
    double load = 0.0;
    double lbfIn2 = 0.0;
    double nM2 = 0.0;
    double kgfM2 = 0.0;
};

struct EiCurve {
    QString refusal;   // empty when every point was converted
    std::vector<EiPoint> points;
    bool ok() const { return refusal.isEmpty(); }
};

// EI = F L^3 / (48 d), d the set deflection less what the bench itself gives
// under F. Takes the rows NumberRowsOf found (position, load).
EiCurve ConvertToEi(const std::vector<RowPoint>& rows, const BenchGeometry& geometry);

// Figures of an EI curve in N m^2, over the measured length (first to last
// position). Positions run from the tip, as the profile table is laid out,
// so the third at the smallest positions is the tip.
struct ZoneFigures {
    QString refusal;
    double tip = 0.0;                 // mean EI over each third
    double mid = 0.0;
    double butt = 0.0;
    double buttTipRatio = 0.0;
    double slopePercentPerIn = 0.0;   // least-squares slope, % of the mean EI per inch
    double stiffnessIndex = 0.0;      // area under the curve over the measured length
    bool ok() const { return refusal.isEmpty(); }
};

// `positions`: the unit the positions are in, for the slope per inch.
ZoneFigures EiZones(const EiCurve& curve, LengthUnit positions);

struct Difference {
    double position = 0.0;
    double percent = 0.0;
};

struct CurveComparison {
    QString refusal;
    std::vector<Difference> differences;   // one per position of the curve compared
    // Positions outside the reference's range (never extrapolated) or where
    // the reference is 0, so that no percentage exists.
    int leftOut = 0;
    double rmsPercent = 0.0;
    double maxPercent = 0.0;    // the largest difference either way, with its sign
    double maxPosition = 0.0;
    bool ok() const { return refusal.isEmpty(); }
};

// Each point of `curve` (x position, y value) as percent difference from the
// reference, interpolated linearly between the reference's positions.
CurveComparison CompareWithReference(const std::vector<RowPoint>& reference, const std::vector<RowPoint>& curve);

} // namespace tarvex
