#include "charts/xy/XYChart.h"

#include "platform/PictureArea.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvex {

using namespace xychart;

namespace {

// Plot needs a heading row and at least two data rows.
bool HasTwoDataRows(const DataTable& table)
{
    return table.Rows() >= 3;
}

// Every data cell must hold a number under the strict rule; the check stops at
// the first row where either cell does not.
bool AllCellsAreNumbers(const DataTable& table, const QLocale& locale)
{
    const StrictNumberReader reader(locale);
    for (int r = 1; r < table.Rows(); ++r) {
        if (!reader.toDouble(table.TextMatrix(r, 0)) || !reader.toDouble(table.TextMatrix(r, 1)))
            return false;
    }
    return true;
}

struct DataRange {
    float minX, maxX, minY, maxY;
};

// The range over every point of every curve; empty when a curve has fewer
// than three points or there is no curve at all.
std::optional<DataRange> RangeOf(const XYCurveList& curves)
{
    if (curves.empty())
        return std::nullopt;
    for (const XYCurve& c : curves) {
        if (c.X.size() < 3 || c.Y.size() < c.X.size())
            return std::nullopt;
    }
    DataRange r{curves.front().X[0], curves.front().X[0], curves.front().Y[0], curves.front().Y[0]};
    for (const XYCurve& c : curves) {
        for (std::size_t j = 0; j < c.X.size(); ++j) {
            r.minX = std::min(r.minX, c.X[j]);
            r.maxX = std::max(r.maxX, c.X[j]);
            r.minY = std::min(r.minY, c.Y[j]);
            r.maxY = std::max(r.maxY, c.Y[j]);
        }
    }
    return r;
}

// Why curves whose every point is in place still cannot be charted, in words
// for the user; empty when they can be. An axis needs the distance from the
// smallest value to the largest in single precision, and values of opposite
// sign near its limits (-3.4E+38 and 3.4E+38) are farther apart than that.
QString RangeProblem(const DataRange& r, const QLocale& locale)
{
    const auto from = [&](float min, float max) {
        return QStringLiteral("from %1 to %2").arg(ShortFloatText(min, locale), ShortFloatText(max, locale));
    };
    const bool x = !std::isfinite(r.maxX - r.minX);
    const bool y = !std::isfinite(r.maxY - r.minY);
    if (!x && !y)
        return {};
    QString which;
    if (x && y)
        which = QStringLiteral("the X values run %1 and the Y values %2, ranges")
                    .arg(from(r.minX, r.maxX), from(r.minY, r.maxY));
    else
        which = QStringLiteral("the %1 values run %2, a range").arg(x ? QStringLiteral("X") : QStringLiteral("Y"),
                                                                   x ? from(r.minX, r.maxX) : from(r.minY, r.maxY));
    return QStringLiteral("The chart cannot be drawn: %1 wider than %2, the largest number it can work with.")
               .arg(which, ShortFloatText(std::numeric_limits<float>::max(), locale))
           + QChar(10) + QStringLiteral("Correct the values, then Clear and Plot again.");
}

enum class Direction { Vertical, Horizontal };

// One axis's grid lines, dotted and grey, with the major ones solid, lighter
// and labelled. Vertical lines carry the X labels below the plot area,
// horizontal lines the Y labels to its left, starting at `labelLeft`.
void DrawGrid(PictureArea& area, const AxisScale& axis, Direction direction, double labelLeft,
              const QLocale& locale)
{
    // Labels in exponent form run long. One that would run past the area's
    // right edge moves left to end there; one that would then run into the
    // label before it is left off (its line stays solid), so that those shown
    // can be read.
    const bool thin = direction == Direction::Vertical && axis.exponentDecimals >= 0;
    const double gap = thin ? area.TextWidth(QStringLiteral(" ")) : 0.0;
    double free = -std::numeric_limits<double>::infinity();

    area.setDrawStyle(PictureArea::Dot);
    const double spacing = (direction == Direction::Vertical ? kWidth : kHeight) / axis.n;
    for (int k = 0; k <= axis.n; ++k) {
        const double at = k * spacing;
        const bool major = axis.isMajor(k);
        if (major)
            area.setDrawStyle(PictureArea::Solid);
        const QColor color = major ? kMajorColor : kMinorColor;
        if (direction == Direction::Vertical)
            area.Line(at, 0, at, kHeight, color);
        else
            area.Line(0, at, kWidth, at, color);
        if (major) {
            const QString text = axis.label(k, locale);
            if (direction == Direction::Vertical) {
                area.setCurrentX(at - 200);
                area.setCurrentY(-50);
            } else {
                area.setCurrentX(labelLeft);
                area.setCurrentY(at + 30);
            }
            if (!thin) {
                area.Print(text);
            } else {
                const double width = area.TextWidth(text);
                area.setCurrentX(std::min(area.CurrentX(), kRight - width));
                if (area.CurrentX() >= free) {
                    free = area.CurrentX() + width + gap;
                    area.Print(text);
                }
            }
            area.setDrawStyle(PictureArea::Dot);
        }
    }
    area.setDrawStyle(PictureArea::Solid);
}

// The chart's left edge: -700 leaves the Y labels the room from -650 to the
// plot area. Labels in exponent form may need more, and the plot area then
// gives up the width they take, so that they stay clear of it.
double LeftEdge(PictureArea& area, const AxisScale& y, const QLocale& locale)
{
    area.setScale(kLeft, kTop, kRight, kBottom);
    if (y.exponentDecimals < 0)
        return kLeft;
    double widest = 0.0;
    for (int k = 0; k <= y.n; ++k)
        if (y.isMajor(k))
            widest = std::max(widest, area.TextWidth(y.label(k, locale)));
    // Text keeps its size in pixels while the units grow with the chart's
    // width: with the edge at -m, a label w units wide at the design scale
    // is w (kRight + m) / (kRight - kLeft) wide, and m must hold it, 50
    // before it and 100 between it and the plot area.
    const double share = widest / (kRight - kLeft);
    if (share >= 0.5)
        return kLeft;   // no room to be had; the labels reach into the plot
    const double margin = (share * kRight + 150) / (1 - share);
    return std::min(kLeft, -margin);
}

void DrawCurve(PictureArea& area, const XYCurve& curve, int number, const AxisScale& x, const AxisScale& y,
               bool drawNodes)
{
    const auto chartX = [&](std::size_t j) { return x.fraction(curve.X[j]) * kWidth; };
    const auto chartY = [&](std::size_t j) { return y.fraction(curve.Y[j]) * kHeight; };
    area.setForeColor(XYCurveColor(number));
    area.PSet(chartX(0), chartY(0));
    if (drawNodes) {
        area.Print(QStringLiteral(" %1 ").arg(number));
        area.Circle(chartX(0), chartY(0), kNodeRadius);
    }
    for (std::size_t j = 1; j < curve.X.size(); ++j) {
        area.LineTo(chartX(j), chartY(j));
        if (drawNodes)
            area.Circle(chartX(j), chartY(j), kNodeRadius);
    }
}

} // namespace

