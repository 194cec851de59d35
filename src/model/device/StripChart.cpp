#include "device/StripChart.h"

#include "device/Steadiness.h"
#include "numbers/Numbers.h"
#include "platform/PictureArea.h"

#include <algorithm>

namespace tarvex {

namespace {
const QColor kTrace(255, 255, 0);
const QColor kBand(0, 200, 0);
const QColor kAxis(128, 128, 160);
} // namespace

void DrawStripChart(PictureArea& area, const SteadyWindow& history, long long now, std::optional<double> zero)
{
    area.Cls();
    const auto& readings = history.readings();
    const qint64 from = now - SteadyWindow::kHistoryMs;
    const double offset = zero.value_or(0.0);
    const std::optional<Steady> steadyNow = history.steady(now);
    const std::optional<double> steady = steadyNow ? std::optional<double>(steadyNow->level) : std::nullopt;
    double low = 0, high = 0;
    bool any = false;
    for (const auto& [at, value] : readings) {
        if (at < from)
            continue;
        low = any ? std::min(low, value - offset) : value - offset;
        high = any ? std::max(high, value - offset) : value - offset;
        any = true;
    }
    if (!any)
        return;
    // The axis never gets narrower than the steady band, so noise within the
    // band looks as small as it is.
    const double middle = (low + high) / 2;
    const double band = SteadyBand(middle, history.settings());
    const double half = std::max((high - low) / 2 * 1.15, 2 * band);
    area.setScale(double(from), middle + half, double(now), middle - half);
    area.setForeColor(kAxis);
    area.setFontSize(7);
    // The loads at the top and bottom edge, so the operator can read the
    // size of what wobbles.
    area.setCurrentX(double(from));
    area.setCurrentY(middle + half);
    area.Print(NumberText(RoundHalfEven(middle + half, 2)));
    area.setCurrentX(double(from));
    area.setCurrentY(middle - half - area.TextHeight());
    area.Print(NumberText(RoundHalfEven(middle - half, 2)));
    if (steady) {
        const double m = *steady - offset;
        const double b = SteadyBand(*steady, history.settings());
        area.Line(double(now - history.settings().steadyMs), m + b, double(now), m + b, kBand);
        area.Line(double(now - history.settings().steadyMs), m - b, double(now), m - b, kBand);
    }
    bool first = true;
    for (const auto& [at, value] : readings) {
        if (at < from)
            continue;
        if (first)
            area.PSet(double(at), value - offset, kTrace);
        else
            area.LineTo(double(at), value - offset, kTrace);
        first = false;
    }
}

} // namespace tarvex
