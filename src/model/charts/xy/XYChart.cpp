#include "charts/xy/XYChart.h"

#include "charts/xy/CurveLegend.h"

#include "platform/PictureArea.h"
#include "platform/Result.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"

#include <QCoreApplication>
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

// Whether curves whose every point is in place can be charted; if not, why,
// in words for the user. An axis needs the distance from the
// smallest value to the largest in single precision, and values of opposite
// sign near its limits (-3.4E+38 and 3.4E+38) are farther apart than that.
Result<> CheckChartable(const DataRange& r, const QLocale& locale)
{
    const auto from = [&](float min, float max) {
        return QCoreApplication::translate("Chart", "from %1 to %2").arg(ShortFloatText(min, locale), ShortFloatText(max, locale));
    };
    const bool x = !std::isfinite(r.maxX - r.minX);
    const bool y = !std::isfinite(r.maxY - r.minY);
    if (!x && !y)
        return {};
    QString which;
    if (x && y)
        which = QCoreApplication::translate("Chart", "the X values run %1 and the Y values %2, ranges")
                    .arg(from(r.minX, r.maxX), from(r.minY, r.maxY));
    else
        which = QCoreApplication::translate("Chart", "the %1 values run %2, a range").arg(x ? QStringLiteral("X") : QStringLiteral("Y"),
                                                                   x ? from(r.minX, r.maxX) : from(r.minY, r.maxY));
    return Failure(
        QCoreApplication::translate("Chart", "The chart cannot be drawn: %1 wider than %2, the largest number it can work with.")
            .arg(which, ShortFloatText(std::numeric_limits<float>::max(), locale))
        + QChar(10) + QCoreApplication::translate("Chart", "Correct the values, then Clear and Plot again."));
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

constexpr double kLegendTop = kTop - 20;
// The chart may show at 0.68 of its designed height before the legend's
// rows, kept at three quarters of their size, run into each other; twenty
// rows still fit one column.
constexpr double kLegendSpacing = 0.75 / 0.68;

struct Edges {
    double left = kLeft, right = kRight;
};

// The chart's edges. -700 leaves the Y labels the room from -650 to the plot
// area. Labels in exponent form may need more, and the plot area then gives
// up the width they take, so that they stay clear of it; a legend beside the
// plot takes `legendShare` of the whole width on the right.
Edges EdgesFor(PictureArea& area, const AxisScale& y, double legendShare, const QLocale& locale)
{
    area.setScale(kLeft, kTop, kRight, kBottom);
    // Text keeps its size in pixels while the units grow with the chart's
    // width: a text w units wide at the design scale takes w / (kRight -
    // kLeft) of the width whatever the edges. With the edges at -m and e,
    // the whole width T = e + m holds the plot's kRight, the margin m and
    // the legend, legendShare T.
    double widest = 0.0;
    if (y.exponentDecimals >= 0)
        for (int k = 0; k <= y.n; ++k)
            if (y.isMajor(k))
                widest = std::max(widest, area.TextWidth(y.label(k, locale)));
    const double share = widest / (kRight - kLeft);
    double margin = -kLeft;
    double whole = (kRight + margin) / (1 - legendShare);
    // The labels need m to hold them, 50 before and 100 between them and the
    // plot area: m = share T + 150. With no room to be had they reach into
    // the plot.
    if (share > 0 && share + legendShare < 0.5) {
        const double wide = (kRight + 150) / (1 - legendShare - share);
        if (share * wide + 150 > margin) {
            whole = wide;
            margin = share * wide + 150;
        }
    }
    return {-margin, whole - margin};
}

// A legend beside the plot: one column as wide as its longest name, up to a
// quarter of the chart; more columns while the entries do not fit the
// height, up to two fifths of it. Names longer than that are shortened.
double LegendShare(PictureArea& area, const std::vector<LegendEntry>& entries)
{
    if (entries.empty())
        return 0.0;
    area.setScale(kLeft, kTop, kRight, kBottom);
    const double whole = kRight - kLeft;
    const double lines = (kBottom - kLegendTop) / (kLegendSpacing * area.TextHeight());
    const int rows = lines >= 1 ? static_cast<int>(std::min(lines, 1e6)) : 1;
    const int columns = (static_cast<int>(entries.size()) + rows - 1) / rows;
    const double column = std::min(LegendWidth(area, entries) / whole, 0.25);
    return std::min(columns * column, 0.4);
}

void DrawCurve(PictureArea& area, const XYCurve& curve, const CurveStyle& style, const AxisScale& x, const AxisScale& y,
               bool drawNodes, std::vector<QPointF>& points)
{
    points.clear();
    for (std::size_t j = 0; j < curve.X.size(); ++j)
        points.emplace_back(x.fraction(curve.X[j]) * kWidth, y.fraction(curve.Y[j]) * kHeight);
    area.setDrawStyle(style.dash);
    area.Polyline(points, style.colour);
    if (drawNodes) {
        // A dashed ring reads as a gap in the curve.
        area.setDrawStyle(PictureArea::Solid);
        for (const QPointF& p : points)
            area.Circle(p.x(), p.y(), kNodeRadius, style.colour);
    }
}

// The curves' numbers at their first points, each moved clear of the others
// or left out (the legend names the curve anyway).
void DrawStartLabels(PictureArea& area, const XYCurveList& curves, const std::vector<int>& numbers,
                     const std::vector<CurveStyle>& styles, const AxisScale& x, const AxisScale& y, double left)
{
    std::vector<QRectF> wanted;
    std::vector<QString> texts;
    const double down = area.TextHeight();
    for (std::size_t i = 0; i < curves.size(); ++i) {
        texts.push_back(QStringLiteral(" %1 ").arg(numbers[i]));
        wanted.emplace_back(x.fraction(curves[i].X[0]) * kWidth, y.fraction(curves[i].Y[0]) * kHeight,
                            area.TextWidth(texts.back()), down);
    }
    const std::vector<std::optional<QRectF>> placed =
        PlaceLabels(wanted, QRectF(QPointF(left, kTop), QPointF(kRight, kBottom)));
    const QColor fore = area.ForeColor();
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (!placed[i])
            continue;
        area.setForeColor(styles[i].colour);
        area.setCurrentX(placed[i]->left());
        area.setCurrentY(placed[i]->top());
        area.Print(texts[i]);
    }
    area.setForeColor(fore);
}