QColor XYCurveColor(int i)
{
    static const QColor cycle[7] = {
        QColor(255, 0, 255), QColor(255, 0, 0),   QColor(255, 128, 0), QColor(255, 255, 0),
        QColor(0, 255, 0),   QColor(0, 0, 255),   QColor(0, 255, 255),
    };
    return cycle[((i % 7) + 7) % 7];
}

bool DrawStoredCurves(PictureArea& area, const XYCurveList& curves, bool drawNodes,
                      const std::optional<QColor>& labelColor, const QLocale& locale)
{
    return DrawCurves(area, curves, {}, QString(), drawNodes, labelColor, locale);
}

bool DrawCurves(PictureArea& area, const XYCurveList& curves, const std::vector<int>& numbers, const QString& heading,
                bool drawNodes, const std::optional<QColor>& labelColor, const QLocale& locale, std::size_t dottedFrom)
{
    const std::optional<DataRange> range = RangeOf(curves);
    if (!range)
        return false;
    const std::optional<AxisScale> x = ComputeAxisScale(range->minX, range->maxX);
    const std::optional<AxisScale> y = ComputeAxisScale(range->minY, range->maxY);
    if (!x || !y)
        return false;

    area.Cls();
    if (labelColor)
        area.setForeColor(*labelColor);
    const double left = LeftEdge(area, *y, locale);
    area.setScale(left, kTop, kRight, kBottom);
    std::size_t points = 0;
    for (const XYCurve& c : curves)
        points += c.X.size();
    area.reserve(2 * static_cast<std::size_t>(x->n + y->n + 2) + 1 + points * (drawNodes ? 2 : 1) + 2 * curves.size());
    DrawGrid(area, *x, Direction::Vertical, left + 50, locale);
    DrawGrid(area, *y, Direction::Horizontal, left + 50, locale);
    if (!heading.isEmpty()) {
        area.setCurrentX(100);
        area.setCurrentY(kHeight - 20);
        area.Print(heading);
    }
    for (std::size_t i = 0; i < curves.size(); ++i) {
        area.setDrawStyle(i >= dottedFrom ? PictureArea::Dot : PictureArea::Solid);
        DrawCurve(area, curves[i], i < numbers.size() ? numbers[i] : static_cast<int>(i) + 1, *x, *y, drawNodes);
    }
    area.setDrawStyle(PictureArea::Solid);
    area.setDrawWidth(1);
    return true;
}

XYChartResult DrawXYChart(PictureArea& area, const DataTable& table, XYChartState& chart, bool drawNodes,
                          const MessageSink& message, const QLocale& locale)
{
    if (!HasTwoDataRows(table) || chart.plotted)
        return XYChartResult::NothingToDo;
    if (!AllCellsAreNumbers(table, locale)) {
        if (message)
            message(kDataEntryError);
        return XYChartResult::DataError;
    }
    // A cell that does not fit single precision has been reported; the chart
    // shows the curve as far as it was read.
    StoreProfileCurve(table, chart, message, locale);
    if (!DrawStoredCurves(area, chart.curves, drawNodes, kScreenLabelColor, locale)) {
        // A curve too short to chart is no news ("Plot does nothing" in the
        // manual); values beyond what an axis can span are.
        const std::optional<DataRange> range = RangeOf(chart.curves);
        const QString problem = range ? RangeProblem(*range, locale) : QString();
        if (!problem.isEmpty() && message)
            message(problem);
        return XYChartResult::NotDrawn;
    }
    return XYChartResult::Drawn;
}

XYChartResult DrawXYPrintCopy(PictureArea& area, const DataTable& table, const XYCurveList& XYCurves,
                              bool drawNodes, const QLocale& locale)
{
    if (!HasTwoDataRows(table))
        return XYChartResult::NothingToDo;
    if (!AllCellsAreNumbers(table, locale))
        return XYChartResult::DataError;
    if (!DrawStoredCurves(area, XYCurves, drawNodes, std::nullopt, locale))
        return XYChartResult::NotDrawn;
    area.setForeColor(kPrintForeColor);
    return XYChartResult::Drawn;
}

void ClearXYChart(PictureArea& area, XYChartState& chart)
{
    area.Cls();
    chart.curvesStored = false;
    chart.plotted = false;
}

} // namespace tarvex
