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

// The drawing as a display list under tests/golden/charts/; unnamed (a
// drawing too long to keep), its size.
QString drawing(const PictureArea& area, const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral(" | %1 ops").arg(area.picture()->ops.size());
    const QString why = golden::compare(QStringLiteral("charts/%1.txt").arg(name), golden::displayList(area).toUtf8());
    return why.isEmpty() ? QString() : QStringLiteral(" | ") + why;
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
        const Result<> eliminated = what == QLatin1String("back") ? Result<>() : EliminateForward(a);
        if (eliminated) {
            const Solution u = BackSubstitute(a, say);
            out = QStringLiteral("[%1 %2 %3 / %4 %5 %6] u %7 %8").arg(num(a[0][0]), num(a[0][1]), num(a[0][2]), num(a[1][0]),
                                                                      num(a[1][1]), num(a[1][2]), num(u[0]), num(u[1]));
        } else {
            say(eliminated.message());
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
            golden::must(DrawPolarChart(area, table, in[1], printing, say));
        }
        if (area.picture() == before)
            return QStringLiteral("nothing drawn") + (drawn.ok() ? QString() : QStringLiteral(" | ") + golden::show(drawn.message()));
        out = (drawn.ok() ? QStringLiteral("drawn") : golden::show(drawn.message())) + drawing(area, in.value(3));
    } else if (what == QLatin1String("range")) {   // range | range | rows | unit => the range in words
        DataTable table;
        fill(table, in[2]);
        out = PolarRangeWords(in[1], table, in[3]);
        if (in.size() > 4) {   // and the print copy drawn at it
            PictureArea area(QSize(333, 333), Qt::white);
            if (const Result<> drawn = DrawPolarChart(area, table, in[1], true, say); !drawn.ok())
                out += QStringLiteral(" | ") + drawn.message();
            out += drawing(area, in[4]);
            if (const QString keep = qEnvironmentVariable("TARVEX_KEEP_REPORT"); !keep.isEmpty())
                area.toImage().save(keep + QStringLiteral("/%1.png").arg(in[4]));
        }
    } else if (what == QLatin1String("sine")) {
        DataTable table;
        fill(table, in[2]);
        PictureArea area(QSize(615, 351), QColor(0, 0, 64));
        const bool drawn = DrawSineView(area, table, in[1]).ok();
        const auto step = SineColumnStep(table.Rows());
        out = QStringLiteral("%1, step %2 | pen w%3")
                  .arg(drawn ? QStringLiteral("drawn") : QStringLiteral("stopped"))
                  .arg(step ? QString::number(*step) : QStringLiteral("none"))
                  .arg(area.DrawWidth())
            + (area.picture()->ops.empty() ? QStringLiteral(" | nothing drawn") : drawing(area, in.value(3)));
    } else if (what == QLatin1String("sinefit")) {
        DataTable table;
        fill(table, in[2]);
        PictureArea area(QSize(615, 351), QColor(0, 0, 64));
        const SpineAnalysis a = AnalyzeSpine(NumberRowsOf(table).points);
        const bool zoomed = in[3].contains(QLatin1String("zoom"));
        const SineZoom zoom = (zoomed ? ZoomedSineScale(table, a) : std::nullopt).value_or(SineZoom{0.0, in[1].toDouble()});
        const QString range = QString::number(zoom.range, 'g', 17);
        (void)DrawSineView(area, table, range, zoom.centre);   // the fit is drawn over whatever the view managed
        DrawSineFit(area, table, range, a, in[3].contains(QLatin1String("parts")), zoom.centre);
        out = (zoomed ? QStringLiteral("zoom %1 +- %2").arg(zoom.centre).arg(zoom.range) : QStringLiteral("drawn")) + drawing(area, in.value(4));
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
        DataTable mine, plain;
        fill(mine, QStringLiteral("0,%1;90,%2").arg(user.toString(-12.5), user.toString(1.25e2, 'e')));
        fill(plain, QStringLiteral("0,-12.5;90,125"));
        PictureArea a(QSize(333, 333), QColor(0, 0, 64)), b(QSize(333, 333), QColor(0, 0, 64));
        QVERIFY(DrawPolarChart(a, mine, QStringLiteral("100"), false).ok() && DrawPolarChart(b, plain, QStringLiteral("100"), false).ok());
        QCOMPARE(golden::displayList(a), golden::displayList(b));
    }
};

QTEST_MAIN(TestPolar)
#include "tst_polar.moc"
