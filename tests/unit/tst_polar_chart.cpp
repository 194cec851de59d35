#include "charts/polar/PolarChart.h"
#include "platform/PictureArea.h"
#include "tables/DataTable.h"

#include <QtTest>
#include <cmath>

using namespace tarvex;

namespace {

const QSize kDesign(333, 333);
const QColor kScreenBack(0, 0, 64);
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);

using Rows = QList<QPair<QString, QString>>;   // degree, load

void fill(DataTable& t, const Rows& rows)
{
    t.setRows(static_cast<int>(rows.size()) + 1);
    t.setTextMatrix(0, 0, QStringLiteral("Degree"));
    t.setTextMatrix(0, 1, QStringLiteral("Load"));
    for (int i = 0; i < rows.size(); ++i) {
        t.setTextMatrix(i + 1, 0, rows[i].first);
        t.setTextMatrix(i + 1, 1, rows[i].second);
    }
}

Rows thirtyDegrees(const QStringList& loads)
{
    Rows r;
    for (int i = 0; i < loads.size(); ++i)
        r.append({QString::number(30 * i), loads[i]});
    return r;
}

// Chart units (-1000..1000, y up) from the recording's relative coordinates.
QPointF chart(const QPointF& rel)
{
    return {rel.x() * 2000 - 1000, 1000 - rel.y() * 2000};
}

QPoint pixel(double x, double y)
{
    return {static_cast<int>(std::floor((x + 1000) / 2000 * kDesign.width())),
            static_cast<int>(std::floor((1000 - y) / 2000 * kDesign.height()))};
}

std::vector<DrawOp> ops(const PictureArea& a, DrawOp::Kind kind, std::optional<QColor> color = {})
{
    std::vector<DrawOp> out;
    for (const DrawOp& op : a.picture()->ops)
        if (op.kind == kind && (!color || op.color == *color))
            out.push_back(op);
    return out;
}

// The measured figure: the red lines in order, as chart points.
QList<QPointF> figure(const PictureArea& a)
{
    QList<QPointF> pts;
    for (const DrawOp& op : ops(a, DrawOp::Line, kRed)) {
        if (pts.isEmpty() || pts.last() != chart(op.a))
            pts << chart(op.a);
        pts << chart(op.b);
    }
    return pts;
}

QList<QPointF> markerCentres(const PictureArea& a)
{
    QList<QPointF> c;
    for (const DrawOp& op : ops(a, DrawOp::Circle))
        if (std::fabs(op.radius * 2000 - 30) < 1e-9)
            c << chart(op.a);
    return c;
}

// True when `color` occurs within one pixel of p (lines are drawn aliased here).
bool colourNear(const QImage& img, QPoint p, const QColor& color)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint q(p.x() + dx, p.y() + dy);
            if (img.rect().contains(q) && img.pixelColor(q) == color)
                return true;
        }
    return false;
}

QImage render(const PictureArea& a)
{
    RenderOptions o;
    o.antialias = false;
    return a.toImage(kDesign, o);
}

bool near(const QPointF& a, const QPointF& b, double tol = 1e-9)
{
    return std::fabs(a.x() - b.x()) <= tol && std::fabs(a.y() - b.y()) <= tol;
}

QString str(const QPointF& p)
{
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

} // namespace

