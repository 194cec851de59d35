#include "charts/xy/XYChart.h"
#include "platform/PictureArea.h"
#include "tables/DataTable.h"

#include <QtTest>

using namespace tarvex;

namespace {

const QSize kDesignSize(499, 292);   // 7485 x 4380 twips
const QColor kScreenBack(0, 0, 64);

struct Row {
    QString x;
    QString y;
};

void fill(DataTable& table, const QList<Row>& rows)
{
    table.setRows(static_cast<int>(rows.size()) + 1);
    for (int i = 0; i < rows.size(); ++i) {
        table.setTextMatrix(i + 1, 0, rows[i].x);
        table.setTextMatrix(i + 1, 1, rows[i].y);
    }
}

QList<Row> profile(double x0, double dx, const QList<double>& loads)
{
    QList<Row> rows;
    for (int i = 0; i < loads.size(); ++i)
        rows.append({QString::number(x0 + i * dx), QString::number(loads[i])});
    return rows;
}

// The Plot command with everything it reads and changes.
struct Chart {
    PictureArea area{kDesignSize, kScreenBack};
    DataTable table{2};
    XYChartState state;
    XYCurveList& curves = state.curves;
    bool& stored = state.curvesStored;
    bool& plotted = state.plotted;
    bool nodes = false;
    QStringList messages;

    XYChartResult plot()
    {
        return DrawXYChart(area, table, state, nodes,
                           [this](const QString& m) { messages << m; }, QLocale::c());
    }
    // What typing into the table does to the flags.
    void edit(int row, int col, const QString& text)
    {
        table.setTextMatrix(row, col, text);
        plotted = false;
    }
    void clear() { ClearXYChart(area, state); }
};

// Recorded operations back in chart coordinates.
QPointF chartPoint(const QPointF& relative)
{
    using namespace xychart;
    return {kLeft + relative.x() * (kRight - kLeft), kTop + relative.y() * (kBottom - kTop)};
}

struct GridLine {
    double at;
    QColor colour;
    Qt::PenStyle style;
};

QList<GridLine> gridLines(const Picture& picture, bool vertical)
{
    QList<GridLine> lines;
    for (const DrawOp& op : picture->ops) {
        if (op.kind != DrawOp::Line)
            continue;
        if (op.color != xychart::kMajorColor && op.color != xychart::kMinorColor)
            continue;
        const QPointF a = chartPoint(op.a);
        const QPointF b = chartPoint(op.b);
        if (vertical && std::fabs(a.x() - b.x()) < 1e-6)
            lines.append({a.x(), op.color, op.style});
        else if (!vertical && std::fabs(a.y() - b.y()) < 1e-6)
            lines.append({a.y(), op.color, op.style});
    }
    return lines;
}

struct Label {
    QString text;
    QPointF at;
    QColor colour;
};

QList<Label> labels(const Picture& picture)
{
    QList<Label> out;
    for (const DrawOp& op : picture->ops)
        if (op.kind == DrawOp::Text)
            out.append({op.text, chartPoint(op.a), op.color});
    return out;
}

QStringList labelTexts(const QList<Label>& list, double y)
{
    QStringList texts;
    for (const Label& l : list)
        if (std::fabs(l.at.y() - y) < 1e-6)
            texts << l.text;
    return texts;
}

QList<DrawOp> curveOps(const Picture& picture, DrawOp::Kind kind)
{
    QList<DrawOp> ops;
    for (const DrawOp& op : picture->ops)
        if (op.kind == kind && op.color != xychart::kMajorColor && op.color != xychart::kMinorColor)
            ops.append(op);
    return ops;
}

QPoint pixelOf(double chartX, double chartY)
{
    using namespace xychart;
    const double x = (chartX - kLeft) / (kRight - kLeft) * kDesignSize.width();
    const double y = (chartY - kTop) / (kBottom - kTop) * kDesignSize.height();
    return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}

} // namespace

Q_DECLARE_METATYPE(QList<Row>)

