#include "charts/polar/PolarChart.h"

#include "platform/PictureArea.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"
#include "numbers/VectorState.h"
#include "charts/polar/SineView.h"

#include <QCoreApplication>

#include <QLocale>
#include <cmath>
#include <optional>

namespace tarvex {

namespace {

// The system locale answers each of its number symbols through a locked
// query, which makes reading a cell with it several times slower than with a
// plain locale; a Plot reads every load strictly. A plain locale of the same
// language whose number symbols all agree with the system's reads every text
// the same way, so the drawing uses it; if any symbol differs (LC_NUMERIC set
// apart from the language, say) the system locale itself is used.
QLocale userNumberLocale()
{
    const QLocale sys = QLocale::system();
    const QLocale twin(sys.language(), sys.script(), sys.territory());
    const bool same = twin.decimalPoint() == sys.decimalPoint() && twin.groupSeparator() == sys.groupSeparator()
        && twin.zeroDigit() == sys.zeroDigit() && twin.negativeSign() == sys.negativeSign()
        && twin.positiveSign() == sys.positiveSign() && twin.exponential() == sys.exponential();
    return same ? twin : sys;
}

const QString kDegreeSign = QString(QChar(0x00B0));

void printAt(PictureArea& area, double x, double y, const QString& text)
{
    area.setCurrentX(x);
    area.setCurrentY(y);
    area.Print(text);
}

// A point of the figure, or why the row cannot be placed.
struct RowPoint {
    ChartPoint point;
    Result<> result;
};

// `scale` is worked out from `rangeText` once: the text cannot change while a
// drawing runs.
RowPoint rowPoint(const DataTable& table, int row, const QString& rangeText, const PolarScale& scale, const QLocale& locale,
                  const MessageSink& message)
{
    const QString loadText = table.TextMatrix(row, 1);
    const std::optional<double> load = StrictDouble(loadText, locale);
    if (!load) {
        if (loadText.trimmed().isEmpty())
            return {{}, Failure(QCoreApplication::translate("PolarChart", "Row %1: the load cell is empty.").arg(row))};
        return {{}, Failure(QCoreApplication::translate("PolarChart", "Row %1: the load \"%2\" is not a number.").arg(row).arg(loadText.trimmed()))};
    }
    const double radius = PolarLoadRadius(*load, scale.range, scale.centre);
    if (!std::isfinite(radius))
        return {{}, Failure(QCoreApplication::translate("PolarChart", "Row %1: the load %2 is too large for the scale range %3.")
                        .arg(row).arg(loadText.trimmed(), rangeText.trimmed()))};
    const QString degreeText = table.TextMatrix(row, 0);
    const double angle = PolarBearingAngle(LeadingNumber(degreeText));
    if (!std::isfinite(angle))
        return {{}, Failure(QCoreApplication::translate("PolarChart", "Row %1: the angle \"%2\" is too large.").arg(row).arg(degreeText.trimmed()))};
    return {SolvePolarPoint(angle, radius, message), {}};
}

// The background with the loads of the outer, middle and inner rings.
void drawBackground(PictureArea& g, const QString& outer, const QString& middle, const QString& inner, bool bPrinting,
                    const MessageSink& message)
{
    using namespace polar_colors;
    g.setScale(-1000, 1000, 1000, -1000);
    // The hidden print area is shared with the X/Y chart, which may leave
    // another pen behind.
    g.setDrawWidth(1);
    g.setDrawStyle(PictureArea::Solid);
    if (bPrinting) {
        g.setBackColor(kPrintBack);
        g.setForeColor(kPrintFore);
        g.Circle(0, 0, 500, kPrintRing);
        g.Circle(0, 0, 250, kPrintRing);
        g.Circle(0, 0, 750, kPrintRing);
    } else {
        g.setForeColor(kScreenFore);
        g.Circle(0, 0, 500, g.ForeColor());
        g.Circle(0, 0, 250, kRangeRing);
        g.Circle(0, 0, 750, kRangeRing);
    }
    for (int r : {300, 350, 400, 450, 550, 600, 650, 700})
        g.Circle(0, 0, r, kGrid);

    g.Line(0, 0, 0, 900, kAxis);
    printAt(g, -20, 1000, QStringLiteral("0") + kDegreeSign);
    g.Line(0, 0, 900, 0, kAxis);
    printAt(g, 850, 100, QStringLiteral("90") + kDegreeSign);
    g.Line(0, 0, 0, -900, kAxis);
    printAt(g, -50, -900, QStringLiteral("180") + kDegreeSign);
    g.Line(0, 0, -900, 0, kAxis);
    printAt(g, -950, 100, QStringLiteral("270") + kDegreeSign);

    for (int bearing : {30, 60, 120, 150, 210, 240, 300, 330}) {
        const ChartPoint end = SolvePolarPoint(kChartPi / 180.0 * bearing, 900, message);
        g.Line(0, 0, end.X, end.Y, kAxis);
    }

    printAt(g, 0, 850, outer);
    printAt(g, 20, 600, middle);
    printAt(g, 0, 350, inner);
    g.PSet(0, 500);
}

} // namespace

double PolarLoadRadius(double load, double range, double centre)
{
    return ((load - centre) / range) * 250.0 + 500.0;
}

QString AutoRangeText()
{
    return QCoreApplication::translate("PolarChart", "Auto");
}

bool IsAutoRange(const QString& rangeText)
{
    const QString t = rangeText.trimmed();
    return t.compare(QLatin1String("Auto"), Qt::CaseInsensitive) == 0 || t.compare(AutoRangeText(), Qt::CaseInsensitive) == 0;
}

std::optional<PolarScale> PolarScaleOf(const QString& rangeText, const DataTable& table)
{
    if (!IsAutoRange(rangeText))
        return PolarScale{0.0, LeadingNumber(rangeText)};
    const StrictNumberReader reader(userNumberLocale());
    std::vector<double> loads;
    for (int r = 1; r < table.Rows(); ++r)
        if (const std::optional<double> load = reader.toDouble(table.TextMatrix(r, 1)); load && std::isfinite(*load))
            loads.push_back(*load);
    if (loads.empty())
        return std::nullopt;
    double sum = 0.0;
    for (const double l : loads)
        sum += l;
    const double mean = sum / static_cast<double>(loads.size());
    // A shaft round to within half a percent shows as the circle it is,
    // rather than its last decimals blown up to fill the rings.
    double half = std::fabs(mean) * 0.005;
    for (const double l : loads)
        half = std::max(half, std::fabs(l - mean));
    const std::optional<SineZoom> round = RoundedScale(mean, half);
    if (!round)
        return std::nullopt;
    return PolarScale{round->centre, round->range};
}

QString PolarRangeWords(const QString& rangeText, const DataTable& table, const QString& unit)
{
    const std::optional<PolarScale> scale = PolarScaleOf(rangeText, table);
    if (!scale || !(scale->range > 0) || !std::isfinite(scale->range))
        return IsAutoRange(rangeText) ? QCoreApplication::translate("Report", "Range: auto (no loads to scale to)")
                                      : QCoreApplication::translate("Report", "Range: %1").arg(rangeText.trimmed());
    const QLocale locale = userNumberLocale();
    const auto n = [&](double v) { return UserNumberText(v, locale); };
    const QString u = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
    const QString rings = QCoreApplication::translate("Report", "rings at %1, %2 and %3%4")
                              .arg(n(scale->centre - scale->range), n(scale->centre), n(scale->centre + scale->range), u);
    return IsAutoRange(rangeText) ? QCoreApplication::translate("Report", "Range: auto, %1%2 (%3)").arg(n(scale->range), u, rings)
                                  : QCoreApplication::translate("Report", "Range: %1%2 (%3)").arg(n(scale->range), u, rings);
}

double PolarBearingAngle(double degrees)
{
    return RoundHalfEven((degrees / 180.0) * kChartPi, 2);
}

void InitGraphic(PictureArea& TabGraphic, const QString& TabRange, bool bPrinting, const MessageSink& message)
{
    // Before a table has loads an automatic scale has no numbers to show.
    if (IsAutoRange(TabRange))
        drawBackground(TabGraphic, TabRange, QString(), QString(), bPrinting, message);
    else
        drawBackground(TabGraphic, TabRange, QStringLiteral("0"), QStringLiteral("-") + TabRange, bPrinting, message);
}

Result<> DrawPolarChart(PictureArea& area, const DataTable& table, const QString& TabRange, bool bPrinting,
                        const MessageSink& message)
{
    ClearVectorUpperState();
    const std::optional<PolarScale> scale = table.Rows() < 3 ? std::nullopt : PolarScaleOf(TabRange, table);
    if (!scale || !(scale->range > 0))
        return {};
    if (!std::isfinite(scale->range))
        return Failure(QCoreApplication::translate("PolarChart", "The scale range \"%1\" is too large.").arg(TabRange.trimmed()));

    const QLocale locale = userNumberLocale();
    if (IsAutoRange(TabRange))
        drawBackground(area, UserNumberText(scale->centre + scale->range, locale), UserNumberText(scale->centre, locale),
                       UserNumberText(scale->centre - scale->range, locale), bPrinting, message);
    else
        InitGraphic(area, TabRange, bPrinting, message);

    const RowPoint first = rowPoint(table, 1, TabRange, *scale, locale, message);
    if (!first.result.ok())
        return first.result;
    area.PSet(first.point.X, first.point.Y);

    ChartPoint rise;
    ChartPoint fall;
    // The markers compare loads read leniently, unlike the strict reading
    // that places the points.
    double before = bPrinting ? 0.0 : LeadingUserNumber(table.TextMatrix(1, 1));
    for (int r = 2; r < table.Rows(); ++r) {
        const RowPoint p = rowPoint(table, r, TabRange, *scale, locale, message);
        if (!p.result.ok())
            return p.result;
        if (!bPrinting) {
            const double now = LeadingUserNumber(table.TextMatrix(r, 1));
            if (before < now)
                rise = p.point;
            else if (before > now)
                fall = p.point;
            before = now;
        }
        area.LineTo(p.point.X, p.point.Y, polar_colors::kFigure);
    }
    area.LineTo(first.point.X, first.point.Y, polar_colors::kFigure);

    if (!bPrinting) {
        area.Circle(rise.X, rise.Y, 30);
        area.Circle(fall.X, fall.Y, 30);
    }
    return {};
}

void DrawSpinePlanes(PictureArea& area, double spineAngle, double nbpAngle, bool significant)
{
    if (!significant)
        return;
    const auto plane = [&area](double degrees, const QColor& colour, const QString& label) {
        const double r = degrees * kChartPi / 180.0;
        const double x = std::sin(r) * 950, y = std::cos(r) * 950;
        area.Line(-x, -y, x, y, colour);
        area.setForeColor(colour);
        printAt(area, x * 0.8 + 20, y * 0.8 + 40, label);
    };
    const QColor before = area.ForeColor();
    area.setDrawWidth(2);
    plane(spineAngle, polar_colors::kStiffPlane, QCoreApplication::translate("PolarChart", "Spine"));
    plane(nbpAngle, polar_colors::kSoftPlane, QStringLiteral("NBP"));
    area.setDrawWidth(1);
    area.setForeColor(before);
}

} // namespace tarvex