class TestPolarChart : public QObject {
    Q_OBJECT
private slots:
    void backgroundOnScreen()
    {
        PictureArea area(kDesign, kScreenBack);
        InitGraphic(area, QStringLiteral("100"), false);
        QCOMPARE(area.BackColor(), kScreenBack);
        const QImage img = render(area);
        QCOMPARE(img.pixelColor(2, 2), kScreenBack);
        // Rings along the 45-degree diagonal, away from axes and spokes.
        const double d = std::sqrt(0.5);
        QVERIFY(colourNear(img, pixel(500 * d, 500 * d), kWhite));
        QVERIFY(colourNear(img, pixel(250 * d, -250 * d), kYellow));
        QVERIFY(colourNear(img, pixel(-750 * d, 750 * d), kYellow));
        QVERIFY(colourNear(img, pixel(-600 * d, -600 * d), QColor(80, 80, 80)));
        // Spokes end at 900 on the solver's points.
        const auto axis = ops(area, DrawOp::Line, QColor(150, 150, 150));
        QCOMPARE(axis.size(), size_t(12));
        QVERIFY(near(chart(axis[4].b), QPointF(450, 779.42), 0.001));
        QVERIFY(near(chart(axis[11].b), QPointF(-450, 779.42), 0.001));
        QStringList texts;
        for (const DrawOp& op : ops(area, DrawOp::Text)) {
            texts << op.text;
            QCOMPARE(op.color, kWhite);
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("0\u00B0"), QStringLiteral("90\u00B0"), QStringLiteral("180\u00B0"),
                                     QStringLiteral("270\u00B0"), "100", "0", "-100"}));
        // The closing dot on the zero ring is where the next line would start.
        QCOMPARE(area.CurrentX(), 0.0);
        QCOMPARE(area.CurrentY(), 500.0);
    }

    void loadsLandOnTheirRings_data()
    {
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("degree");
        QTest::addColumn<QPointF>("expected");
        QTest::newRow("0 on the zero ring") << "0" << "0" << QPointF(0, 500);
        QTest::newRow("+S on the outer yellow ring") << "100" << "0" << QPointF(0, 750);
        QTest::newRow("-S on the inner yellow ring") << "-100" << "0" << QPointF(0, 250);
        QTest::newRow("20 at 550") << "20" << "0" << QPointF(0, 550);
        QTest::newRow("-300 on the opposite side") << "-300" << "45" << QPointF(-177.59, -175.96);   // 250 out at 225
        QTest::newRow("90 degrees, 50") << "50" << "90" << QPointF(625, 0.5);
        QTest::newRow("blanks around the load") << " 100 " << "180" << QPointF(1.19, -750);
        QTest::newRow("empty degree is bearing 0") << "0" << "" << QPointF(0, 500);
        QTest::newRow("beyond 2S is outside the area") << "500" << "270" << QPointF(-1750, -4.18);
    }
    void loadsLandOnTheirRings()
    {
        QFETCH(QString, load);
        QFETCH(QString, degree);
        QFETCH(QPointF, expected);
        DataTable table;
        fill(table, {{degree, load}, {QStringLiteral("200"), QStringLiteral("0")}});
        PictureArea area(kDesign, kScreenBack);
        QCOMPARE(DrawPolarChart(area, table, QStringLiteral("100"), false), std::nullopt);
        const QList<QPointF> f = figure(area);
        QCOMPARE(f.size(), 3);
        QVERIFY2(near(f.first(), expected), qPrintable(str(f.first())));
        QCOMPARE(f.last(), f.first());   // closed
        // The first point's dot.
        const auto dots = ops(area, DrawOp::Point);
        QCOMPARE(dots.size(), size_t(2));
        QVERIFY(near(chart(dots[1].a), expected));
        QCOMPARE(dots[1].color, kWhite);
        const QImage img = render(area);
        if (std::fabs(expected.x()) < 1000 && std::fabs(expected.y()) < 1000)
            QVERIFY(colourNear(img, pixel(expected.x(), expected.y()), kRed));
    }

    void markers_data()
    {
        QTest::addColumn<QStringList>("loads");
        QTest::addColumn<int>("riseRow");   // 0: the centre
        QTest::addColumn<int>("fallRow");
        QTest::newRow("10 20 15 30 25") << QStringList{"10", "20", "15", "30", "25"} << 4 << 5;
        QTest::newRow("all equal") << QStringList{"40", "40", "40", "40"} << 0 << 0;
        QTest::newRow("only rising") << QStringList{"-10", "0", "10"} << 3 << 0;
        QTest::newRow("only falling") << QStringList{"10", "0", "-10"} << 0 << 3;
        QTest::newRow("same value written differently") << QStringList{"10", "1e1", " 10 "} << 0 << 0;
    }
    void markers()
    {
        QFETCH(QStringList, loads);
        QFETCH(int, riseRow);
        QFETCH(int, fallRow);
        DataTable table;
        fill(table, thirtyDegrees(loads));
        PictureArea area(kDesign, kScreenBack);
        QCOMPARE(DrawPolarChart(area, table, QStringLiteral("100"), false), std::nullopt);
        const QList<QPointF> f = figure(area);
        const QList<QPointF> m = markerCentres(area);
        QCOMPARE(m.size(), 2);
        const QPointF rise = riseRow ? f[riseRow - 1] : QPointF(0, 0);
        const QPointF fall = fallRow ? f[fallRow - 1] : QPointF(0, 0);
        QVERIFY2(near(m[0], rise), qPrintable(str(m[0])));
        QVERIFY2(near(m[1], fall), qPrintable(str(m[1])));
        for (const DrawOp& op : ops(area, DrawOp::Circle))
            if (std::fabs(op.radius * 2000 - 30) < 1e-9)
                QCOMPARE(op.color, kWhite);
    }

    void drawsNothing_data()
    {
        QTest::addColumn<QString>("range");
        QTest::addColumn<int>("dataRows");
        QTest::newRow("letters") << "abc" << 3;
        QTest::newRow("zero") << "0" << 3;
        QTest::newRow("negative") << "-50" << 3;
        QTest::newRow("empty") << "" << 3;
        QTest::newRow("one data row") << "100" << 1;
        QTest::newRow("headings only") << "100" << 0;
    }
    void drawsNothing()
    {
        QFETCH(QString, range);
        QFETCH(int, dataRows);
        DataTable table;
        fill(table, thirtyDegrees(QStringList{"1", "2", "3"}.mid(0, dataRows)));
        for (bool printing : {false, true}) {
            PictureArea area(kDesign, kScreenBack);
            area.PSet(1, 1);
            const Picture before = area.picture();
            QCOMPARE(DrawPolarChart(area, table, range, printing), std::nullopt);
            QCOMPARE(area.picture(), before);
            QCOMPARE(area.BackColor(), kScreenBack);
        }
    }

    void badLoadStopsAndLeavesTheFigureOpen_data()
    {
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("description");
        QTest::newRow("empty") << "" << "Row 3: the load cell is empty.";
        QTest::newRow("blank") << "  " << "Row 3: the load cell is empty.";
        QTest::newRow("letters") << "abc" << "Row 3: the load \"abc\" is not a number.";
        QTest::newRow("trailing text") << "12kg" << "Row 3: the load \"12kg\" is not a number.";
        QTest::newRow("infinity") << "inf" << "Row 3: the load \"inf\" is not a number.";
        QTest::newRow("too large for the range") << "1e308"
                                                 << "Row 3: the load 1e308 is too large for the scale range 1e-300.";
    }
    void badLoadStopsAndLeavesTheFigureOpen()
    {
        QFETCH(QString, bad);
        QFETCH(QString, description);
        DataTable table;
        fill(table, thirtyDegrees({"0", "0", bad, "0"}));
        PictureArea area(kDesign, kScreenBack);
        const QString range = bad == QLatin1String("1e308") ? QStringLiteral("1e-300") : QStringLiteral("100");
        const auto failure = DrawPolarChart(area, table, range, false);
        QCOMPARE(failure, std::optional<QString>(description));
        QCOMPARE(figure(area).size(), 2);          // row 1 to row 2, not closed
        QVERIFY(markerCentres(area).isEmpty());
        QCOMPARE(ops(area, DrawOp::Text).size(), size_t(7));   // the background stays
    }

    void loadsAreReadInTheUsersNumberFormat()
    {
        const QLocale user = QLocale::system();
        DataTable table;
        fill(table, {{"0", user.toString(-12.5)}, {"90", user.toString(1.25e2, 'e')}});
        PictureArea area(kDesign, kScreenBack);
        QCOMPARE(DrawPolarChart(area, table, QStringLiteral("100"), false), std::nullopt);
        const QList<QPointF> f = figure(area);
        QCOMPARE(f.size(), 3);
        QVERIFY2(near(f[0], QPointF(0, 468.75)), qPrintable(str(f[0])));
        QVERIFY2(near(f[1], QPointF(812.5, 0.65)), qPrintable(str(f[1])));
    }

    void rangeBeyondDoubleIsReported()
    {
        DataTable table;
        fill(table, thirtyDegrees({"1", "2"}));
        PictureArea area(kDesign, kScreenBack);
        QCOMPARE(DrawPolarChart(area, table, QStringLiteral("1e999"), false),
                 std::optional<QString>(QStringLiteral("The scale range \"1e999\" is too large.")));
        QVERIFY(area.picture()->ops.empty());
    }

    void badFirstLoadLeavesOnlyTheBackground()
    {
        DataTable table;
        fill(table, thirtyDegrees({"x", "0"}));
        PictureArea area(kDesign, kScreenBack);
        QVERIFY(DrawPolarChart(area, table, QStringLiteral("100"), false));
        QVERIFY(figure(area).isEmpty());
        QCOMPARE(ops(area, DrawOp::Point).size(), size_t(1));   // the background's own dot
    }

    void plotDrawsOverTheEarlierFigure()
    {
        DataTable table;
        fill(table, thirtyDegrees({"0", "50", "100"}));
        PictureArea area(kDesign, kScreenBack);
        QVERIFY(!DrawPolarChart(area, table, QStringLiteral("100"), false));
        fill(table, thirtyDegrees({"-50", "-50", "-50"}));
        QVERIFY(!DrawPolarChart(area, table, QStringLiteral("200"), false));
        const QList<QPointF> f = figure(area);
        QCOMPARE(f.size(), 8);                          // two closed triangles
        QVERIFY(near(f[0], QPointF(0, 500)));
        QVERIFY(near(f[4], QPointF(0, 437.5)));
        QStringList texts;
        for (const DrawOp& op : ops(area, DrawOp::Text))
            texts << op.text;
        QVERIFY(texts.contains("-100") && texts.contains("-200"));
    }

    void printCopy()
    {
        DataTable table;
        fill(table, thirtyDegrees({"10", "20", "15", "30", "25", "-40"}));
        PictureArea screen(kDesign, kScreenBack);
        QVERIFY(!DrawPolarChart(screen, table, QStringLiteral("100"), false));

        PictureArea paper(QSize(500, 500), QColor(255, 255, 255));
        paper.setBackColor(QColor(10, 200, 10));   // something an earlier copy left
        paper.Line(0, 0, 100, 100);
        paper.setDrawWidth(3);
        QVERIFY(!DrawPolarChart(paper, table, QStringLiteral("100"), true));

        QCOMPARE(paper.BackColor(), QColor(255, 255, 255));
        QCOMPARE(figure(paper), figure(screen));       // same figure, same place
        QVERIFY(markerCentres(paper).isEmpty());
        const auto rings = ops(paper, DrawOp::Circle, kBlue);
        QCOMPARE(rings.size(), size_t(3));
        for (const DrawOp& op : paper.picture()->ops) {
            QCOMPARE(op.width, 1);
            if (op.kind == DrawOp::Text || op.kind == DrawOp::Point)
                QCOMPARE(op.color, QColor(0, 0, 0));
        }
        RenderOptions o;
        o.antialias = false;
        const QImage img = paper.toImage(kDesign, o);
        QCOMPARE(img.pixelColor(2, 2), QColor(255, 255, 255));
        const double d = std::sqrt(0.5);
        QVERIFY(colourNear(img, pixel(500 * d, 500 * d), kBlue));
        QVERIFY(colourNear(img, pixel(-250 * d, 250 * d), kBlue));
        QVERIFY(colourNear(img, pixel(750 * d, -750 * d), kBlue));
    }
};

QTEST_MAIN(TestPolarChart)
#include "tst_polar_chart.moc"
