#include "charts/xy/ProfileViews.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

const QString kNm2 = QStringLiteral("N·m²");
const QString kLbfIn2 = QStringLiteral("lbf·in²");

// A stored curve's points as the analysis takes them. A value the table could
// not hold in single precision is stored as infinity or cut short to zeros;
// the former is left out and named rather than turned into a nonsense EI.
std::vector<RowPoint> PointsOf(const XYCurve& curve, QStringList& leftOut)
{
    std::vector<RowPoint> points;
    points.reserve(curve.X.size());
    for (std::size_t j = 0; j < curve.X.size() && j < curve.Y.size(); ++j) {
        if (std::isfinite(curve.X[j]) && std::isfinite(curve.Y[j]))
            points.push_back({static_cast<int>(j) + 1, curve.X[j], curve.Y[j]});
        else
            leftOut << QString::number(j + 1);
    }
    return points;
}

QString RowsNote(int number, const QStringList& rows)
{
    return (rows.size() > 1 ? QCoreApplication::translate("Chart", "Curve %1: rows %2 not a number, left out")
                            : QCoreApplication::translate("Chart", "Curve %1: row %2 not a number, left out"))
        .arg(number)
        .arg(rows.join(QStringLiteral(", ")));
}

// The view draws what it can of a curve: the axes need three points of it.
bool Chartable(CurvesView& view, int number, const XYCurve& curve)
{
    if (curve.X.size() >= 3)
        return true;
    view.notes << QCoreApplication::translate("Chart", "Curve %1: fewer than 3 points, not drawn").arg(number);
    return false;
}

struct Converted {
    std::vector<RowPoint> points;   // (position, EI in N m^2) or (position, load)
    EiCurve ei;
};

Converted Convert(const XYCurve& curve, int number, const BenchGeometry* geometry, CurvesView& view, bool lbfIn2 = false)
{
    Converted c;
    QStringList leftOut;
    c.points = PointsOf(curve, leftOut);
    if (!leftOut.isEmpty())
        view.notes << RowsNote(number, leftOut);
    if (!geometry)
        return c;
    c.ei = ConvertToEi(c.points, *geometry);
    if (!c.ei.ok()) {
        view.notes << QCoreApplication::translate("Chart", "Curve %1: no EI: %2").arg(number).arg(c.ei.refusal);
        c.points.clear();
        return c;
    }
    for (std::size_t j = 0; j < c.points.size(); ++j)
        c.points[j].y = lbfIn2 ? c.ei.points[j].lbfIn2 : c.ei.points[j].nM2;
    return c;
}

XYCurve AsCurve(const std::vector<RowPoint>& points, const XYCurve& from)
{
    XYCurve c;
    c.name = from.name;
    c.colour = from.colour;
    c.X.reserve(points.size());
    c.Y.reserve(points.size());
    for (const RowPoint& p : points) {
        c.X.push_back(static_cast<float>(p.x));
        c.Y.push_back(static_cast<float>(p.y));
    }
    return c;
}

// The name column beside the curve numbers, once any curve has a name.
void AddNames(CurvesView& view, const XYCurveList& curves)
{
    if (view.table.isEmpty()
        || std::none_of(curves.begin(), curves.end(), [](const XYCurve& c) { return !c.name.isEmpty(); }))
        return;
    view.table.front().insert(1, FigureNameHeading());
    for (qsizetype r = 1; r < view.table.size(); ++r) {
        const auto i = static_cast<std::size_t>(view.table[r].front().toInt() - 1);
        view.table[r].insert(1, i < curves.size() ? curves[i].name : QString());
    }
}

} // namespace

QString FigureNameHeading()
{
    return QCoreApplication::translate("Chart", "Name");
}

CurvesView EiView(const XYCurveList& curves, const GeometrySettings& settings, const QString& loadUnit, const QLocale& locale)
{
    CurvesView view;
    if (const QString missing = MissingForEi(settings, loadUnit); !missing.isEmpty()) {
        view.refusal = QCoreApplication::translate("Chart", "No EI: the bench settings lack %1 (Option > Settings).").arg(missing);
        return view;
    }
    if (curves.empty()) {
        view.refusal = QCoreApplication::translate("Chart", "No EI: nothing is plotted yet.");
        return view;
    }
    const BenchGeometry geometry = GeometryOf(settings, loadUnit);
    const QString unit = settings.eiInLbfIn2 ? kLbfIn2 : kNm2;
    view.heading = QCoreApplication::translate("Chart", "EI (%1)").arg(unit);
    view.table << QStringList{QCoreApplication::translate("Chart", "Curve"),          QCoreApplication::translate("Chart", "Tip (%1)").arg(unit),
                              QCoreApplication::translate("Chart", "Mid (%1)").arg(unit), QCoreApplication::translate("Chart", "Butt (%1)").arg(unit),
                              QCoreApplication::translate("Chart", "Butt/tip"),       QCoreApplication::translate("Chart", "Slope (%/in)"),
                              QCoreApplication::translate("Chart", "Index (%1)").arg(unit)};
    const auto number = [&locale](double v) { return locale.toString(v, 'f', 2); };
    // The zone figures are worked out in N·m²; ratios and slopes have no unit.
    const auto ei = [&](double nM2) { return number(settings.eiInLbfIn2 ? nM2 * kLbfIn2PerNm2 : nM2); };
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const Converted c = Convert(curves[i], n, &geometry, view, settings.eiInLbfIn2);
        if (c.points.empty())
            continue;
        const ZoneFigures z = EiZones(c.ei, geometry.lengthUnit);
        if (z.ok())
            view.table << QStringList{QString::number(n),       ei(z.tip),
                                      ei(z.mid),                ei(z.butt),
                                      number(z.buttTipRatio),   number(z.slopePercentPerIn),
                                      ei(z.stiffnessIndex)};
        else
            view.notes << QCoreApplication::translate("Chart", "Curve %1: no zone figures: %2").arg(n).arg(z.refusal);
        if (Chartable(view, n, curves[i])) {
            view.curves.push_back(AsCurve(c.points, curves[i]));
            view.numbers.push_back(n);
        }
    }
    if (view.curves.empty())
        view.refusal = QCoreApplication::translate("Chart", "No EI: %1").arg(view.notes.join(QStringLiteral("; ")));
    AddNames(view, curves);
    return view;
}

