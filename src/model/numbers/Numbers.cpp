#include "numbers/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <stdlib.h>
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

    // Exactly `digits` significant digits, correctly rounded. Not printf: the
    // window runs under the user's C locale, which may write "4,963e+01".
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
    std::string s(buf, written.ptr);
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

// strtod follows the C locale the window was started under (setlocale is
// called by Qt), where "49.63" may read as 49; these texts are always "." texts.
locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
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

QString UserNumberText(double v, const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    return shortestText(v, 15, point.isEmpty() ? QLatin1Char('.') : point.at(0));
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
    return ::strtod_l(number.c_str(), nullptr, cLocale());
}

double LeadingUserNumber(const QString& text, const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    if (point.isEmpty() || point == QLatin1String("."))
        return LeadingNumber(text);
    QString plain = text;
    plain.replace(point, QLatin1String("."));
    return LeadingNumber(plain);
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

namespace {

StrictFloatResult ToFloatResult(const std::optional<double>& v)
{
    StrictFloatResult r;
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

// A plain decimal text: optional sign, digits, and optionally `point` and
// more digits, with nothing else. Returns false for anything it does not
// recognise; `out` then is unchanged.
bool ReadPlainDecimal(QStringView text, QChar point, double& out)
{
    char buf[64];
    const qsizetype n = text.size();
    if (n == 0 || n >= qsizetype(sizeof buf))
        return false;
    qsizetype i = 0;
    std::size_t len = 0;
    if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) {
        if (text[0] == QLatin1Char('-'))
            buf[len++] = '-';
        ++i;
    }
    int intDigits = 0;
    int fracDigits = 0;
    bool seenPoint = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            buf[len++] = static_cast<char>(c.unicode());
            (seenPoint ? fracDigits : intDigits) += 1;
        } else if (c == point && !seenPoint) {
            buf[len++] = '.';
            seenPoint = true;
        } else {
            return false;
        }
    }
    if (intDigits == 0 || (seenPoint && fracDigits == 0))
        return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(buf, buf + len, v);
    if (ec != std::errc() || end != buf + len || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

} // namespace

StrictFloatResult StrictFloat(const QString& text, const QLocale& locale)
{
    return ToFloatResult(StrictDouble(text, locale));
}

StrictNumberReader::StrictNumberReader(const QLocale& locale) : locale_(locale)
{
    const QString point = locale.decimalPoint();
    point_ = point.size() == 1 ? point.at(0) : QChar();
    plainDigits_ = point.size() == 1 && locale.zeroDigit() == QLatin1String("0") &&
                   locale.negativeSign() == QLatin1String("-") && locale.positiveSign() == QLatin1String("+") &&
                   point_ != QLatin1Char('-') && point_ != QLatin1Char('+') &&
                   !(point_ >= QLatin1Char('0') && point_ <= QLatin1Char('9'));
}

std::optional<double> StrictNumberReader::toDouble(const QString& text) const
{
    if (plainDigits_) {
        double v = 0;
        if (ReadPlainDecimal(QStringView(text).trimmed(), point_, v))
            return v;
    }
    return StrictDouble(text, locale_);
}

StrictFloatResult StrictNumberReader::toFloat(const QString& text) const
{
    return ToFloatResult(toDouble(text));
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
