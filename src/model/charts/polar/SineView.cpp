#include "charts/polar/SineView.h"

#include "platform/PictureArea.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"

#include <cmath>
#include <limits>

namespace tarvex {

namespace {

// Height of a load: +S on the top grid line, -S on the bottom one. Empty when
// the division or the result is out of range (a scale range of 0 included).
std::optional<double> loadHeight(const QString& loadText, double range)
{
    if (range == 0.0)
        return std::nullopt;
    const double y = (LeadingUserNumber(loadText) / range) * 500.0;
    if (!std::isfinite(y))
        return std::nullopt;
    return y;
}

} // namespace

std::optional<int> SineColumnStep(int rows)
{
    if (rows <= 2)
        return std::nullopt;
    const float xs = 10000.0f / static_cast<float>(rows - 2);
    return static_cast<int>(RoundHalfEven(static_cast<double>(xs)));
}

QString SineScaleLabel(double value)
{
    const QString text = NumberText(value);
    return (value >= 0 ? QStringLiteral(" ") : QString()) + text + QStringLiteral(" ");
}

bool DrawSineView(PictureArea& SineDrawing, const DataTable& table, const QString& rangeText)
{
    using namespace sine_colors;
    PictureArea& d = SineDrawing;
    d.Cls();
    d.setForeColor(kFore);
    d.setScale(-700, 550, 10500, -650);

    const double range = LeadingNumber(rangeText);
    const double fifth = range / 5.0;
    if (!std::isfinite(fifth) || std::fabs(fifth) > std::numeric_limits<float>::max())
        return false;
    const float g = static_cast<float>(fifth);

    for (int y = -500; y <= 500; y += 100) {
        d.Line(0, y, 10000, y, kGrid);
        d.setCurrentX(-650);
        d.setCurrentY(y + 30);
        d.Print(SineScaleLabel((y / 100.0) * static_cast<double>(g)));
    }

    const std::optional<int> step = SineColumnStep(table.Rows());
    if (!step)
        return false;
    const int st = *step;
    // A step of 0 never advances; the label of the first column without a
    // row still ends the loop.
    int k = 1;
    for (int x = 0; x <= 10000; x += st) {
        d.Line(x, -500, x, 500, kGrid);
        if (k >= table.Rows())
            return false;
        d.setCurrentX(x - 200);
        d.setCurrentY(-550);
        d.Print(table.TextMatrix(k, 0));
        ++k;
    }

    d.Line(0, 0, 10000, 0);
    d.setDrawWidth(2);
    const std::optional<double> first = loadHeight(table.TextMatrix(1, 1), range);
    if (!first)
        return false;
    d.PSet(0, *first);
    d.setForeColor(kCurve);
    k = 2;
    for (int x = st; x <= 10000; x += st) {
        if (k >= table.Rows())
            return false;
        const std::optional<double> y = loadHeight(table.TextMatrix(k, 1), range);
        if (!y)
            return false;
        d.LineTo(x, *y);
        ++k;
    }
    d.setDrawWidth(1);
    return true;
}

} // namespace tarvex
