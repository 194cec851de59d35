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
#include <tuple>

using namespace tarvex;

namespace {

// style | number => colour dash
// palette | count => how many looks differ, the two nearest colours
QString palette(const QStringList& in)
{
    const auto look = [](int i) {
        static const char* const dashes[] = {"solid", "dash", "dot", "dash-dot", "dash-dot-dot"};
        return XYCurveStyle(i).colour.name() + QLatin1Char(' ') + QLatin1String(dashes[XYCurveStyle(i).dash]);
    };
    if (in[0] == QLatin1String("style"))
        return look(in[1].toInt());
    QSet<QString> looks;
    std::tuple<double, int, int> nearest{1e9, 0, 0};   // the two nearest colours of a round
    for (int i = 1; i <= in[1].toInt(); ++i) {
        looks.insert(look(i));
        for (int j = 1; j < i && i <= kPaletteColours; ++j) {
            const QColor a = XYCurveStyle(i).colour, b = XYCurveStyle(j).colour;
            nearest = std::min(nearest, {std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue()), j, i});
        }
    }
    return QStringLiteral("%1 looks of %2, nearest colours %3 apart (%4 and %5)")
        .arg(looks.size()).arg(in[1]).arg(std::lround(std::get<0>(nearest))).arg(std::get<1>(nearest)).arg(std::get<2>(nearest));
}

// What is wrong with rectangles that are to lie within `room` and apart:
// edges that meet, or miss by rounding, are neither over nor out.
QString faults(const std::vector<std::optional<QRectF>>& rects, const QRectF& room)
{
    QStringList wrong;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const QRectF r = rects[i].value_or(QRectF()).normalized();
        const double e = 1e-6 * r.height();
        if (rects[i] && !room.normalized().adjusted(-e, -e, e, e).contains(r))
            wrong << QStringLiteral("%1 out").arg(i + 1);
        for (std::size_t j = 0; j < i && rects[i]; ++j)
            if (rects[j] && rects[j]->normalized().adjusted(e, e, -e, -e).intersects(r.adjusted(e, e, -e, -e)))
                wrong << QStringLiteral("%1 over %2").arg(i + 1).arg(j + 1);
    }
    return wrong.isEmpty() ? QString() : QStringLiteral(" | ") + wrong.join(QStringLiteral(", "));
}

// labels | bounds x,y,w,h | label x,y,w,h; ... ("N*" repeats one) => where
// each went ("-" left out) | any out of the bounds or over another
QString labels(const QStringList& in)
{
    const auto rect = [](const QString& t) { return QRectF(QPointF(t.section(',', 0, 0).toDouble(), t.section(',', 1, 1).toDouble()),
                                                           QSizeF(t.section(',', 2, 2).toDouble(), t.section(',', 3, 3).toDouble())); };
    std::vector<QRectF> wanted;
    for (const QString& item : in[2].split(QStringLiteral("; ")))
        for (int i = 0, n = item.contains(QLatin1Char('*')) ? item.section(QLatin1Char('*'), 0, 0).toInt() : 1; i < n; ++i)
            wanted.push_back(rect(item.section(QLatin1Char('*'), -1)));
    const auto placed = PlaceLabels(wanted, rect(in[1]));
    QStringList out;
    for (const std::optional<QRectF>& r : placed)
        out << (r ? QStringLiteral("%1,%2").arg(r->left()).arg(r->top()) : QStringLiteral("-"));
    return out.join(QLatin1Char(' ')) + faults(placed, rect(in[1]));
}

// legend | scale (pixels, or chart: y up) | room: lines x letters (or "fit",
// as wide as LegendWidth asks) | entries: count and name length [| row
// spacing in lines] => rows, columns, hidden, shortened names | any slot
// out of the room or over another
QString legend(const QStringList& in)
{
    PictureArea area(QSize(499, 292), QColor(0, 0, 64));
    if (in[1] == QLatin1String("chart"))
        area.setScale(xychart::kLeft, xychart::kTop, xychart::kRight, xychart::kBottom);
    const QStringList size = in[2].split(QLatin1Char('x')), what = in[3].split(QLatin1Char(' '));
    const double line = area.TextHeight(), letter = area.TextWidth(QStringLiteral("n"));
    std::vector<LegendEntry> entries;
    for (int i = 1; i <= what[0].toInt(); ++i)
        entries.push_back({QStringLiteral("%1 ").arg(i) + QString(what.value(1).toInt(), QLatin1Char('n')),
                           XYCurveStyle(i).colour, XYCurveStyle(i).dash});
    const double wide = size[1] == QLatin1String("fit") ? LegendWidth(area, entries) : size[1].toDouble() * letter;
    const QPointF corner(area.ScaleLeft() + 10 * letter, area.ScaleTop() + 2 * line);
    const QRectF room(corner, corner + QPointF(wide, size[0].toDouble() * line));
    const LegendLayout l = LayOutLegend(area, entries, room, in.value(4, QStringLiteral("1")).toDouble());
    int shortened = 0;
    std::vector<std::optional<QRectF>> taken;
    for (const LegendSlot& slot : l.places) {
        shortened += slot.text.endsWith(QChar(0x2026)) ? 1 : 0;
        taken.push_back(QRectF(QPointF(slot.sample ? slot.left : slot.textX, slot.top),
                               QPointF(slot.textX + area.TextWidth(slot.text), slot.top + line)));
    }
    QString out = QStringLiteral("%1 rows, %2 columns, %3 hidden, %4 shortened").arg(l.rows).arg(l.columns).arg(l.hidden).arg(shortened);
    if (l.hidden > 0)
        out += QStringLiteral(", last \"%1\"").arg(l.places.back().text);
    return out + faults(taken, room);
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
