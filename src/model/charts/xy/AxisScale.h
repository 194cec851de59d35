#pragma once
// Scaling of one axis of the X/Y chart. The grid step is always 1, 2, 10, 20
// or 100 times a power of ten, chosen from the leading digits of the data
// range so that the chart shows between about 6 and 25 grid intervals.

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace tarvex {

struct AxisScale {
    int sig = 0;          // up to three leading digits of the range; 0 for an empty range
    int n = 20;           // grid intervals (n + 1 grid lines)
    int unit = 0;         // step in units of the last digit taken into sig; 0 when sig is 0
    float step = 0.1f;    // data value from one grid line to the next
    float start = 0.0f;   // data value at the first grid line
    float span = 2.0f;    // data value covered by the axis, n x step
    int every = 5;        // every-th multiple of the step is a major line
    int decimals = 1;     // decimal places of the labels
    // start counted in steps (start = startIndex x step); 0 when sig is 0.
    std::int64_t startIndex = 0;
    // Mantissa decimals of the labels in exponent form; -1 while they fit
    // fixed notation with `decimals` places.
    int exponentDecimals = -1;

    // start, step and span in double precision, which value() and fraction()
    // work from. They are the single-precision fields above for an axis whose
    // labels fit fixed notation. Beyond that the fields above can only
    // approximate the grid (or not hold it at all: a grid running past
    // 3.4E+38, a step below the smallest normal float, where step is 0 or
    // span infinite), and these hold the decimal grid itself.
    double origin = 0.0;
    double stride = double(0.1f);
    double length = 2.0;

    // Data value at grid line k (0..n).
    double value(int k) const;
    // Whether grid line k is drawn solid and labelled.
    bool isMajor(int k) const;
    // Label text of grid line k in the user's number format.
    QString label(int k, const QLocale& locale = QLocale::system()) const;
    // Position of a data value along the axis, 0 at the first grid line and
    // 1 at the last.
    double fraction(float v) const;
};

// The axis for data running from min to max (max >= min). Empty when no axis
// can be formed: the range max - min overflows single precision, or a value
// is not finite.
std::optional<AxisScale> ComputeAxisScale(float min, float max);

} // namespace tarvex
