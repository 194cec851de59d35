#include "analysis/Stiffness.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

double newtonsPer(LoadUnit unit)
{
    switch (unit) {
    case LoadUnit::Kilogram:
        return kNewtonsPerKilogramForce;
    case LoadUnit::PoundForce:
        return kNewtonsPerPoundForce;
    case LoadUnit::Newton:
        break;
    }
    return 1.0;
}

double metresPer(LengthUnit unit)
{
    return unit == LengthUnit::Inch ? kMetresPerInch : 0.001;
}

struct Node {
    double x;
    double y;
};

std::vector<Node> sortedNodes(const std::vector<RowPoint>& points)
{
    std::vector<Node> nodes;
    nodes.reserve(points.size());
    for (const RowPoint& p : points)
        nodes.push_back({p.x, p.y});
    std::stable_sort(nodes.begin(), nodes.end(), [](const Node& a, const Node& b) { return a.x < b.x; });
    return nodes;
}

// The curve between its nodes is a straight line; `at` must lie within them.
double valueAt(const std::vector<Node>& nodes, double at)
{
    const auto upper = std::lower_bound(nodes.begin(), nodes.end(), at, [](const Node& n, double x) { return n.x < x; });
    if (upper->x == at)
        return upper->y;
    const Node& lo = *(upper - 1);
    return lo.y + (upper->y - lo.y) * (at - lo.x) / (upper->x - lo.x);
}

// Area under the piecewise-linear curve from a to b, by trapezoids cut at a
// and b. A node on a border belongs to neither side: the curve is continuous,
// so its value ends the one zone's area and starts the next one's. That is
// what makes the thirds of a straight line come out exact.
double areaBetween(const std::vector<Node>& nodes, double a, double b)
{
    double area = 0.0;
    for (std::size_t i = 0; i + 1 < nodes.size(); ++i) {
        const double from = std::max(a, nodes[i].x);
        const double to = std::min(b, nodes[i + 1].x);
        if (to > from)
            area += (to - from) * (valueAt(nodes, from) + valueAt(nodes, to)) / 2.0;
    }
    return area;
}

} // namespace

EiCurve ConvertToEi(const std::vector<RowPoint>& rows, const BenchGeometry& g)
{
    EiCurve curve;
    if (!(g.span > 0) || !std::isfinite(g.span))
        curve.refusal = QCoreApplication::translate("Analysis", "the span must be a length above 0");
    else if (!(g.deflection > 0) || !std::isfinite(g.deflection))
        curve.refusal = QCoreApplication::translate("Analysis", "the deflection must be a length above 0");
    else if (!(g.compliance >= 0) || !std::isfinite(g.compliance))
        curve.refusal = QCoreApplication::translate("Analysis", "the bench compliance must be 0 or more");
    else if (rows.empty())
        curve.refusal = QCoreApplication::translate("Analysis", "no row holds a position and a load");
    if (!curve.ok())
        return curve;
    const double metres = metresPer(g.lengthUnit);
    const double newtons = newtonsPer(g.loadUnit);
    const double spanM = g.span * metres;
    // Everything but the load and the deflection, worked out once: one
    // division a point rather than three.
    const double factor = newtons * spanM * spanM * spanM / (48.0 * metres);
    const double toLbfIn2 = 1.0 / (kNewtonsPerPoundForce * kMetresPerInch * kMetresPerInch);
    const double toKgfM2 = 1.0 / kNewtonsPerKilogramForce;
    curve.points.reserve(rows.size());
    for (const RowPoint& r : rows) {
        const double deflection = g.deflection - r.y * g.compliance;
        if (!(deflection > 0)) {
            curve.refusal = QCoreApplication::translate("Analysis", "row %1: the bench's own give under the load takes up the whole deflection")
                                .arg(r.row);
            curve.points.clear();
            return curve;
        }
        const double nM2 = r.y * factor / deflection;
        curve.points.push_back({r.row, r.x, r.y, nM2 * toLbfIn2, nM2, nM2 * toKgfM2});
    }
    return curve;
}

ZoneFigures EiZones(const EiCurve& curve, LengthUnit positions)
{
    ZoneFigures z;
    std::vector<RowPoint> ei;
    for (const EiPoint& p : curve.points) {
        if (!(p.nM2 > 0)) {
            z.refusal = QCoreApplication::translate("Analysis", "row %1: the EI is not above 0").arg(p.row);
            return z;
        }
        ei.push_back({p.row, p.position, p.nM2});
    }
    const std::vector<Node> nodes = sortedNodes(ei);
    const double length = nodes.empty() ? 0.0 : nodes.back().x - nodes.front().x;
    if (!(length > 0)) {
        z.refusal = QCoreApplication::translate("Analysis", "the zones need readings at two positions at least");
        return z;
    }
    const double x0 = nodes.front().x;
    const double third = length / 3.0;
    const double b1 = x0 + third;
    const double b2 = x0 + 2.0 * third;
    z.tip = areaBetween(nodes, x0, b1) / (b1 - x0);
    z.mid = areaBetween(nodes, b1, b2) / (b2 - b1);
    z.butt = areaBetween(nodes, b2, nodes.back().x) / (nodes.back().x - b2);
    z.buttTipRatio = z.butt / z.tip;
    z.stiffnessIndex = areaBetween(nodes, x0, nodes.back().x) / length;

    const double inches = 1.0 / UnitsPerInch(positions);
    double meanX = 0.0, meanY = 0.0;
    for (const Node& n : nodes) {
        meanX += n.x * inches;
        meanY += n.y;
    }
    meanX /= static_cast<double>(nodes.size());
    meanY /= static_cast<double>(nodes.size());
    double sxy = 0.0, sxx = 0.0;
    for (const Node& n : nodes) {
        sxy += (n.x * inches - meanX) * (n.y - meanY);
        sxx += (n.x * inches - meanX) * (n.x * inches - meanX);
    }
    // Against the line's own level at the middle (the mean EI), so that the
    // figure does not depend on the EI unit.
    z.slopePercentPerIn = 100.0 * (sxy / sxx) / meanY;
    return z;
}

CurveComparison CompareWithReference(const std::vector<RowPoint>& reference, const std::vector<RowPoint>& curve)
{
    CurveComparison c;
    const std::vector<Node> ref = sortedNodes(reference);
    double squares = 0.0;
    for (const RowPoint& p : curve) {
        if (ref.empty() || p.x < ref.front().x || p.x > ref.back().x) {
            ++c.leftOut;
            continue;
        }
        const double base = valueAt(ref, p.x);
        if (base == 0) {
            ++c.leftOut;
            continue;
        }
        const double percent = 100.0 * (p.y - base) / base;
        c.differences.push_back({p.x, percent});
        squares += percent * percent;
        if (c.differences.size() == 1 || std::fabs(percent) > std::fabs(c.maxPercent)) {
            c.maxPercent = percent;
            c.maxPosition = p.x;
        }
    }
    if (c.differences.empty()) {
        c.refusal = QCoreApplication::translate("Analysis", "no position of the curve lies within the reference's positions");
        return c;
    }
    c.rmsPercent = std::sqrt(squares / static_cast<double>(c.differences.size()));
    return c;
}

} // namespace tarvex
