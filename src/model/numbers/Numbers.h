#pragma once
// The one place where numbers become cell text and cell text becomes numbers.
// Every subsystem goes through these so that a load typed, captured, saved,
// plotted and printed is read and written the same way everywhere.

#include <QLocale>
#include <QString>
#include <optional>

namespace tarvex {

// Shortest decimal text of v with at most 15 significant digits, "." as the
// decimal point, no grouping, no trailing zeros ("0.5", "10", "-2.25").
// Magnitudes of 1e15 and above or below 1e-15 use an exponent ("1.5E+20").
QString NumberText(double v);

// The same in the number format of `locale` (its decimal separator): what a
// reading or a generated position is written into a cell as, so the table
// reads it back like a number the user typed.
QString UserNumberText(double v, const QLocale& locale = QLocale::system());

// Text of a single-precision value read from a data file: like NumberText but
// with at most 7 significant digits and the decimal separator of `locale`.
QString ShortFloatText(float v, const QLocale& locale = QLocale::system());

// The number at the start of a text, read leniently: blanks, tabs and line
// feeds anywhere are skipped; sign, digits with at most one ".", and an
// exponent introduced by E or D. No number at all reads as 0. A value beyond
// the double range comes back as an infinity; callers that need a finite value
// check with std::isfinite.
double LeadingNumber(const QString& text);

// LeadingNumber on a text the user typed or a cell: the decimal separator of
// `locale` counts as the point ("2,5" is 2.5 where the comma is the separator).
double LeadingUserNumber(const QString& text, const QLocale& locale = QLocale::system());

// Strict reading: apart from blanks around it the whole text must be a number
// in the number format of `locale` (its decimal separator, optional sign and
// exponent). Empty text, trailing rubbish, NaN and infinities fail.
std::optional<double> StrictDouble(const QString& text, const QLocale& locale = QLocale::system());

enum class FloatConversion { Ok, NotANumber, Overflow };
struct StrictFloatResult {
    FloatConversion status = FloatConversion::NotANumber;
    float value = 0.0f;
};
// Strict reading into single precision; a number beyond the float range is an
// overflow rather than a silent infinity.
StrictFloatResult StrictFloat(const QString& text, const QLocale& locale = QLocale::system());

// A value with exactly `decimals` places in the number format of `locale`
// (its decimal separator, digit grouping and negative sign), an exact half
// going to the even neighbour; a value that rounds to zero has no sign.
QString FixedText(double v, int decimals, const QLocale& locale = QLocale::system());

// The same in exponent form, `decimals` places after the first digit
// ("1.50E+07"); zero is written "0".
QString ExponentText(double v, int decimals, const QLocale& locale = QLocale::system());

// StrictDouble and StrictFloat for many texts in a row (a whole table): the
// locale's symbols are looked up once, and plain decimal texts ("-12.5" with
// the locale's decimal separator) are read without going through QLocale,
// which asks the platform for every symbol of the system locale on every call.
// Any other text is read by StrictDouble itself, so the results are the same.
class StrictNumberReader {
public:
    explicit StrictNumberReader(const QLocale& locale = QLocale::system());
    std::optional<double> toDouble(const QString& text) const;
    StrictFloatResult toFloat(const QString& text) const;

private:
    QLocale locale_;
    QChar point_;
    bool plainDigits_ = false;   // the locale writes numbers with 0-9, "-", "+"
};

// Rounding that sends an exact half to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double v);
// The same to `decimals` places (0.125 -> 0.12 at two places).
double RoundHalfEven(double v, int decimals);

} // namespace tarvex
