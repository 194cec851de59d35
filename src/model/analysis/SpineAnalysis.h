#pragma once
// Spine and bend from the polar table. Two effects mix in the loads read
// around a shaft: a stiffness asymmetry repeats twice per turn (the stiff and
// the soft plane, 90 degrees apart), a bent shaft or an off-centre mounting
// once per turn. A least-squares fit of
//     F(t) = a0 + A1 cos t + B1 sin t + A2 cos 2t + B2 sin 2t
// separates them; the angles need not be evenly spaced nor cover the turn.

#include "analysis/TableReadings.h"

#include <QString>
#include <vector>

namespace tarvex {

// Spine percentages up to `tour` grade "tour", up to `consumer` "consumer",
// above that "reject" (about 2 and 5 cycles per minute on a 300 cpm shaft).
struct GradeLimits {
    double tour = 1.3;
    double consumer = 3.4;
};

enum class SpineGrade { Tour, Consumer, Reject };

// "tour", "consumer", "reject".
QString GradeName(SpineGrade grade);

// Angles in degrees as the table's angles run; loads and amplitudes in the
// table's load unit.
struct SpineAnalysis {
    QString refusal;             // why there are no figures; empty when there are
    int readings = 0;            // rows in the fit (set even when refused)
    double mean = 0.0;           // a0
    double spineAngle = 0.0;     // the stiff plane, [0, 180)
    double nbpAngle = 0.0;       // the soft plane, 90 degrees on, [0, 180)
    double spinePercent = 0.0;   // stiff against soft plane, peak to peak, % of the mean
    double bendAmplitude = 0.0;  // once-per-turn amplitude
    double bendAngle = 0.0;      // where the once-per-turn term peaks, [0, 360)
    double bendPercent = 0.0;
    double wobblePercent = 0.0;  // residual RMS, % of the mean: what neither effect explains
    double spineAngleSd = 0.0;   // degrees; infinite when there is no twice-per-turn term at all
    bool spineSignificant = false;   // false: the stiff plane is not known, show "none found"
    SpineGrade grade = SpineGrade::Tour;

    bool ok() const { return refusal.isEmpty(); }
};

// x of each point is the angle in degrees, y the load.
SpineAnalysis AnalyzeSpine(const std::vector<RowPoint>& readings, const GradeLimits& limits = {});

// The fitted curve at an angle, and its two parts about the mean: what the
// sine view draws over the readings.
struct SpineFit {
    double load = 0.0;     // mean + once + twice
    double once = 0.0;     // the bend: peaks at bendAngle
    double twice = 0.0;    // the stiffness: peaks in the stiff plane, lowest in the soft one
};
SpineFit SpineFitAt(const SpineAnalysis& a, double degrees);

// The fewest readings the fit takes: five unknowns and one reading more, so
// that the residuals say something about the noise.
constexpr int kSpineMinReadings = 6;

} // namespace tarvex
