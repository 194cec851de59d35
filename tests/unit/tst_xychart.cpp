// The Plot command of the profile: the curve store, its guards and the chart
// drawn onto the picture record. Each case of tests/golden/xychart.txt runs a
// few steps on one table; the drawings named there are display lists under
// tests/golden/charts/, in chart units (grid 0..10000 across, 0..1000 up).
#include "Golden.h"
#include "charts/xy/XYChart.h"
#include "platform/PictureArea.h"
#include "tables/DataTable.h"

#include <QtTest>

using namespace tarvex;

namespace {

const QSize kDesignSize(499, 292);   // 7485 x 4380 twips

QString numbers(const std::vector<float>& v)
{
    QStringList out;
    for (float f : v)
        out << QString::number(double(f), 'g', 8);
    return out.join(QLatin1Char(' '));
}

// xy | rows | step; step; ... => what each step gave | the curve store | flags | messages
QString run(const QStringList& in)
{
    PictureArea area(kDesignSize, QColor(0, 0, 64));
    DataTable table(2);
    golden::fill(table, in[1].split(QLatin1Char(';')));
    XYChartState chart;
    XYCurveList& curves = chart.curves;
    bool& stored = chart.curvesStored;
    bool& plotted = chart.plotted;
    bool nodes = false;
    QStringList results, messages;
    const MessageSink say = [&](const QString& m) { messages << golden::show(m); };
    const char* const kResult[] = {"nothing", "data error", "not drawn", "drawn"};
    for (const QString& step : in[2].split(QStringLiteral("; "))) {
        const QStringList w = step.split(QLatin1Char(' '));
        const Picture before = area.picture();
        if (w[0] == QLatin1String("plot")) {
            const QLocale locale(w.size() > 1 ? w[1] : QStringLiteral("C"));
            const XYChartResult r = DrawXYChart(area, table, chart, nodes, say, locale);
            results << QString::fromLatin1(kResult[int(r)]) + (area.picture() == before ? QStringLiteral("=") : QString());
        } else if (w[0] == QLatin1String("nodes")) {
            nodes = true;
        } else if (w[0] == QLatin1String("edit")) {
            table.setTextMatrix(w[1].toInt(), w[2].toInt(), step.section(QLatin1Char(' '), 3));
            plotted = false;
        } else if (w[0] == QLatin1String("table")) {
            golden::fill(table, w[1].split(QLatin1Char(';')));
            plotted = false;
        } else if (w[0] == QLatin1String("clear")) {
            ClearXYChart(area, chart);
        } else if (w[0] == QLatin1String("forget")) {
            curves.clear();
        } else if (w[0] == QLatin1String("store")) {   // straight into a store of two curves
            curves.resize(2);
            stored = true;
            results << (StoreProfileCurve(table, chart, say, QLocale::c()) ? QStringLiteral("stored") : QStringLiteral("refused"));
        } else if (w[0] == QLatin1String("print")) {   // the print copy onto white paper
            PictureArea paper(kDesignSize, QColor(255, 255, 255));
            paper.setForeColor(QColor(10, 20, 30));
            paper.Line(0, 0, 100, 100);
            const Picture blank = paper.picture();
            const XYChartResult r = DrawXYPrintCopy(paper, table, curves, nodes, QLocale::c());
            results << QStringLiteral("print ") + QString::fromLatin1(kResult[int(r)]) + (paper.picture() == blank ? QStringLiteral("=") : QString());
            if (w.size() > 1) {
                const QString why = golden::compare(QStringLiteral("charts/%1.txt").arg(w[1]), golden::displayList(paper).toUtf8());
                if (!why.isEmpty())
                    return why;
            }
            results << QStringLiteral("paper pen %1 w%2").arg(paper.ForeColor().name()).arg(paper.DrawWidth());
        } else if (w[0] == QLatin1String("golden")) {
            const QString why = golden::compare(QStringLiteral("charts/%1.txt").arg(w[1]), golden::displayList(area).toUtf8());
            if (!why.isEmpty())
                return why;
            results << QStringLiteral("pen %1 w%2").arg(area.ForeColor().name()).arg(area.DrawWidth());
        } else {
            return QStringLiteral("unknown step ") + step;
        }
    }
    QStringList store;
    for (const XYCurve& c : curves)
        store << QLatin1Char('[') + numbers(c.X) + QStringLiteral(" / ") + numbers(c.Y) + QLatin1Char(']');
    return results.join(QLatin1Char(' ')) + QStringLiteral(" | ") + store.join(QLatin1Char(' '))
        + (stored ? QStringLiteral(" | stored") : QStringLiteral(" | not stored")) + (plotted ? QStringLiteral(", plotted") : QString())
        + (messages.isEmpty() ? QString() : QStringLiteral(" | ") + messages.join(QLatin1Char(' ')));
}

} // namespace

class TestXYChart : public QObject {
    Q_OBJECT
private slots:
    void plot() { GOLDEN_VERIFY(golden::cases("xychart.txt", run)); }

    // Seven colours in turn (the drawing of eight curves shows the first turn).
    void curveColoursCycle()
    {
        QCOMPARE(XYCurveColor(14), QColor(255, 0, 255));
        QCOMPARE(XYCurveColor(15), QColor(255, 0, 0));
    }

    // Values single precision barely holds: labels read apart and stand
    // clear of each other and of the plot area (their places follow the
    // font's widths, so they are checked here, not against a golden file).
    void extremeValuesKeepLabelsApart_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::newRow("loads up to 3.4E+38") << "0,0;5,1.7E+38;10,3.4E+38";
        QTest::newRow("1E+30 in steps of 1E+23") << "1E+30,-1E+30;1.0000007E+30,-1.0000009E+30;1.0000014E+30,-1.0000014E+30";
        QTest::newRow("denormals") << "1.4E-45,0;2.8E-45,1E-45;4.2E-45,3E-45";
        QTest::newRow("flat at 1E+30") << "0,1E+30;5,1E+30;10,1E+30";
    }
    void extremeValuesKeepLabelsApart()
    {
        QFETCH(QString, rows);
        PictureArea area(kDesignSize, QColor(0, 0, 64));
        DataTable table(2);
        golden::fill(table, rows.split(QLatin1Char(';')));
        XYChartState chart;
        QCOMPARE(DrawXYChart(area, table, chart, false, {}, QLocale::c()), XYChartResult::Drawn);
        QList<QPair<double, QString>> x;
        QStringList y;
        for (const DrawOp& op : area.picture()->ops) {
            if (op.kind != DrawOp::Text)
                continue;
            const double left = area.ScaleLeft() + op.a.x() * area.ScaleWidth();
            if (std::fabs(area.ScaleTop() + op.a.y() * area.ScaleHeight() + 50) < 1e-6) {
                x.append({left, op.text});
            } else {
                QVERIFY2(left + area.TextWidth(op.text) <= 0, qPrintable(op.text));
                y << op.text;
            }
        }
        QVERIFY(x.size() >= 2 && y.size() >= 3);
        for (int i = 1; i < x.size(); ++i)
            QVERIFY2(x[i].first >= x[i - 1].first + area.TextWidth(x[i - 1].second), qPrintable(x[i].second));
        QVERIFY(x.back().first + area.TextWidth(x.back().second) <= xychart::kRight);
        QCOMPARE(QSet<QString>(y.begin(), y.end()).size(), y.size());
    }
};

QTEST_MAIN(TestXYChart)
#include "tst_xychart.moc"
