// Many curves on one chart: the palette and its dashes, the labels at the
// curves' first points, and the legend's rows and columns. Cases are in
// tests/golden/curvelegend.txt. Text sizes follow the fonts installed, so
// legend rooms are given in lines and letters of the area's own font, and
// the cases hold counts, never places.
#include "Golden.h"
#include "charts/xy/CurveLegend.h"
#include "charts/xy/XYChart.h"
#include "platform/PictureArea.h"

#include <QtTest>
#include <cmath>

using namespace tarvex;

namespace {

QString dashName(PictureArea::DrawStyle d)
{
    switch (d) {
    case PictureArea::Solid: return QStringLiteral("solid");
    case PictureArea::Dash: return QStringLiteral("dash");
    case PictureArea::Dot: return QStringLiteral("dot");
    case PictureArea::DashDot: return QStringLiteral("dash-dot");
    case PictureArea::DashDotDot: return QStringLiteral("dash-dot-dot");
    }
    return QStringLiteral("?");
}

double distance(const QColor& a, const QColor& b)
{
    return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
}

// style | number => colour dash
// palette | count => how many looks differ, the two nearest colours
QString palette(const QStringList& in)
{
    if (in[0] == QLatin1String("style")) {
        const CurveStyle s = XYCurveStyle(in[1].toInt());
        return s.colour.name() + QLatin1Char(' ') + dashName(s.dash);
    }
    const int n = in[1].toInt();
    QSet<QString> looks;
    double nearest = 1e9;
    QString pair;
    for (int i = 1; i <= n; ++i) {
        const CurveStyle s = XYCurveStyle(i);
        looks.insert(s.colour.name() + dashName(s.dash));
        for (int j = 1; j < i && j <= kPaletteColours && i <= kPaletteColours; ++j)
            if (const double d = distance(s.colour, XYCurveStyle(j).colour); d < nearest) {
                nearest = d;
                pair = QStringLiteral("%1 and %2").arg(j).arg(i);
            }
    }
    return QStringLiteral("%1 looks of %2, nearest colours %3 apart (%4)")
        .arg(looks.size()).arg(n).arg(std::lround(nearest)).arg(pair);
}

QRectF rect(const QString& text)
{
    const QStringList v = text.split(QLatin1Char(','));
    return QRectF(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble());
}

// labels | bounds x,y,w,h | label x,y,w,h; ... ("N*" repeats one) => where
// each went ("-" left out) and any two that overlap or leave the bounds
QString labels(const QStringList& in)
{
    const QRectF bounds = rect(in[1]);
    std::vector<QRectF> wanted;
    for (const QString& item : in[2].split(QStringLiteral("; "))) {
        const int times = item.contains(QLatin1Char('*')) ? item.section(QLatin1Char('*'), 0, 0).toInt() : 1;
        for (int i = 0; i < times; ++i)
            wanted.push_back(rect(item.section(QLatin1Char('*'), -1)));
    }
    const auto placed = PlaceLabels(wanted, bounds);
    QStringList out, wrong;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (!placed[i]) {
            out << QStringLiteral("-");
            continue;
        }
        const QRectF& r = *placed[i];
        out << QStringLiteral("%1,%2").arg(r.left()).arg(r.top());
        if (!bounds.normalized().contains(r.normalized()) || r.width() != wanted[i].width() || r.height() != wanted[i].height())
            wrong << QStringLiteral("%1 out of place").arg(i + 1);
        for (std::size_t j = 0; j < i; ++j)
            if (placed[j] && placed[j]->normalized().intersects(r.normalized()))
                wrong << QStringLiteral("%1 over %2").arg(i + 1).arg(j + 1);
    }
    return out.join(QLatin1Char(' ')) + (wrong.isEmpty() ? QString() : QStringLiteral(" | ") + wrong.join(QStringLiteral(", ")));
}

// legend | scale (pixels, or chart: y up) | room: lines x letters (or "fit") | entries:
// count and name length [| row spacing in lines] => rows, columns, hidden, shortened names, and any
// slot outside the room or over another
QString legend(const QStringList& in)
{
    PictureArea area(QSize(499, 292), QColor(0, 0, 64));
    if (in[1] == QLatin1String("chart"))
        area.setScale(xychart::kLeft, xychart::kTop, xychart::kRight, xychart::kBottom);
    const QStringList size = in[2].split(QLatin1Char('x'));
    const double line = area.TextHeight(), letter = area.TextWidth(QStringLiteral("n"));
    const QStringList what = in[3].split(QLatin1Char(' '));
    std::vector<LegendEntry> entries;
    for (int i = 1; i <= what[0].toInt(); ++i)
        entries.push_back({QStringLiteral("%1 ").arg(i) + QString(what.value(1).toInt(), QLatin1Char('n')),
                           XYCurveStyle(i).colour, XYCurveStyle(i).dash});
    // "fit": as wide as LegendWidth asks for
    const double wide = size[1] == QLatin1String("fit") ? LegendWidth(area, entries) : size[1].toDouble() * letter;
    const double top = area.ScaleTop() + 2 * line;
    const double left = area.ScaleLeft() + 10 * letter;
    const QRectF room(QPointF(left, top), QPointF(left + wide, top + size[0].toDouble() * line));
    const double spacing = in.value(4, QStringLiteral("1")).toDouble();
    const LegendLayout l = LayOutLegend(area, entries, room, spacing);
    int shortened = 0;
    QStringList wrong;
    std::vector<QRectF> taken;
    for (std::size_t s = 0; s < l.places.size(); ++s) {
        const LegendSlot& slot = l.places[s];
        if (slot.text.endsWith(QChar(0x2026)))
            ++shortened;
        const QRectF r = QRectF(QPointF(slot.sample ? slot.left : slot.textX, slot.top),
                                QPointF(slot.textX + area.TextWidth(slot.text), slot.top + line)).normalized();
        if (!room.normalized().adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(r))
            wrong << QStringLiteral("slot %1 outside").arg(s + 1);
        // Rows meet edge to edge; rounding is no overlap.
        const double e = 1e-6 * std::fabs(line);
        for (const QRectF& t : taken)
            if (t.adjusted(e, e, -e, -e).intersects(r.adjusted(e, e, -e, -e)))
                wrong << QStringLiteral("slot %1 over another").arg(s + 1);
        taken.push_back(r);
    }
    QString out = QStringLiteral("%1 rows, %2 columns, %3 hidden, %4 shortened").arg(l.rows).arg(l.columns).arg(l.hidden).arg(shortened);
    if (l.hidden > 0)
        out += QStringLiteral(", last \"%1\"").arg(l.places.back().text);
    return out + (wrong.isEmpty() ? QString() : QStringLiteral(" | ") + wrong.join(QStringLiteral(", ")));
}

} // namespace

class TestCurveLegend : public QObject {
    Q_OBJECT
private slots:
    void cases()
    {
        GOLDEN_VERIFY(golden::cases("curvelegend.txt", [](const QStringList& in) {
            if (in[0] == QLatin1String("labels"))
                return labels(in);
            if (in[0] == QLatin1String("legend"))
                return legend(in);
            return palette(in);
        }));
    }
};

QTEST_MAIN(TestCurveLegend)
#include "tst_curvelegend.moc"
