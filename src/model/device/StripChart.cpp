#include "device/StripChart.h"

#include "device/Steadiness.h"
#include "numbers/Numbers.h"
#include "platform/PictureArea.h"

#include <QPointF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tarvex {

namespace {
const QColor kTrace(255, 255, 0);
const QColor kBand(0, 200, 0);
const QColor kAxis(128, 128, 160);
} // namespace

void StripHistory::add(qint64 at, double value)
{
    if (!columns_.empty() && at / kColumnMs == columns_.back().at / kColumnMs && at >= columns_.back().at) {
        Column& c = columns_.back();
        c.at = at;
        c.low = std::min(c.low, value);
        c.high = std::max(c.high, value);
    } else {
        columns_.push_back(Column{at, value, value});
    }
    while (!columns_.empty() && columns_.front().at < at - kSpanMs)
        columns_.pop_front();
}

void DrawStripChart(PictureArea& area, const StripHistory& history, const SteadyWindow& window, long long now,
                    std::optional<double> zero)
{
    area.Cls();
    const qint64 from = now - StripHistory::kSpanMs;
    const double offset = zero.value_or(0.0);
    const std::optional<Steady> steadyNow = window.steady(now);
    double low = 0, high = 0;
    bool any = false;
    for (const StripHistory::Column& c : history.columns()) {
        if (c.at < from)
            continue;
        low = any ? std::min(low, c.low - offset) : c.low - offset;
        high = any ? std::max(high, c.high - offset) : c.high - offset;
        any = true;
    }
    if (!any)
        return;
    // The axis never gets narrower than the steady band, so noise within the
    // band looks as small as it is.
    const double middle = (low + high) / 2;
    const double band = SteadyBand(middle, window.settings());
    const double half = std::max((high - low) / 2 * 1.15, 2 * band);
    area.setScale(double(from), middle + half, double(now), middle - half);
    area.setForeColor(kAxis);
    area.setFontSize(7);
    // The loads at the top and bottom edge, so the operator can read the
    // size of what wobbles.
    area.setCurrentX(double(from));
    area.setCurrentY(middle + half);
    area.Print(UserNumberText(RoundHalfEven(middle + half, 2)));
    area.setCurrentX(double(from));
    area.setCurrentY(middle - half - area.TextHeight());
    area.Print(UserNumberText(RoundHalfEven(middle - half, 2)));
    if (steadyNow) {
        const double m = steadyNow->level - offset;
        const double b = SteadyBand(steadyNow->level, window.settings());
        area.Line(double(now - window.settings().steadyMs), m + b, double(now), m + b, kBand);
        area.Line(double(now - window.settings().steadyMs), m - b, double(now), m - b, kBand);
    }
    // One operation for the whole trace: the picture keeps what is drawn
    // until the next reading redraws it. A column of many readings is the
    // stroke over their range, begun at the end nearer the trace so far.
    std::vector<QPointF> trace;
    trace.reserve(2 * history.columns().size());
    for (const StripHistory::Column& c : history.columns()) {
        if (c.at < from)
            continue;
        const double x = double(c.at);
        const bool down = !trace.empty() && std::fabs(trace.back().y() - (c.high - offset)) < std::fabs(trace.back().y() - (c.low - offset));
        trace.emplace_back(x, (down ? c.high : c.low) - offset);
        if (c.low < c.high)
            trace.emplace_back(x, (down ? c.low : c.high) - offset);
    }
    area.Polyline(trace, kTrace);
}

} // namespace tarvex
