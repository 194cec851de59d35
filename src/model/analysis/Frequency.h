#pragma once
// What a frequency meter would read on the shaft, predicted from its EI
// profile: the shaft clamped at the butt with a weight on the tip, set
// swinging, counted in cycles per minute. Also the kick point and the bend
// point, which fitters read from the same stiffness profile.
//
// The shaft is an Euler-Bernoulli beam. EI is linear between the profile's
// rows and held at the end rows' values beyond them (how far that reaches is
// reported, so the figure can say how much of it is guessed). Its mass is
// spread evenly, or linearly when the balance point is known.

#include "analysis/Stiffness.h"

#include <QString>
#include <optional>
#include <vector>

namespace tarvex {

// Lengths in the profile's length unit, positions from the tip; grams.
struct ShaftDetails {
    double length = 0.0;               // raw, uncut
    double weight = 0.0;
    std::optional<double> balance;     // balance point, from the tip
};

struct MeterSetup {
    double clamp = 5.0;                // how much of the butt the clamp holds
    double tipWeight = 255.0;          // grams
    double tipOffset = 0.0;            // the tip weight's centre of gravity beyond the tip
    // Added to the clamp: what calibration against the shop's own meter found
    // its clamp really holds, beyond or short of what it is set to.
    double clampOffset = 0.0;
};

struct Trims {
    double tip = 0.0;
    double butt = 0.0;
};

struct FrequencyInput {
    std::vector<RowPoint> ei;          // position, EI in N m^2
    LengthUnit unit = LengthUnit::Inch;
    ShaftDetails shaft;
    MeterSetup meter;
    Trims trims;
    // A refinement level to use as it is instead of refining until the
    // figure settles (-1); for seeing how the refinement converges. Each
    // level halves every element of the one before.
    int level = -1;
};

// The meter's defaults in `unit`: a 5 in clamp, 255 g (an iron's weight).
MeterSetup DefaultMeterSetup(LengthUnit unit);

struct FrequencyPrediction {
    QString refusal;                   // why there is no figure, in words for the user
    double cpm = 0.0;
    // Lengths in the input's unit. Free: tip to clamp face after the trims.
    double freeLength = 0.0;
    double extrapolatedTip = 0.0;      // of the free length, outside the measured rows
    double extrapolatedButt = 0.0;
    // From the tip of the shaft as trimmed. Bend point: over the whole shaft
    // pushed end to end; kick point: over the free length under a tip load.
    double bendPoint = 0.0;
    double kickPoint = 0.0;
    int elements = 0;                  // beam elements the converged figure took
    int level = 0;                     // and its refinement level
    bool ok() const { return refusal.isEmpty(); }
};

// Rows converted by ConvertToEi, as the prediction takes them.
std::vector<RowPoint> EiRows(const EiCurve& curve);

FrequencyPrediction PredictFrequency(const FrequencyInput& input);

struct ClampCalibration {
    QString refusal;
    double clampOffset = 0.0;          // in the input's unit
    bool ok() const { return refusal.isEmpty(); }
};

// The clamp offset that makes the prediction for `input` read `measuredCpm`;
// refused beyond +-3 in, where the difference is no longer the clamp's.
ClampCalibration CalibrateClamp(FrequencyInput input, double measuredCpm);

// The EI curve as the trimmed shaft has it, positions from its new tip: the
// rows left on the shaft, and the curve's value at each new end.
std::vector<RowPoint> TrimmedEi(const std::vector<RowPoint>& ei, double length, const Trims& trims);

} // namespace tarvex
