#include "charts/polar/SineView.h"
#include "platform/PictureArea.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"

#include <QtTest>
#include <cmath>

using namespace tarvex;

namespace {

const QSize kDesign(615, 351);
const QColor kGrid(80, 80, 80);
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

void fill(DataTable& t, const QStringList& degrees, const QStringList& loads)
{
    t.setRows(static_cast<int>(degrees.size()) + 1);
    for (int i = 0; i < degrees.size(); ++i) {
        t.setTextMatrix(i + 1, 0, degrees[i]);
        t.setTextMatrix(i + 1, 1, i < loads.size() ? loads[i] : QString());
    }
}

// `count` rows at an even interval, loads a sine of the angle.
void evenTable(DataTable& t, int count)
{
    QStringList d, l;
    for (int i = 0; i < count; ++i) {
        const double deg = 360.0 * i / count;
        d << NumberText(deg);
        l << NumberText(std::round(80 * std::sin(deg / 180 * 3.14159265358979)));
    }
    fill(t, d, l);
}

// Sine view units: x -700..10500, y 550 down to -650.
QPointF unit(const QPointF& rel)
{
    return {rel.x() * 11200 - 700, 550 - rel.y() * 1200};
}

bool same(const QPointF& a, const QPointF& b)
{
    return std::fabs(a.x() - b.x()) < 1e-6 && std::fabs(a.y() - b.y()) < 1e-6;
}

struct Drawn {
    QList<double> columns;       // x of the vertical grid lines
    QList<double> rows;          // y of the horizontal grid lines
    QStringList leftLabels;      // bottom to top
    QList<QPointF> leftAt;
    QStringList angleLabels;
    QList<QPointF> angleAt;
    int zeroLines = 0;
    QList<QPointF> dots;         // white points
    QList<QPointF> curve;        // red line vertices
    QList<int> curveWidths;
};

Drawn read(const PictureArea& area)
{
    Drawn d;
    for (const DrawOp& op : area.picture()->ops) {
        const QPointF a = unit(op.a), b = unit(op.b);
        switch (op.kind) {
        case DrawOp::Line:
            if (op.color == kGrid && std::fabs(a.x() - b.x()) < 1e-6)
                d.columns << a.x();
            else if (op.color == kGrid)
                d.rows << a.y();
            else if (op.color == kWhite)
                ++d.zeroLines;
            else if (op.color == kRed) {
                if (d.curve.isEmpty())
                    d.curve << a;
                d.curve << b;
                d.curveWidths << op.width;
            }
            break;
        case DrawOp::Text:
            if (std::fabs(a.x() + 650) < 1e-6) {
                d.leftLabels << op.text;
                d.leftAt << a;
            } else {
                d.angleLabels << op.text;
                d.angleAt << a;
            }
            break;
        case DrawOp::Point:
            d.dots << a;
            break;
        default:
            break;
        }
    }
    return d;
}

} // namespace

class TestSineView : public QObject {
    Q_OBJECT
private slots:
    void fourRows()
    {
        DataTable table;
        fill(table, {"0", "90", "180", "270"}, {"0", "50", "100", "-100"});
        PictureArea area(kDesign, QColor(0, 0, 64));
        QVERIFY(DrawSineView(area, table, QStringLiteral("100")));
        const Drawn d = read(area);
        QCOMPARE(d.columns, (QList<double>{0, 3333, 6666, 9999}));
        QCOMPARE(d.angleLabels, (QStringList{"0", "90", "180", "270"}));
        for (int i = 0; i < 4; ++i)
            QVERIFY(same(d.angleAt[i], QPointF(3333 * i - 200, -550)));
        QCOMPARE(d.rows.size(), 11);
        QCOMPARE(d.leftLabels, (QStringList{"-100 ", "-80 ", "-60 ", "-40 ", "-20 ", " 0 ", " 20 ", " 40 ",
                                            " 60 ", " 80 ", " 100 "}));
        for (int i = 0; i < 11; ++i)
            QVERIFY(same(d.leftAt[i], QPointF(-650, -500 + 100 * i + 30)));
        QCOMPARE(d.zeroLines, 1);
        QCOMPARE(d.dots.size(), 1);
        QVERIFY(same(d.dots[0], QPointF(0, 0)));
        QCOMPARE(d.curve.size(), 4);
        const QList<QPointF> expected{{0, 0}, {3333, 250}, {6666, 500}, {9999, -500}};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(same(d.curve[i], expected[i]), qPrintable(QString::number(i)));
        QCOMPARE(d.curveWidths, (QList<int>{2, 2, 2}));
        QCOMPARE(area.DrawWidth(), 1);

        // The curve is red and the grid grey on the rendered image.
        RenderOptions o;
        o.antialias = false;
        const QImage img = area.toImage(kDesign, o);
        const auto px = [](double x, double y) {
            return QPoint(int((x + 700) / 11200 * 615), int((550 - y) / 1200 * 351));
        };
        QCOMPARE(img.pixelColor(px(4999.5, 375)), kRed);
        QCOMPARE(img.pixelColor(px(2000, -300)), kGrid);
    }