class TestXYChart : public QObject {
    Q_OBJECT
private slots:
    // ---- the curve store ---------------------------------------------------

    void store_firstPlot()
    {
        Chart c;
        fill(c.table, profile(0, 5, {1, 2, 3, 4, 5}));
        QCOMPARE(c.plot(), XYChartResult::Drawn);
        QCOMPARE(c.curves.size(), std::size_t(1));
        QCOMPARE(c.curves[0].X, (std::vector<float>{0, 5, 10, 15, 20}));
        QCOMPARE(c.curves[0].Y, (std::vector<float>{1, 2, 3, 4, 5}));
        QVERIFY(c.stored);
        QVERIFY(c.plotted);
        QVERIFY(c.messages.isEmpty());
    }

    void store_unchangedTableStoresNothing()
    {
        Chart c;
        fill(c.table, profile(0, 5, {1, 2, 3}));
        c.plot();
        const Picture drawn = c.area.picture();
        QCOMPARE(c.plot(), XYChartResult::NothingToDo);
        QCOMPARE(c.curves.size(), std::size_t(1));
        QCOMPARE(c.area.picture(), drawn);
    }

    void store_changeAddsACurve()
    {
        Chart c;
        fill(c.table, profile(0, 5, {1, 2, 3}));
        c.plot();
        c.edit(2, 1, QStringLiteral("7"));
        QCOMPARE(c.plot(), XYChartResult::Drawn);
        QCOMPARE(c.curves.size(), std::size_t(2));
        QCOMPARE(c.curves[0].Y, (std::vector<float>{1, 2, 3}));
        QCOMPARE(c.curves[1].Y, (std::vector<float>{1, 7, 3}));
    }

    void store_clearThenPlotStartsAfresh()
    {
        Chart c;
        fill(c.table, profile(0, 5, {1, 2, 3}));
        c.plot();
        c.edit(1, 1, QStringLiteral("4"));
        c.plot();
        c.clear();
        QCOMPARE(c.curves.size(), std::size_t(2));   // kept until the next store
        QVERIFY(!c.stored);
        QVERIFY(!c.plotted);
        QCOMPARE(c.plot(), XYChartResult::Drawn);
        QCOMPARE(c.curves.size(), std::size_t(1));
        QCOMPARE(c.curves[0].Y, (std::vector<float>{4, 2, 3}));
        QCOMPARE(curveOps(c.area.picture(), DrawOp::Point).front().color, QColor(255, 0, 0));
    }

    void store_curvesKeepTheirLength()
    {
        Chart c;
        fill(c.table, profile(0, 5, {1, 2, 3, 4, 5}));
        c.plot();
        fill(c.table, profile(0, 5, {1, 2, 3, 4, 5, 6, 7}));
        c.plotted = false;
        c.plot();
        QCOMPARE(c.curves[0].X.size(), std::size_t(5));
        QCOMPARE(c.curves[1].X.size(), std::size_t(7));
        QCOMPARE(curveOps(c.area.picture(), DrawOp::Line).size(), 4 + 6);
    }

