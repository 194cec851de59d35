// The polar table's drawings: the point solver (worked examples), the polar
// chart and the sine view. Cases are in tests/golden/polar.txt; the drawings
// named there are display lists under tests/golden/charts/, in chart units.
#include "Golden.h"
#include "analysis/SpineAnalysis.h"
#include "charts/polar/PolarChart.h"
#include "charts/polar/SineView.h"
#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <QtTest>
#include <cmath>

using namespace tarvex;
using namespace tarvex::polar_solver;

namespace {

QString num(double v)
{
    return std::signbit(v) && v == 0 ? QStringLiteral("-0") : QString::number(v, 'g', 10);
}

QString point(const QPointF& p) { return QLatin1Char('(') + golden::number(p.x()) + QLatin1Char(' ') + golden::number(p.y()) + QLatin1Char(')'); }

// "degree,load;...", "even N": N rows at an even interval, loads 80 sin(angle),
// or "shaft N MEAN SPINE%@DEG BEND@DEG": N rows of a shaft with that spine and bend.
void fill(DataTable& t, const QString& rows)
{
    QStringList list = rows.split(QLatin1Char(';'));
    if (rows.startsWith(QLatin1String("shaft "))) {
        const QStringList f = rows.split(QLatin1Char(' '));
        const int n = f[1].toInt();
        const double mean = f[2].toDouble(), spine = f[3].section('@', 0, 0).toDouble() * mean / 200,
                     spineAt = f[3].section('@', 1).toDouble(), bend = f[4].section('@', 0, 0).toDouble(),
                     bendAt = f[4].section('@', 1).toDouble();
        list.clear();
        for (int i = 0; i < n; ++i) {
            const double deg = 360.0 * i / n;
            list << NumberText(deg) + QLatin1Char(',')
                    + NumberText(mean + bend * std::cos((deg - bendAt) / 180 * kChartPi)
                                 + spine * std::cos(2 * (deg - spineAt) / 180 * kChartPi));
        }
    } else if (rows.startsWith(QLatin1String("even "))) {
        const int n = rows.mid(5).toInt();
        list.clear();
        for (int i = 0; i < n; ++i) {
            const double deg = 360.0 * i / n;
            list << NumberText(deg) + QLatin1Char(',') + NumberText(std::round(80 * std::sin(deg / 180 * kChartPi)));
        }
    }
    golden::fill(t, QStringList{QStringLiteral("Degree,Load")} + list, 0);
}

QString drawing(const PictureArea& area, const QString& name)
{
    return name.isEmpty() ? QString() : golden::compare(QStringLiteral("charts/%1.txt").arg(name), golden::displayList(area).toUtf8());
}

// The figure (red lines as points), the circled rise and fall, the dots.
QString polarSummary(const PictureArea& area)
{
    QStringList figure, markers, dots;
    const auto at = [&](QPointF r) { return QPointF(area.ScaleLeft() + r.x() * area.ScaleWidth(), area.ScaleTop() + r.y() * area.ScaleHeight()); };
    for (const DrawOp& op : area.picture()->ops) {
        if (op.kind == DrawOp::Line && op.color == polar_colors::kFigure) {
            if (figure.isEmpty() || figure.last() != point(at(op.a)))
                figure << point(at(op.a));
            figure << point(at(op.b));
        } else if (op.kind == DrawOp::Circle && std::fabs(op.radius * 2000 - 30) < 1e-9) {
            markers << point(at(op.a)) + QLatin1Char(' ') + op.color.name();
        } else if (op.kind == DrawOp::Point) {
            dots << point(at(op.a));
        }
    }
    return QStringLiteral("figure %1 | markers %2 | dots %3 | %4 ops")
        .arg(figure.join(QLatin1Char(' ')), markers.join(QLatin1Char(' ')), dots.join(QLatin1Char(' ')))
        .arg(area.picture()->ops.size());
}

// The fitted curve and its parts over a sine view: how far the fit passes
// from the readings at their columns, and the span of each curve in loads.
QString sineFitSummary(const PictureArea& area, double range, double centre)
{
    const auto at = [&](QPointF r) { return QPointF(area.ScaleLeft() + r.x() * area.ScaleWidth(), area.ScaleTop() + r.y() * area.ScaleHeight()); };
    QMap<long, double> readings;
    struct Span { int lines = 0; double low = 1e300, high = -1e300; QMap<long, double> at; Qt::PenStyle style = Qt::SolidLine; };
    QMap<QString, Span> spans;
    const QMap<QRgb, QString> names{{sine_colors::kFit.rgb(), "fit"}, {sine_colors::kOnce.rgb(), "once"}, {sine_colors::kTwice.rgb(), "twice"}};
    for (const DrawOp& op : area.picture()->ops) {
        if (op.kind != DrawOp::Line)
            continue;
        const QPointF a = at(op.a), b = at(op.b);
        if (op.color == sine_colors::kCurve) {
            readings[std::lround(a.x())] = a.y();
            readings[std::lround(b.x())] = b.y();
        } else if (names.contains(op.color.rgb())) {
            Span& s = spans[names[op.color.rgb()]];
            ++s.lines;
            s.style = op.style;
            for (const QPointF& p : {a, b}) {
                s.low = std::min(s.low, centre + p.y() * range / 500);
                s.high = std::max(s.high, centre + p.y() * range / 500);
                s.at[std::lround(p.x())] = p.y();
            }
        }
    }
    QStringList out;
    for (auto it = spans.cbegin(); it != spans.cend(); ++it) {
        QString line = QStringLiteral("%1 %2 lines%3 from %4 to %5")
                           .arg(it.key()).arg(it->lines).arg(it->style == Qt::SolidLine ? QString() : QStringLiteral(" dotted"))
                           .arg(it->low, 0, 'f', 3).arg(it->high, 0, 'f', 3);
        if (it.key() == QLatin1String("fit")) {
            double miss = 0;
            for (auto r = readings.cbegin(); r != readings.cend(); ++r)
                if (it->at.contains(r.key()))
                    miss = std::max(miss, std::fabs(it->at[r.key()] - *r) * range / 500);
            line += QStringLiteral(", misses the readings by %1").arg(miss, 0, 'f', 4);
        }
        out << line;
    }
    return out.isEmpty() ? QStringLiteral("no fit drawn") : out.join(QStringLiteral(" | "));
}

// Columns of the grid, the labels left and under, the zero line, the curve.
QString sineSummary(const PictureArea& area)
{
    QList<double> columns;
    QStringList left, angles, curve, dots;
    int rows = 0, zero = 0;
    const auto at = [&](QPointF r) { return QPointF(area.ScaleLeft() + r.x() * area.ScaleWidth(), area.ScaleTop() + r.y() * area.ScaleHeight()); };
    for (const DrawOp& op : area.picture()->ops) {
        const QPointF a = at(op.a), b = at(op.b);
        if (op.kind == DrawOp::Line && op.color == sine_colors::kGrid)
            std::fabs(a.x() - b.x()) < 1e-6 ? void(columns << a.x()) : void(++rows);
        else if (op.kind == DrawOp::Line && op.color == sine_colors::kFore)
            ++zero;
        else if (op.kind == DrawOp::Line && op.color == sine_colors::kCurve)
            curve << (curve.isEmpty() ? point(a) + QLatin1Char(' ') : QString()) + point(b);
        else if (op.kind == DrawOp::Text)
            (std::fabs(a.x() + 650) < 1e-6 ? left : angles) << golden::show(op.text);
        else if (op.kind == DrawOp::Point)
            dots << point(a);
    }
    const auto brief = [](const QStringList& l) {
        return l.size() <= 12 ? l.join(QLatin1Char(' ')) : QStringLiteral("%1 .. %2 (%3)").arg(l.first(), l.last()).arg(l.size());
    };
    return QStringLiteral("%1 columns, last at %2 | %3 rows | left %4 | angles %5 | zero lines %6 | dots %7 | curve %8")
        .arg(columns.size()).arg(columns.isEmpty() ? QStringLiteral("-") : golden::number(columns.last())).arg(rows)
        .arg(brief(left), brief(angles)).arg(zero).arg(dots.join(QLatin1Char(' ')), brief(curve));
}

QString run(const QStringList& in)
{
    const QString& what = in[0];
    QStringList said;
    const MessageSink say = [&](const QString& m) { said << m; };
    QString out;
    if (what == QLatin1String("solve")) {
        const ChartPoint p = SolvePolarPoint(in[1].toDouble(), in[2].toDouble(), say);
        out = num(p.X) + QLatin1Char(' ') + num(p.Y);
    } else if (what == QLatin1String("eliminate") || what == QLatin1String("back")) {
        const QStringList r1 = in[1].split(QLatin1Char(' ')), r2 = in[2].split(QLatin1Char(' '));
        Augmented a{{{r1[0].toDouble(), r1[1].toDouble(), r1[2].toDouble()}, {r2[0].toDouble(), r2[1].toDouble(), r2[2].toDouble()}}};
        if (what == QLatin1String("back") || EliminateForward(a, say)) {
            const Solution u = BackSubstitute(a, say);
            out = QStringLiteral("[%1 %2 %3 / %4 %5 %6] u %7 %8").arg(num(a[0][0]), num(a[0][1]), num(a[0][2]), num(a[1][0]),
                                                                      num(a[1][1]), num(a[1][2]), num(u[0]), num(u[1]));
        } else {
            out = QStringLiteral("no elimination");
        }
    } else if (what == QLatin1String("polar") || what == QLatin1String("paper")) {
        DataTable table;
        fill(table, in[2]);
        const bool printing = what == QLatin1String("paper");
        PictureArea area(printing ? QSize(500, 500) : QSize(333, 333), QColor(0, 0, 64));
        if (printing) {   // something an earlier copy left
            area.setBackColor(QColor(10, 200, 10));
            area.Line(0, 0, 100, 100);
            area.setDrawWidth(3);
        }
        area.PSet(1, 1);
        const Picture before = area.picture();
        const Result<> drawn = DrawPolarChart(area, table, in[1], printing, say);
        if (in.size() > 4) {   // Plot again over it, as the window does
            fill(table, in[4]);
            DrawPolarChart(area, table, in[1], printing, say);
        }
        if (area.picture() == before)
            return QStringLiteral("nothing drawn") + (drawn.ok() ? QString() : QStringLiteral(" | ") + golden::show(drawn.message));
        if (const QString why = drawing(area, in.value(3)); !why.isEmpty())
            return why;
        out = (drawn.ok() ? QStringLiteral("drawn") : golden::show(drawn.message)) + QStringLiteral(" | ") + polarSummary(area);
    } else if (what == QLatin1String("sine")) {
        DataTable table;
        fill(table, in[2]);
        PictureArea area(QSize(615, 351), QColor(0, 0, 64));
        const bool drawn = DrawSineView(area, table, in[1]);
        const auto step = SineColumnStep(table.Rows());
        if (const QString why = drawing(area, in.value(3)); !why.isEmpty())
            return why;
        out = QStringLiteral("%1, step %2 | %3 | pen w%4")
                  .arg(drawn ? QStringLiteral("drawn") : QStringLiteral("stopped"))
                  .arg(step ? QString::number(*step) : QStringLiteral("none"))
                  .arg(area.picture()->ops.empty() ? QStringLiteral("nothing drawn") : sineSummary(area))
                  .arg(area.DrawWidth());
    } else if (what == QLatin1String("sinefit")) {
        DataTable table;
        fill(table, in[2]);
        PictureArea area(QSize(615, 351), QColor(0, 0, 64));
        const SpineAnalysis a = AnalyzeSpine(NumberRowsOf(table).points);
        const bool zoomed = in[3].contains(QLatin1String("zoom"));
        const SineZoom zoom = (zoomed ? ZoomedSineScale(table, a) : std::nullopt).value_or(SineZoom{0.0, in[1].toDouble()});
        const QString range = QString::number(zoom.range, 'g', 17);
        DrawSineView(area, table, range, zoom.centre);
        DrawSineFit(area, table, range, a, in[3].contains(QLatin1String("parts")), zoom.centre);
        out = sineFitSummary(area, zoom.range, zoom.centre);
        if (zoomed) {
            QStringList left;
            for (const DrawOp& op : area.picture()->ops)
                if (op.kind == DrawOp::Text && op.a.x() < 0.02)
                    left << op.text.trimmed();
            out = QStringLiteral("zoom %1 +- %2, labels %3 | ").arg(zoom.centre).arg(zoom.range).arg(left.join(' ')) + out;
        }
    } else {
        return QStringLiteral("unknown");
    }
    return said.isEmpty() ? out : out + QStringLiteral(" | ") + said.join(QStringLiteral(" | "));
}

} // namespace

class TestPolar : public QObject {
    Q_OBJECT
private slots:
    void cases() { GOLDEN_VERIFY(golden::cases("polar.txt", run)); }

    // Loads are read in the user's own number format.
    void loadsInTheUsersNumberFormat()
    {
        const QLocale user = QLocale::system();
        DataTable table;
        fill(table, QStringLiteral("0,%1;90,%2").arg(user.toString(-12.5), user.toString(1.25e2, 'e')));
        PictureArea area(QSize(333, 333), QColor(0, 0, 64));
        QVERIFY(DrawPolarChart(area, table, QStringLiteral("100"), false).ok());
        QVERIFY2(polarSummary(area).startsWith(QStringLiteral("figure (0 468.75) (812.5 0.65) (0 468.75) |")), qPrintable(polarSummary(area)));
    }
};

QTEST_MAIN(TestPolar)
#include "tst_polar.moc"