    void scaleLabels_data()
    {
        QTest::addColumn<QString>("range");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("33: single-precision fifth")
            << "33"
            << QStringList{"-32.9999995231628 ", "-26.3999996185303 ", "-19.7999997138977 ",
                           "-13.1999998092651 ", "-6.59999990463257 ", " 0 ", " 6.59999990463257 ",
                           " 13.1999998092651 ", " 19.7999997138977 ", " 26.3999996185303 ", " 32.9999995231628 "};
        QTest::newRow("negative range") << "-50"
                                        << QStringList{" 50 ", " 40 ", " 30 ", " 20 ", " 10 ", " 0 ", "-10 ",
                                                       "-20 ", "-30 ", "-40 ", "-50 "};
        QTest::newRow("fraction") << "0.5"
                                  << QStringList{"-0.500000007450581 ", "-0.400000005960464 ", "-0.300000004470348 ",
                                                 "-0.200000002980232 ", "-0.100000001490116 ", " 0 ",
                                                 " 0.100000001490116 ", " 0.200000002980232 ", " 0.300000004470348 ",
                                                 " 0.400000005960464 ", " 0.500000007450581 "};
    }
    void scaleLabels()
    {
        QFETCH(QString, range);
        QFETCH(QStringList, labels);
        DataTable table;
        fill(table, {"0", "180"}, {"1", "2"});
        PictureArea area(kDesign, QColor(0, 0, 64));
        QVERIFY(DrawSineView(area, table, range));
        QCOMPARE(read(area).leftLabels, labels);
    }

    void columns_data()
    {
        QTest::addColumn<int>("dataRows");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("columns");
        QTest::newRow("90") << 4 << 3333 << 4;
        QTest::newRow("60") << 6 << 2000 << 6;
        QTest::newRow("45") << 8 << 1429 << 7;
        QTest::newRow("30") << 12 << 909 << 12;
        QTest::newRow("15") << 24 << 435 << 23;
        QTest::newRow("10") << 36 << 286 << 35;
        QTest::newRow("5") << 72 << 141 << 71;
        QTest::newRow("2") << 180 << 56 << 179;
        QTest::newRow("1") << 360 << 28 << 358;
        QTest::newRow("two rows") << 2 << 10000 << 2;
        QTest::newRow("312.5 rounds to even") << 33 << 312 << 33;
    }
    void columns()
    {
        QFETCH(int, dataRows);
        QFETCH(int, step);
        QFETCH(int, columns);
        QCOMPARE(SineColumnStep(dataRows + 1), std::optional<int>(step));
        DataTable table;
        evenTable(table, dataRows);
        PictureArea area(kDesign, QColor(0, 0, 64));
        QVERIFY(DrawSineView(area, table, QStringLiteral("100")));
        const Drawn d = read(area);
        QCOMPARE(d.columns.size(), columns);
        QCOMPARE(d.angleLabels.size(), columns);
        QCOMPARE(d.curve.size(), columns);
        QCOMPARE(d.angleLabels.last(), table.TextMatrix(columns, 0));
        QCOMPARE(d.curve.last().x(), double((columns - 1) * step));
    }