CurvesView DifferenceView(const XYCurveList& curves, int reference, const GeometrySettings& settings, const QString& loadUnit,
                          const QLocale& locale)
{
    CurvesView view;
    if (reference < 1 || reference > static_cast<int>(curves.size())) {
        view.refusal = QCoreApplication::translate("Chart", "No difference: mark one of the plotted curves as the reference.");
        return view;
    }
    const bool ei = MissingForEi(settings, loadUnit).isEmpty();
    const BenchGeometry geometry = GeometryOf(settings, loadUnit);
    const BenchGeometry* g = ei ? &geometry : nullptr;
    CurvesView scratch;   // the reference's own notes are told with its row
    const Converted base = Convert(curves[static_cast<std::size_t>(reference) - 1], reference, g, scratch);
    view.notes << scratch.notes;
    if (base.points.empty()) {
        view.refusal = scratch.notes.isEmpty()
                           ? QCoreApplication::translate("Chart", "No difference: the reference has no points to compare with.")
                           : QCoreApplication::translate("Chart", "No difference: the reference has no points to compare with (%1).")
                                 .arg(scratch.notes.join(QStringLiteral("; ")));
        return view;
    }
    view.heading = (ei ? QCoreApplication::translate("Chart", "EI against curve %1 (%)")
                       : QCoreApplication::translate("Chart", "Load against curve %1 (%)"))
                       .arg(reference);
    view.table << QStringList{QCoreApplication::translate("Chart", "Curve"), QCoreApplication::translate("Chart", "RMS (%)"),
                              QCoreApplication::translate("Chart", "Largest (%)"),
                              QCoreApplication::translate("Chart", "At (%1)").arg(settings.lengthUnit)};
    const auto number = [&locale](double v, int decimals) { return locale.toString(v, 'f', decimals); };
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const Converted c = n == reference ? base : Convert(curves[i], n, g, view);
        if (c.points.empty())
            continue;
        const CurveComparison d = CompareWithReference(base.points, c.points);
        if (!d.ok()) {
            view.notes << QCoreApplication::translate("Chart", "Curve %1: %2").arg(n).arg(d.refusal);
            continue;
        }
        if (d.leftOut > 0)
            view.notes << (d.leftOut > 1 ? QCoreApplication::translate("Chart", "Curve %1: %2 positions outside curve %3's, left out")
                                         : QCoreApplication::translate("Chart", "Curve %1: %2 position outside curve %3's, left out"))
                              .arg(n).arg(d.leftOut).arg(reference);
        if (n != reference)
            view.table << QStringList{QString::number(n), number(d.rmsPercent, 1), number(d.maxPercent, 1),
                                      number(d.maxPosition, 2)};
        XYCurve drawn;
        drawn.name = curves[i].name;
        drawn.colour = curves[i].colour;
        for (const Difference& p : d.differences) {
            drawn.X.push_back(static_cast<float>(p.position));
            drawn.Y.push_back(static_cast<float>(p.percent));
        }
        if (Chartable(view, n, drawn)) {
            view.curves.push_back(std::move(drawn));
            view.numbers.push_back(n);
        }
    }
    AddNames(view, curves);
    return view;
}

QStringList FigureLines(const CurvesView& view)
{
    QStringList lines;
    if (!view.ok())
        return {view.refusal};
    std::vector<qsizetype> widths;
    for (const QStringList& row : view.table)
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (widths.size() <= static_cast<std::size_t>(c))
                widths.push_back(0);
            widths[static_cast<std::size_t>(c)] = std::max(widths[static_cast<std::size_t>(c)], row[c].size());
        }
    for (const QStringList& row : view.table) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c)
            cells << (c == 0 || view.table.front().value(c) == FigureNameHeading()
                          ? row[c].leftJustified(widths[static_cast<std::size_t>(c)])
                          : row[c].rightJustified(widths[static_cast<std::size_t>(c)]));
        lines << cells.join(QStringLiteral("  "));
    }
    lines << view.notes;
    return lines;
}

} // namespace tarvex
