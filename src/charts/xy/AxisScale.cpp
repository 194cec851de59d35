#include "charts/xy/AxisScale.h"

#include "tables/Numbers.h"

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
// single-precision value carries; beyond that the axis is labelled in
// exponent form, with as many digits as the labelled (major) lines need.
int ExponentDecimalsFor(const AxisScale& a)
{
    const double maxAbs = std::max(std::fabs(a.value(0)), std::fabs(a.value(a.n)));
    const double shown = RoundHalfEven(maxAbs, a.decimals);
    const int intDigits = shown < 1.0 ? 1 : static_cast<int>(std::floor(std::log10(shown))) + 1;
    if (intDigits + a.decimals <= 7)
        return -1;
    int decimals = 0;
    for (int k = 0; k <= a.n; ++k) {
        const double v = std::fabs(a.value(k));
        if (!a.isMajor(k) || v == 0.0)
            continue;
        const double mantissa = v / std::pow(10.0, std::floor(std::log10(v)));
        int d = 0;
        for (double m = mantissa; d < 6 && std::fabs(m - std::round(m)) > 1e-5 * m; m *= 10)
            ++d;
        decimals = std::max(decimals, d);
    }
    return decimals;
}

} // namespace

double AxisScale::value(int k) const
{
    return double(start) + k * double(step);
}

bool AxisScale::isMajor(int k) const
{
    // A line is major when its value, rounded to a whole number, is a multiple
    // of step x every rounded to a whole number (the product taken from the
    // single-precision step, so 0.1 x 5 is a hair above 0.5 and rounds to 1).
    const double divisor = RoundHalfEven(double(step) * every);
    // Steps of 0.1 and 0.2 with every 5: the divisor is 1, and every line
    // holds a whole number once rounded.
    if (step < 1.0f && divisor >= 1.0)
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
    const int exponentDecimals = ExponentDecimalsFor(*this);
    if (exponentDecimals < 0)
        return FixedText(value(k), decimals, locale);
    return ExponentText(value(k), exponentDecimals, locale);
}

double AxisScale::fraction(float v) const
{
    return (double(v) - double(start)) / double(span);
}

std::optional<AxisScale> ComputeAxisScale(float min, float max)
{
    if (!std::isfinite(min) || !std::isfinite(max))
        return std::nullopt;
    const float range = max - min;
    if (!std::isfinite(range))
        return std::nullopt;

    AxisScale a;
    a.sig = range == 0.0f ? 0 : SigOf(range);
    if (a.sig == 0) {
        // Twenty steps of 0.1 with the single value in the middle.
        a.n = 20;
        a.unit = 0;
        a.step = 0.1f;
        a.start = min - 1.0f;
        a.span = 2.0f;
        a.every = 5;
        a.decimals = 1;
        a.startIndex = 0;
        return a;
    }

    const Grid grid = GridFor(a.sig);
    a.n = grid.n;
    a.unit = grid.unit;
    a.every = a.n > 10 ? 5 : 2;

    const double ratio = std::fabs(double(range) / a.sig);
    const int p = static_cast<int>(std::floor(RoundHalfEven(std::log(ratio) / std::log(10.0), 2)));
    const double decimalStep = DecimalStep(a.unit, p);
    a.step = static_cast<float>(decimalStep);
    if (!(a.step > 0.0f) || !std::isfinite(a.step))
        return std::nullopt;

    // The largest multiple of the step at or below min. Min counts as on a
    // grid line when it is one to within single precision (1.2f is a hair
    // above 1.2, 1.3f a hair below 1.3): the axis then starts at min itself,
    // as the user typed it, whichever way the binary value happens to fall.
    const double q = double(min) / decimalStep;
    if (!std::isfinite(q) || std::fabs(q) > 1e15)
        return std::nullopt;
    const double tolerance = std::fabs(q) * std::ldexp(1.0, -22);
    a.startIndex = static_cast<std::int64_t>(std::floor(q + tolerance));
    a.start = static_cast<float>(double(a.startIndex) * decimalStep);
    a.span = static_cast<float>(a.n) * a.step;
    if (!std::isfinite(a.start) || !std::isfinite(a.span) || !(a.span > 0.0f))
        return std::nullopt;

    a.decimals = 0;
    if (a.step < 1.0f) {
        const double lg = RoundHalfEven(std::log10(double(a.step)), 2);
        a.decimals = static_cast<int>(std::fabs(std::floor(lg)));
    }
    return a;
}

} // namespace tarvex