    void tenDegreesLeavesOutTheLastRow()
    {
        DataTable table;
        evenTable(table, 36);
        PictureArea area(kDesign, QColor(0, 0, 64));
        QVERIFY(DrawSineView(area, table, QStringLiteral("100")));
        const Drawn d = read(area);
        QCOMPARE(d.angleLabels.last(), QStringLiteral("340"));
        QVERIFY(!d.angleLabels.contains(QStringLiteral("350")));
    }

    void columnWithoutARowFails()
    {
        // 200 rows: step 50, 201 columns; the 201st has no row to label.
        DataTable table;
        evenTable(table, 200);
        PictureArea area(kDesign, QColor(0, 0, 64));
        QVERIFY(!DrawSineView(area, table, QStringLiteral("100")));
        const Drawn d = read(area);
        QCOMPARE(d.columns.size(), 201);
        QCOMPARE(d.columns.last(), 10000.0);
        QCOMPARE(d.angleLabels.size(), 200);
        QCOMPARE(d.angleLabels.last(), QStringLiteral("358.2"));
        QCOMPARE(d.zeroLines, 0);
        QVERIFY(d.dots.isEmpty());
        QVERIFY(d.curve.isEmpty());
    }

    void stepZeroEndsAtTheLastRow()
    {
        // More than 20000 data rows round the step to 0: every column stands
        // at x = 0 until the rows run out.
        DataTable table;
        table.setRows(20003);
        PictureArea area(kDesign, QColor(0, 0, 64));
        QCOMPARE(SineColumnStep(table.Rows()), std::optional<int>(0));
        QVERIFY(!DrawSineView(area, table, QStringLiteral("100")));
        const Drawn d = read(area);
        QCOMPARE(d.columns.size(), 20003);
        QVERIFY(d.curve.isEmpty());
    }

    void noUsableRange_data()
    {
        QTest::addColumn<QString>("range");
        QTest::newRow("empty") << "";
        QTest::newRow("zero") << "0";
        QTest::newRow("letters") << "abc";
    }
    void noUsableRange()
    {
        QFETCH(QString, range);
        DataTable table;
        fill(table, {"0", "90", "180", "270"}, {"0", "50", "100", "-100"});
        PictureArea area(kDesign, QColor(0, 0, 64));
        QVERIFY(!DrawSineView(area, table, range));
        const Drawn d = read(area);
        QCOMPARE(d.rows.size(), 11);
        QCOMPARE(d.leftLabels, QStringList(11, QStringLiteral(" 0 ")));
        QCOMPARE(d.columns.size(), 4);
        QCOMPARE(d.angleLabels, (QStringList{"0", "90", "180", "270"}));
        QCOMPARE(d.zeroLines, 1);
        QVERIFY(d.dots.isEmpty());
        QVERIFY(d.curve.isEmpty());
    }

    void rangeBeyondSinglePrecisionFails()
    {
        DataTable table;
        fill(table, {"0", "90"}, {"1", "2"});
        PictureArea area(kDesign, QColor(0, 0, 64));
        QVERIFY(!DrawSineView(area, table, QStringLiteral("1e300")));
        QVERIFY(area.picture()->ops.empty());
    }

    void loadsAreReadLeniently()
    {
        DataTable table;
        fill(table, {"0", "120", "240"}, {"", "50 kg", "abc"});
        PictureArea area(kDesign, QColor(0, 0, 64));
        QVERIFY(DrawSineView(area, table, QStringLiteral("100")));
        const Drawn d = read(area);
        QVERIFY(same(d.dots[0], QPointF(0, 0)));
        QVERIFY(same(d.curve[1], QPointF(5000, 250)));
        QVERIFY(same(d.curve[2], QPointF(10000, 0)));
    }
};

QTEST_MAIN(TestSineView)
#include "tst_sine_view.moc"