std::size_t RangePoints(const XYCurveList& curves)
{
    std::size_t points = 0;
    for (const XYCurve& c : curves)
        points += c.X.size();
    return points;
}

} // namespace

QColor XYCurveColor(int i)
{
    return XYCurveStyle(i).colour;
}

bool DrawStoredCurves(PictureArea& area, const XYCurveList& curves, bool drawNodes,
                      const std::optional<QColor>& labelColor, const QLocale& locale, bool legend)
{
    return DrawCurves(area, curves, {}, QString(), drawNodes, labelColor, locale, static_cast<std::size_t>(-1), legend);
}

bool DrawCurves(PictureArea& area, const XYCurveList& curves, const std::vector<int>& numbers, const QString& heading,
                bool drawNodes, const std::optional<QColor>& labelColor, const QLocale& locale, std::size_t dottedFrom,
                bool legend)
{
    const std::optional<DataRange> range = RangeOf(curves);
    if (!range)
        return false;
    const std::optional<AxisScale> x = ComputeAxisScale(range->minX, range->maxX);
    const std::optional<AxisScale> y = ComputeAxisScale(range->minY, range->maxY);
    if (!x || !y)
        return false;

    std::vector<int> shown(curves.size());
    std::vector<CurveStyle> styles(curves.size());
    std::vector<LegendEntry> entries;
    const bool named = legend && std::any_of(curves.begin(), curves.end(), [](const XYCurve& c) { return !c.name.isEmpty(); });
    for (std::size_t i = 0; i < curves.size(); ++i) {
        shown[i] = i < numbers.size() ? numbers[i] : static_cast<int>(i) + 1;
        styles[i] = XYCurveStyle(curves[i].colour > 0 ? curves[i].colour : shown[i]);
        if (i >= dottedFrom)
            styles[i].dash = PictureArea::Dot;
        if (named)
            entries.push_back({curves[i].name.isEmpty() ? QString::number(shown[i])
                                                        : QStringLiteral("%1 %2").arg(shown[i]).arg(curves[i].name),
                               styles[i].colour, styles[i].dash});
    }

    area.Cls();
    if (labelColor)
        area.setForeColor(*labelColor);
    const Edges edges = EdgesFor(area, *y, LegendShare(area, entries), locale);
    area.setScale(edges.left, kTop, edges.right, kBottom);
    area.reserve(2 * static_cast<std::size_t>(x->n + y->n + 2) + 2 * entries.size() + 1
                 + curves.size() * (drawNodes ? 2 : 1) + (drawNodes ? RangePoints(curves) : 0));
    DrawGrid(area, *x, Direction::Vertical, edges.left + 50, locale);
    DrawGrid(area, *y, Direction::Horizontal, edges.left + 50, locale);
    if (!heading.isEmpty()) {
        area.setCurrentX(100);
        area.setCurrentY(kHeight - 20);
        area.Print(heading);
    }
    std::vector<QPointF> points;
    for (std::size_t i = 0; i < curves.size(); ++i)
        DrawCurve(area, curves[i], styles[i], *x, *y, drawNodes, points);
    area.setDrawStyle(PictureArea::Solid);
    if (drawNodes)
        DrawStartLabels(area, curves, shown, styles, *x, *y, edges.left);
    if (!entries.empty())
        DrawLegend(area, entries, QRectF(QPointF(kRight, kLegendTop), QPointF(edges.right, kBottom)), kLegendSpacing);
    area.setDrawWidth(1);
    return true;
}

XYChartResult DrawXYChart(PictureArea& area, const DataTable& table, XYChartState& chart, bool drawNodes,
                          const MessageSink& message, const QLocale& locale, const QString& name)
{
    if (!HasTwoDataRows(table) || chart.plotted)
        return XYChartResult::NothingToDo;
    if (!AllCellsAreNumbers(table, locale)) {
        if (message)
            message(QCoreApplication::translate("Chart", kDataEntryError));
        return XYChartResult::DataError;
    }
    // A cell that does not fit single precision is told; the chart shows the
    // curve as far as it was read.
    if (const Result<> stored = StoreProfileCurve(table, chart, locale, name); !stored && message)
        message(stored.message());
    if (!DrawStoredCurves(area, chart.curves, drawNodes, kScreenLabelColor, locale)) {
        // A curve too short to chart is no news ("Plot does nothing" in the
        // manual); values beyond what an axis can span are.
        const std::optional<DataRange> range = RangeOf(chart.curves);
        if (const Result<> chartable = range ? CheckChartable(*range, locale) : Result<>(); !chartable && message)
            message(chartable.message());
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
    if (!DrawStoredCurves(area, XYCurves, drawNodes, std::nullopt, locale, false))
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
