#include "charts/xy/AxisScale.h"

#include "numbers/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvex {

namespace {

// The digits of |range| as its plain decimal text with at most 7 significant
// digits would show them once the decimal point is deleted and leading zeros
// drop out: 37.5 -> "375", 0.05 -> "5", 1500 -> "1500". A range whose text
// needs an exponent is written out in full first (1.5E+07 -> "15000000",
// 1.5E-08 -> "15"), so that large and tiny ranges follow the same rule. The
// text is always formed with "." whatever the user's number format, so the
// axis does not depend on the decimal separator.
QString RangeDigits(float range)
{
    const QString text = ShortFloatText(std::fabs(range), QLocale::c());
    const qsizetype e = text.indexOf(QLatin1Char('E'));
    QString digits;
    if (e < 0) {
        digits = text;
        digits.remove(QLatin1Char('.'));
    } else {
        const QString mantissa = text.left(e);
        const int exponent = text.mid(e + 1).toInt();
        digits = mantissa;
        digits.remove(QLatin1Char('.'));
        if (exponent >= 0 && digits.size() < exponent + 1)
            digits += QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    }
    while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
        digits.remove(0, 1);
    return digits;
}

int SigOf(float range)
{
    const QString digits = RangeDigits(range);
    int sig = digits.left(3).toInt();
    if (sig < 10)
        sig *= 10;
    return sig;
}

struct Grid {
    int n;
    int unit;
};

Grid GridFor(int sig)
{
    if (sig <= 24)
        return {sig + 1, 1};
    if (sig <= 48)
        return {sig % 2 != 0 ? (sig + 1) / 2 + 1 : sig / 2 + 1, 2};
    if (sig <= 241)
        return {sig < 52 ? 6 : (sig - 52) / 10 + 7, 10};
    if (sig <= 482)
        return {sig == 242 ? 13 : (sig - 243) / 20 + 14, 20};
    return {sig < 511 ? 6 : (sig - 511) / 100 + 7, 100};
}

// unit x 10^p, as the double nearest the decimal value (0.1, not 0.1f).
double DecimalStep(int unit, int p)
{
    if (p >= 0)
        return unit * std::pow(10.0, p);
    return unit / std::pow(10.0, -p);
}

// Labels stay in fixed notation while they need no more digits than a
// single-precision value carries.
bool FitsFixedNotation(const AxisScale& a)
{
    const double maxAbs = std::max(std::fabs(a.value(0)), std::fabs(a.value(a.n)));
    const double shown = RoundHalfEven(maxAbs, a.decimals);
    const int intDigits = shown < 1.0 ? 1 : static_cast<int>(std::floor(std::log10(shown))) + 1;
    return intDigits + a.decimals <= 7;
}

// Beyond fixed notation the axis is labelled in exponent form, with as many
// mantissa digits as the labelled lines need to show their values to within
// half a step. A grid value is then shown exactly (a coarser digit would be a
// whole step off), so no two labels read alike however fine the step is
// against the values (1.0000005E+30 beside 1.000001E+30), while a round value
// keeps a short label. Lines off the decimal grid (a flat axis centred on its
// value) come out to the step's own digit.
int ExponentDecimalsFor(const AxisScale& a)
{
    const double tolerance = a.stride / 2;
    int decimals = 0;
    for (int k = 0; k <= a.n; ++k) {
        const double v = a.value(k);
        if (!a.isMajor(k) || v == 0.0)
            continue;
        const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(v))));
        int d = 0;
        for (; d < 15; ++d) {
            const double digit = std::pow(10.0, exponent - d);
            if (std::fabs(RoundHalfEven(v / digit) * digit - v) <= tolerance)
                break;
        }
        decimals = std::max(decimals, d);
    }
    return decimals;
}

// The single-precision value nearest v, saturating to an infinity where a
// plain conversion would be undefined.
float ToSingle(double v)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::fabs(v) > largest)
        return v < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

// Fixes the label form and, for an axis beyond fixed notation, moves value()
// and fraction() onto the decimal grid.
void SettleLabels(AxisScale& a, double exactStart, double exactStep, double exactSpan)
{
    a.exponentDecimals = -1;
    if (FitsFixedNotation(a))
        return;
    a.origin = exactStart;
    a.stride = exactStep;
    a.length = exactSpan;
    a.exponentDecimals = 0;   // which lines are major depends on the form
    a.exponentDecimals = ExponentDecimalsFor(a);
}

// A flat axis: twenty steps of 0.1 with the single value in the middle. Where
// the labels of that would need exponent form (values of about a million and
// up), steps of 0.1 no longer show in the digits a single-precision value
// carries, and the step grows to the value's seventh significant digit so
// that the lines read apart; every fifth is labelled, the middle one among
// them, since long labels do not fit on every line.
AxisScale FlatAxis(float v)
{
    AxisScale a;
    a.sig = 0;
    a.n = 20;
    a.unit = 0;
    a.step = 0.1f;
    a.start = v - 1.0f;
    a.span = 2.0f;
    a.every = 5;
    a.decimals = 1;
    a.startIndex = 0;
    a.origin = double(a.start);
    a.stride = double(a.step);
    a.length = double(a.span);
    if (FitsFixedNotation(a))
        return a;

    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(double(v)))));
    const double step = std::max(0.1, std::pow(10.0, exponent - 6));
    a.step = ToSingle(step);
    a.start = ToSingle(double(v) - 10 * step);
    a.span = ToSingle(20 * step);
    a.decimals = step < 1.0 ? 1 : 0;
    a.origin = double(v) - 10 * step;
    a.stride = step;
    a.length = 20 * step;
    a.exponentDecimals = 0;
    a.exponentDecimals = ExponentDecimalsFor(a);
    return a;
}

} // namespace

