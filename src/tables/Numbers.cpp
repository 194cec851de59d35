#include "tables/Numbers.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace tarvex {

namespace {

// Decimal text of v rounded to `digits` significant digits, without trailing
// zeros, with `point` as the decimal separator.
QString shortestText(double v, int digits, QChar point)
{
    if (std::isnan(v))
        return QStringLiteral("NaN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (v == 0.0)
        return QStringLiteral("0");

    // %.*e gives exactly `digits` significant digits, correctly rounded.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, v);
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    const auto ePos = s.find('e');
    const int exponent = std::atoi(s.c_str() + ePos + 1);
    std::string mantissa;
    for (std::size_t i = 0; i < ePos; ++i)
        if (s[i] != '.')
            mantissa += s[i];
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    std::string out;
    const int limit = digits; // beyond this the plain form would invent digits
    if (exponent >= limit || exponent < -limit) {
        out = mantissa.substr(0, 1);
        if (mantissa.size() > 1)
            out += '.' + mantissa.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%+03d", exponent);
        out += e;
    } else if (exponent < 0) {
        out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    } else {
        const auto intDigits = static_cast<std::size_t>(exponent + 1);
        if (mantissa.size() <= intDigits) {
            out = mantissa + std::string(intDigits - mantissa.size(), '0');
        } else {
            out = mantissa.substr(0, intDigits) + '.' + mantissa.substr(intDigits);
        }
    }
    QString result = QString::fromLatin1(out.c_str());
    if (point != QLatin1Char('.'))
        result.replace(QLatin1Char('.'), point);
    if (negative)
        result.prepend(QLatin1Char('-'));
    return result;
}

bool isSkippedBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

} // namespace

QString NumberText(double v)
{
    return shortestText(v, 15, QLatin1Char('.'));
}

QString ShortFloatText(float v, const QLocale& locale)
{
    QString point = locale.decimalPoint();
    return shortestText(static_cast<double>(v), 7, point.isEmpty() ? QLatin1Char('.') : point.at(0));
}

double LeadingNumber(const QString& text)
{
    std::string compact;
    compact.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        if (!isSkippedBlank(c))
            compact += c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x7f';

    std::size_t i = 0;
    std::string number;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-'))
        number += compact[i++];
    bool digits = false;
    bool point = false;
    while (i < compact.size()) {
        const char c = compact[i];
        if (c >= '0' && c <= '9') {
            number += c;
            digits = true;
        } else if (c == '.' && !point) {
            number += c;
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (!digits)
        return 0.0;
    if (i < compact.size() && (compact[i] == 'e' || compact[i] == 'E' || compact[i] == 'd' || compact[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
            exponent += compact[j++];
        bool expDigits = false;
        while (j < compact.size() && compact[j] >= '0' && compact[j] <= '9') {
            exponent += compact[j++];
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

std::optional<double> StrictDouble(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    // Digits and the locale's own signs and separators only: QLocale would
    // otherwise also take "inf" and "nan".
    for (QChar c : trimmed) {
        if (c.isLetter() && c.toLower() != QLatin1Char('e'))
            return std::nullopt;
    }
    bool ok = false;
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    const double v = strict.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

StrictFloatResult StrictFloat(const QString& text, const QLocale& locale)
{
    StrictFloatResult r;
    const auto v = StrictDouble(text, locale);
    if (!v)
        return r;
    if (std::fabs(*v) > static_cast<double>(std::numeric_limits<float>::max())) {
        r.status = FloatConversion::Overflow;
        return r;
    }
    r.status = FloatConversion::Ok;
    r.value = static_cast<float>(*v);
    return r;
}

QString FixedText(double v, int decimals, const QLocale& locale)
{
    decimals = std::clamp(decimals, 0, 15);
    double rounded = RoundHalfEven(v, decimals);
    if (rounded == 0.0)
        rounded = 0.0; // no "-0.0"
    return locale.toString(rounded, 'f', decimals);
}

QString ExponentText(double v, int decimals, const QLocale& locale)
{
    if (v == 0.0 || !std::isfinite(v))
        return v == 0.0 ? QStringLiteral("0") : shortestText(v, 7, QLatin1Char('.'));
    decimals = std::clamp(decimals, 0, 15);
    return locale.toString(v, 'E', decimals);
}

double RoundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

double RoundHalfEven(double v, int decimals)
{
    if (!std::isfinite(v))
        return v;
    const double scale = std::pow(10.0, decimals);
    const double scaled = v * scale;
    if (!std::isfinite(scaled))
        return v;
    // A product such as 0.125 * 100 is exact; one such as 2.675 * 100 lands a
    // hair below the half and rounds down, as the binary value asks.
    return RoundHalfEven(scaled) / scale;
}

} // namespace tarvex