    void store_conversionFailure_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<std::vector<float>>("x");
        QTest::addColumn<std::vector<float>>("y");
        QTest::newRow("load overflows") << 1 << "1E+39" << kOverflowMessage
                                        << std::vector<float>{1, 3, 0} << std::vector<float>{2, 0, 0};
        QTest::newRow("position overflows") << 0 << "-1E+39" << kOverflowMessage
                                            << std::vector<float>{1, 0, 0} << std::vector<float>{2, 0, 0};
        QTest::newRow("not a number") << 1 << "abc" << kInputNumbersOnly
                                      << std::vector<float>{1, 3, 0} << std::vector<float>{2, 0, 0};
    }
    void store_conversionFailure()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        DataTable table(2);
        fill(table, {{"1", "2"}, {"3", "4"}, {"5", "6"}});
        table.setTextMatrix(2, column, text);
        XYChartState chart{XYCurveList(2), true, false};
        XYCurveList& curves = chart.curves;
        const bool& stored = chart.curvesStored;
        const bool& plotted = chart.plotted;
        QStringList messages;
        QVERIFY(!StoreProfileCurve(table, chart, [&](const QString& m) { messages << m; },
                                   QLocale::c()));
        QCOMPARE(messages.size(), 1);
        QTEST(messages.value(0), "message");
        QCOMPARE(curves.size(), std::size_t(3));
        QTEST(curves[2].X, "x");
        QTEST(curves[2].Y, "y");
        QVERIFY(stored);
        QVERIFY(!plotted);
    }

    // The number check lets 1E+39 through; the store reports the overflow,
    // the chart still draws, and the next Plot stores yet another curve.
    void store_overflowThroughPlot()
    {
        Chart c;
        fill(c.table, {{"0", "1"}, {"1", "2"}, {"2", "1E+39"}, {"3", "4"}});
        QCOMPARE(c.plot(), XYChartResult::Drawn);
        QCOMPARE(c.messages, QStringList{kOverflowMessage});
        QCOMPARE(c.curves[0].Y, (std::vector<float>{1, 2, 0, 0}));
        QCOMPARE(c.curves[0].X, (std::vector<float>{0, 1, 2, 0}));
        QVERIFY(!c.plotted);
        c.plot();
        QCOMPARE(c.curves.size(), std::size_t(2));
    }

    // ---- guards --------------------------------------------------------------

    void guard_tooFewRows()
    {
        Chart c;
        fill(c.table, {{"0", "1"}});
        const Picture before = c.area.picture();
        QCOMPARE(c.plot(), XYChartResult::NothingToDo);
        QVERIFY(c.curves.empty());
        QVERIFY(!c.plotted);
        QCOMPARE(c.area.picture(), before);
    }

    void guard_twoRowsAreStoredButNotDrawn()
    {
        Chart c;
        fill(c.table, {{"0", "1"}, {"5", "2"}});
        const Picture before = c.area.picture();
        QCOMPARE(c.plot(), XYChartResult::NotDrawn);
        QCOMPARE(c.curves.size(), std::size_t(1));
        QVERIFY(c.plotted);
        QCOMPARE(c.area.picture(), before);
        // While that curve is stored nothing draws, however long the table.
        fill(c.table, profile(0, 5, {1, 2, 3, 4}));
        c.plotted = false;
        QCOMPARE(c.plot(), XYChartResult::NotDrawn);
        QCOMPARE(c.area.picture(), before);
        c.clear();
        c.edit(1, 1, QStringLiteral("2"));
        QCOMPARE(c.plot(), XYChartResult::Drawn);
    }

    void guard_dataEntryError_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty load") << 2 << 1 << "";
        QTest::newRow("blank load") << 3 << 1 << "   ";
        QTest::newRow("letters in a position") << 1 << 0 << "abc";
        QTest::newRow("trailing rubbish") << 3 << 1 << "4kg";
        QTest::newRow("comma in a point locale") << 2 << 0 << "2,5";
    }
    void guard_dataEntryError()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        Chart c;
        fill(c.table, profile(0, 5, {1, 2, 3}));
        c.plot();
        c.edit(row, column, text);
        const Picture before = c.area.picture();
        QCOMPARE(c.plot(), XYChartResult::DataError);
        QCOMPARE(c.messages, QStringList{QStringLiteral("Data entry error,\nInput Numbers only!")});
        QCOMPARE(c.curves.size(), std::size_t(1));
        QVERIFY(!c.plotted);
        QCOMPARE(c.area.picture(), before);
    }

    void guard_numbersInTheUsersFormat()
    {
        Chart c;
        fill(c.table, {{"0", "1,5"}, {"1", "2,25"}, {"2", "3"}});
        QCOMPARE(DrawXYChart(c.area, c.table, c.state, false, {},
                             QLocale(QLocale::German, QLocale::Germany)),
                 XYChartResult::Drawn);
        QCOMPARE(c.curves[0].Y, (std::vector<float>{1.5f, 2.25f, 3.f}));
    }

    // ---- the drawing -------------------------------------------------------

    void grid_positionsColoursAndLabels_0to45()
    {
        Chart c;
        fill(c.table, profile(0, 5, {2, 3.33, 4.67, 6, 7.33, 8.67, 10, 11.33, 12.67, 14}));
        QCOMPARE(c.plot(), XYChartResult::Drawn);
        const Picture pic = c.area.picture();

        const QList<GridLine> vertical = gridLines(pic, true);
        QCOMPARE(vertical.size(), 25);
        for (int k = 0; k <= 24; ++k) {
            const bool major = k % 5 == 0;
            QCOMPARE(vertical[k].at, k * (10000.0 / 24));
            QCOMPARE(vertical[k].colour, major ? QColor(120, 120, 120) : QColor(80, 80, 80));
            QCOMPARE(vertical[k].style, major ? Qt::SolidLine : Qt::DotLine);
        }
        const QList<GridLine> horizontal = gridLines(pic, false);
        QCOMPARE(horizontal.size(), 14);   // 2..14: n 13, from 2 to 15
        QCOMPARE(horizontal[3].colour, QColor(120, 120, 120));
        QCOMPARE(horizontal[4].colour, QColor(80, 80, 80));

        const QList<Label> all = labels(pic);
        QCOMPARE(labelTexts(all, -50), (QStringList{"0", "10", "20", "30", "40"}));
        for (const Label& l : all) {
            QCOMPARE(l.colour, QColor(255, 255, 255));
            if (l.text == QLatin1String("20"))
                QCOMPARE(l.at.x(), 10 * (10000.0 / 24) - 200);
        }
        QStringList yTexts;
        for (const Label& l : all)
            if (std::fabs(l.at.x() + 650) < 1e-6)
                yTexts << l.text;
        QCOMPARE(yTexts, (QStringList{"5", "10", "15"}));
        QCOMPARE(labelTexts(all, 3 * (1000.0 / 13) + 30), QStringList{"5"});

        // And on the image: background, solid and dotted lines, label ink.
        const QImage image = c.area.toImage();
        QCOMPARE(image.size(), kDesignSize);
        QCOMPARE(image.pixelColor(2, 2), kScreenBack);
        const QPoint major = pixelOf(10 * (10000.0 / 24), 0);
        const QPoint minor = pixelOf(11 * (10000.0 / 24), 0);
        int solid = 0, dotted = 0;
        for (int y = pixelOf(0, 1000).y() + 1; y < major.y(); ++y) {
            solid += image.pixelColor(major.x(), y) == QColor(120, 120, 120) ? 1 : 0;
            dotted += image.pixelColor(minor.x(), y) == QColor(80, 80, 80) ? 1 : 0;
        }
        const int height = major.y() - pixelOf(0, 1000).y() - 1;
        QVERIFY2(solid > height * 8 / 10, qPrintable(QString::number(solid)));
        QVERIFY2(dotted > height / 5 && dotted < height * 7 / 10, qPrintable(QString::number(dotted)));
        int ink = 0;
        for (int y = major.y() + 2; y < kDesignSize.height(); ++y)
            for (int x = 0; x < kDesignSize.width(); ++x)
                ink += image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).blue() > 200 ? 1 : 0;
        QVERIFY(ink > 20);
    }

    void grid_negativePositions()
    {
        Chart c;
        fill(c.table, profile(-3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        c.plot();
        const QList<GridLine> vertical = gridLines(c.area.picture(), true);
        QCOMPARE(vertical.size(), 12);
        QStringList solid;
        for (int k = 0; k < vertical.size(); ++k)
            if (vertical[k].colour == xychart::kMajorColor)
                solid << QString::number(k);
        QCOMPARE(solid, (QStringList{"3", "8"}));
        QCOMPARE(labelTexts(labels(c.area.picture()), -50), (QStringList{"0", "5"}));
        // The first point (x = -3) sits on the left edge of the plot area.
        QCOMPARE(chartPoint(curveOps(c.area.picture(), DrawOp::Point).front().a).x(), 0.0);
    }

    void curve_flatWhenAllLoadsEqual()
    {
        Chart c;
        fill(c.table, profile(0, 5, {5, 5, 5, 5}));
        c.plot();
        const Picture pic = c.area.picture();
        for (const DrawOp& op : curveOps(pic, DrawOp::Line)) {
            QCOMPARE(chartPoint(op.a).y(), 500.0);
            QCOMPARE(chartPoint(op.b).y(), 500.0);
        }
        QStringList y;
        for (const Label& l : labels(pic))
            if (std::fabs(l.at.x() + 650) < 1e-6)
                y << l.text;
        QCOMPARE(y.size(), 21);
        QCOMPARE(y.front(), QStringLiteral("4.0"));
        QCOMPARE(y[10], QStringLiteral("5.0"));
        QCOMPARE(y.back(), QStringLiteral("6.0"));
        const QImage image = c.area.toImage();
        const QPoint mid = pixelOf(5000, 500);
        QCOMPARE(image.pixelColor(mid), QColor(255, 0, 0));
    }

    void curve_coloursCycle()
    {
        Chart c;
        fill(c.table, profile(0, 5, {1, 2, 3}));
        for (int i = 1; i <= 8; ++i) {
            c.edit(1, 1, QString::number(i));
            QCOMPARE(c.plot(), XYChartResult::Drawn);
        }
        QCOMPARE(c.curves.size(), std::size_t(8));
        const QList<DrawOp> firstPoints = curveOps(c.area.picture(), DrawOp::Point);
        QCOMPARE(firstPoints.size(), 8);
        const QList<QColor> expected = {QColor(255, 0, 0),   QColor(255, 128, 0), QColor(255, 255, 0),
                                        QColor(0, 255, 0),   QColor(0, 0, 255),   QColor(0, 255, 255),
                                        QColor(255, 0, 255), QColor(255, 0, 0)};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(firstPoints[i].color, expected[i]);
        // Left behind: the last curve's colour and a pen one pixel wide.
        QCOMPARE(c.area.ForeColor(), QColor(255, 0, 0));
        QCOMPARE(c.area.DrawWidth(), 1);
        QCOMPARE(XYCurveColor(15), QColor(255, 0, 0));
        QCOMPARE(XYCurveColor(14), QColor(255, 0, 255));
    }

    void nodes_onlyWhenTicked_data()
    {
        QTest::addColumn<bool>("nodes");
        QTest::newRow("ticked") << true;
        QTest::newRow("not ticked") << false;
    }
    void nodes_onlyWhenTicked()
    {
        QFETCH(bool, nodes);
        Chart c;
        c.nodes = nodes;
        fill(c.table, profile(0, 5, {1, 2, 3, 2}));
        c.plot();
        c.edit(1, 1, QStringLiteral("3"));
        c.plot();
        const Picture pic = c.area.picture();
        const QList<DrawOp> circles = curveOps(pic, DrawOp::Circle);
        QStringList numbers;
        for (const Label& l : labels(pic))
            if (l.text.startsWith(QLatin1Char(' ')))
                numbers << l.text;
        if (!nodes) {
            QVERIFY(circles.isEmpty());
            QVERIFY(numbers.isEmpty());
            return;
        }
        QCOMPARE(circles.size(), 8);
        QCOMPARE(numbers, (QStringList{" 1 ", " 2 "}));
        // Radius 70 along x; the number's corner and the first circle at point 1.
        QCOMPARE(circles[0].radius * 11200, 70.0);
        const QList<DrawOp> firstPoints = curveOps(pic, DrawOp::Point);
        QCOMPARE(circles[4].a, firstPoints[1].a);
        QCOMPARE(circles[4].color, QColor(255, 128, 0));
        for (const DrawOp& op : pic->ops)
            if (op.kind == DrawOp::Text && op.text == QLatin1String(" 2 "))
                QCOMPARE(op.a, firstPoints[1].a);
        // The line to point 2 starts at point 1, the circle's centre.
        QCOMPARE(curveOps(pic, DrawOp::Line)[3].a, firstPoints[1].a);
    }

    void curve_drawnInTableOrder()
    {
        Chart c;
        fill(c.table, {{"0", "1"}, {"10", "2"}, {"5", "3"}});
        c.plot();
        const QList<DrawOp> lines = curveOps(c.area.picture(), DrawOp::Line);
        QCOMPARE(lines.size(), 2);
        QVERIFY(chartPoint(lines[0].b).x() > chartPoint(lines[1].b).x());
    }

    // Loads 0.10 to 0.45: the whole-number major rule would divide by 0.
    void smallRange_fullGridWithMajors()
    {
        Chart c;
        fill(c.table, profile(0, 5, {0.10, 0.15, 0.22, 0.30, 0.38, 0.45}));
        QCOMPARE(c.plot(), XYChartResult::Drawn);
        const Picture pic = c.area.picture();
        const QList<GridLine> horizontal = gridLines(pic, false);
        QCOMPARE(horizontal.size(), 20);
        QStringList y;
        for (const Label& l : labels(pic))
            if (std::fabs(l.at.x() + 650) < 1e-6)
                y << l.text;
        QCOMPARE(y, (QStringList{"0.10", "0.20", "0.30", "0.40"}));
        QVERIFY(!curveOps(pic, DrawOp::Line).isEmpty());
    }

    // Values single precision barely holds: the chart is drawn with labels
    // that read apart and stand clear of each other and of the plot area, or
    // a message says why it cannot be.
    void extremeValues_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QString>("message");   // empty: drawn
        const QString retry = QStringLiteral("\nCorrect the values, then Clear and Plot again.");
        QTest::newRow("loads either side of 3.4E+38")
            << QList<Row>{{"0", "-3.4E+38"}, {"1", "0"}, {"2", "3.4E+38"}}
            << "The chart cannot be drawn: the Y values run from -3.4E+38 to 3.4E+38, a range wider than "
               "3.402823E+38, the largest number it can work with." + retry;
        QTest::newRow("both axes")
            << QList<Row>{{"-3E+38", "-3.4E+38"}, {"0", "0"}, {"3E+38", "3.4E+38"}}
            << "The chart cannot be drawn: the X values run from -3E+38 to 3E+38 and the Y values from -3.4E+38 "
               "to 3.4E+38, ranges wider than 3.402823E+38, the largest number it can work with." + retry;
        QTest::newRow("loads up to 3.4E+38") << QList<Row>{{"0", "0"}, {"5", "1.7E+38"}, {"10", "3.4E+38"}} << "";
        QTest::newRow("1E+30 in steps of 1E+23")
            << QList<Row>{{"1E+30", "-1E+30"}, {"1.0000007E+30", "-1.0000009E+30"}, {"1.0000014E+30", "-1.0000014E+30"}}
            << "";
        QTest::newRow("denormals") << QList<Row>{{"1.4E-45", "0"}, {"2.8E-45", "1E-45"}, {"4.2E-45", "3E-45"}} << "";
        QTest::newRow("flat at 1E+30") << QList<Row>{{"0", "1E+30"}, {"5", "1E+30"}, {"10", "1E+30"}} << "";
    }
    void extremeValues()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(QString, message);
        Chart c;
        fill(c.table, rows);
        const XYChartResult result = c.plot();
        if (!message.isEmpty()) {
            QCOMPARE(result, XYChartResult::NotDrawn);
            QCOMPARE(c.messages, QStringList{message});
            QVERIFY(c.area.picture()->ops.empty());
            return;
        }
        QCOMPARE(result, XYChartResult::Drawn);
        QVERIFY(c.messages.isEmpty());

        QList<QPair<double, QString>> x;
        QStringList y;
        for (const DrawOp& op : c.area.picture()->ops) {
            if (op.kind != DrawOp::Text)
                continue;
            const double left = c.area.ScaleLeft() + op.a.x() * c.area.ScaleWidth();
            const double bottom = c.area.ScaleTop() + op.a.y() * c.area.ScaleHeight();
            if (std::fabs(bottom + 50) < 1e-6) {
                x.append({left, op.text});
            } else {
                QVERIFY2(left + c.area.TextWidth(op.text) <= 0, qPrintable(op.text));
                y << op.text;
            }
        }
        QVERIFY(x.size() >= 2);
        for (int i = 1; i < x.size(); ++i)
            QVERIFY2(x[i].first >= x[i - 1].first + c.area.TextWidth(x[i - 1].second), qPrintable(x[i].second));
        QVERIFY(x.back().first + c.area.TextWidth(x.back().second) <= xychart::kRight);
        QVERIFY(y.size() >= 3);
        QCOMPARE(QSet<QString>(y.begin(), y.end()).size(), y.size());
    }

    // ---- the print copy ------------------------------------------------------

    void printCopy_drawsTheStoreInPrintColours()
    {
        Chart c;
        c.nodes = true;
        fill(c.table, profile(0, 5, {1, 2, 3}));
        c.plot();
        c.clear();
        PictureArea paper(kDesignSize, QColor(255, 255, 255));
        paper.setForeColor(QColor(10, 20, 30));
        QCOMPARE(DrawXYPrintCopy(paper, c.table, c.curves, true, QLocale::c()), XYChartResult::Drawn);
        const Picture pic = paper.picture();
        QCOMPARE(pic->background, QColor(255, 255, 255));
        for (const Label& l : labels(pic))
            if (!l.text.startsWith(QLatin1Char(' ')))
                QCOMPARE(l.colour, QColor(10, 20, 30));
        QCOMPARE(curveOps(pic, DrawOp::Point).front().color, QColor(255, 0, 0));
        QCOMPARE(curveOps(pic, DrawOp::Circle).size(), 3);
        QCOMPARE(paper.ForeColor(), QColor(0, 0, 0));
        QCOMPARE(paper.DrawWidth(), 1);
        // It stores nothing and leaves the flags alone.
        QCOMPARE(c.curves.size(), std::size_t(1));
        QVERIFY(!c.plotted);
        QVERIFY(!c.stored);
    }

    void printCopy_leavesTheAreaWhenItCannotDraw_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<bool>("emptyStore");
        QTest::newRow("empty store") << profile(0, 5, {1, 2, 3}) << true;
        QTest::newRow("one data row") << QList<Row>{{"0", "1"}} << false;
        QTest::newRow("empty cell") << QList<Row>{{"0", "1"}, {"5", ""}, {"10", "3"}} << false;
    }
    void printCopy_leavesTheAreaWhenItCannotDraw()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(bool, emptyStore);
        Chart c;
        fill(c.table, profile(0, 5, {1, 2, 3}));
        c.plot();
        if (emptyStore)
            c.curves.clear();
        fill(c.table, rows);
        PictureArea paper(kDesignSize, QColor(255, 255, 255));
        paper.Line(0, 0, 100, 100);
        const Picture before = paper.picture();
        QVERIFY(DrawXYPrintCopy(paper, c.table, c.curves, false, QLocale::c()) != XYChartResult::Drawn);
        QCOMPARE(paper.picture(), before);
    }

    void printCopy_takesTheAreasSize()
    {
        Chart c;
        fill(c.table, profile(0, 5, {1, 2, 3}));
        c.plot();
        PictureArea paper(QSize(998, 584), QColor(255, 255, 255));
        DrawXYPrintCopy(paper, c.table, c.curves, false, QLocale::c());
        const QImage image = paper.toImage();
        QCOMPARE(image.size(), QSize(998, 584));
        // The plot area's left edge (x 0) at 700 / 11200 of the width.
        const int x = static_cast<int>(700.0 / 11200 * 998);
        QCOMPARE(image.pixelColor(x, 300), xychart::kMajorColor);
    }
};

QTEST_MAIN(TestXYChart)
#include "tst_xychart.moc"