double AxisScale::value(int k) const
{
    return origin + k * stride;
}

bool AxisScale::isMajor(int k) const
{
    // A line is major when its value, rounded to a whole number, is a multiple
    // of step x every rounded to a whole number (the product taken from the
    // single-precision step, so 0.1 x 5 is a hair above 0.5 and rounds to 1).
    const double divisor = RoundHalfEven(double(step) * every);
    // Steps of 0.1 and 0.2 with every 5: the divisor is 1, and every line
    // holds a whole number once rounded. Not so in exponent form, where
    // labels on every line would run into each other.
    if (step < 1.0f && divisor >= 1.0 && exponentDecimals < 0)
        return true;
    // Otherwise the step is a whole number and the start a multiple of it, so
    // the rule comes down to counting steps: line k holds startIndex + k of
    // them. Counting stays exact where the values are beyond what a double
    // holds to the unit, and it also serves the steps of 0.1 with every 2 and
    // of 0.02 and below, where the divisor rounds to 0 and a whole-number
    // multiple does not exist: there every fifth (or second) multiple of the
    // step is major, as on the coarser axes.
    const std::int64_t i = startIndex + k;
    return ((i % every) + every) % every == 0;
}

QString AxisScale::label(int k, const QLocale& locale) const
{
    if (exponentDecimals < 0)
        return FixedText(value(k), decimals, locale);
    return ExponentText(value(k), exponentDecimals, locale);
}

double AxisScale::fraction(float v) const
{
    return (double(v) - origin) / length;
}

std::optional<AxisScale> ComputeAxisScale(float min, float max)
{
    if (!std::isfinite(min) || !std::isfinite(max))
        return std::nullopt;
    const float range = max - min;
    if (!std::isfinite(range))
        return std::nullopt;
    if (range == 0.0f)
        return FlatAxis(min);

    AxisScale a;
    a.sig = SigOf(range);
    const Grid grid = GridFor(a.sig);
    a.n = grid.n;
    a.unit = grid.unit;
    a.every = a.n > 10 ? 5 : 2;

    const double ratio = std::fabs(double(range) / a.sig);
    const int p = static_cast<int>(std::floor(RoundHalfEven(std::log(ratio) / std::log(10.0), 2)));
    const double decimalStep = DecimalStep(a.unit, p);
    if (!(decimalStep > 0.0) || !std::isfinite(decimalStep))
        return std::nullopt;
    // Below the smallest normal float the step loses digits, down to 0.
    a.step = ToSingle(decimalStep);

    // The largest multiple of the step at or below min. Min counts as on a
    // grid line when it is one to within single precision (1.2f is a hair
    // above 1.2, 1.3f a hair below 1.3): the axis then starts at min itself,
    // as the user typed it, whichever way the binary value happens to fall.
    const double q = double(min) / decimalStep;
    if (!std::isfinite(q) || std::fabs(q) > 1e15)
        return std::nullopt;
    const double tolerance = std::fabs(q) * std::ldexp(1.0, -22);
    // The grid line at or below min itself, short of the rounding of the
    // division.
    const auto below = static_cast<std::int64_t>(std::floor(q + std::fabs(q) * std::ldexp(1.0, -44)));
    if (tolerance < 1.0 / 64) {
        a.startIndex = static_cast<std::int64_t>(std::floor(q + tolerance));
    } else {
        // Two units in the last place of min come to a visible part of a step
        // (whole steps from about 4.2E+06 in steps of 1), and the tolerance
        // would lift the start that far above min, the data left below the
        // axis. Min then counts as on a grid line when it is that line's
        // nearest float, as typing the line's value gives.
        a.startIndex = below;
        if (ToSingle(double(below + 1) * decimalStep) == min)
            ++a.startIndex;
    }
    const double exactSpan = a.n * decimalStep;
    a.start = ToSingle(double(a.startIndex) * decimalStep);
    a.span = exactSpan > std::numeric_limits<float>::max() ? std::numeric_limits<float>::infinity()
                                                           : static_cast<float>(a.n) * a.step;

    a.decimals = 0;
    if (decimalStep < 1.0) {
        const double lg = RoundHalfEven(std::log10(decimalStep), 2);
        a.decimals = static_cast<int>(std::fabs(std::floor(lg)));
    }

    const bool single = a.step >= std::numeric_limits<float>::min() && std::isfinite(a.start) && std::isfinite(a.span);
    a.origin = single ? double(a.start) : double(a.startIndex) * decimalStep;
    a.stride = single ? double(a.step) : decimalStep;
    a.length = single ? double(a.span) : exactSpan;
    SettleLabels(a, double(a.startIndex) * decimalStep, decimalStep, exactSpan);

    // In single precision a start lifted to min's grid line is min itself;
    // on the decimal grid it lies above min by up to half a unit in min's
    // last place, which may be much of a step. There the axis starts below.
    if (a.exponentDecimals >= 0 && a.origin - double(min) > decimalStep / 32) {
        a.startIndex = below;
        a.origin = double(below) * decimalStep;
        a.start = ToSingle(a.origin);
        a.exponentDecimals = ExponentDecimalsFor(a);
    }
    return a;
}

} // namespace tarvex
