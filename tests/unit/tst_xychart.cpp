// The Plot command of the profile: the curve store, its guards and the chart
// drawn onto the picture record. Each case of tests/golden/xychart.txt runs a
// few steps on one table; the drawings named there are display lists under
// tests/golden/charts/, in chart units (grid 0..10000 across, 0..1000 up).
// The axis: every worked example (the designed ones, each border of the step
// table, negative, exponent and extreme ranges) is a line of
// tests/golden/axis.txt with every field, the major lines and their labels.
#include "Golden.h"
#include "charts/xy/AxisScale.h"
#include "charts/xy/XYChart.h"
#include "platform/PictureArea.h"
#include "tables/DataTable.h"

#include <QtTest>
#include <charconv>

using namespace tarvex;

namespace {

QString shortest(float f)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, f).ptr;
    return QString::fromLatin1(text, end - text);
}

QString describe(float min, float max, const QLocale& locale)
{
    const auto a = ComputeAxisScale(min, max);
    if (!a)
        return QStringLiteral("no axis");
    QStringList majors, labels;
    for (int i = 0; i <= a->n; ++i)
        if (a->isMajor(i)) {
            majors << QString::number(i);
            labels << a->label(i, locale);
        }
    QString out = QStringLiteral("sig %1, n %2, unit %3, step %4, start %5, span %6, every %7, decimals %8 | majors %9 | %10")
                      .arg(a->sig).arg(a->n).arg(a->unit).arg(shortest(a->step), shortest(a->start), shortest(a->span))
                      .arg(a->every).arg(a->decimals).arg(majors.join(QLatin1Char(' ')), labels.join(QLatin1Char(' ')));
    // The data always lies on the axis; a flat line in its middle.
    if (a->fraction(min) < -1e-6 || a->fraction(max) > 1 + 1e-6 || (min == max && std::fabs(a->fraction(min) - 0.5) > 1e-6))
        out += QStringLiteral(" | DATA OFF THE AXIS");
    return out;
}

const QSize kDesignSize(499, 292);   // 7485 x 4380 twips

QString numbers(const std::vector<float>& v)
{
    QStringList out;
    for (float f : v)
        out << QString::number(double(f), 'g', 8);
    return out.join(QLatin1Char(' '));
}

// The labels under the x axis read apart and end within the grid; those
// left of the y axis end before it and differ. Their places follow the
// font's widths, so the golden file holds only the counts and what is wrong.
QString labels(const PictureArea& area)
{
    QList<QPair<double, QString>> x;
    QStringList y, wrong;
    for (const DrawOp& op : area.picture()->ops) {
        const double left = area.ScaleLeft() + op.a.x() * area.ScaleWidth();
        if (op.kind != DrawOp::Text)
            continue;
        if (std::fabs(area.ScaleTop() + op.a.y() * area.ScaleHeight() + 50) < 1e-6)
            x.append({left, op.text});
        else if (y << op.text; left + area.TextWidth(op.text) > 0)
            wrong << op.text + QStringLiteral(" over the axis");
    }
    for (qsizetype i = 1; i < x.size(); ++i)
        if (x[i].first < x[i - 1].first + area.TextWidth(x[i - 1].second))
            wrong << x[i].second + QStringLiteral(" over ") + x[i - 1].second;
    if (!x.isEmpty() && x.back().first + area.TextWidth(x.back().second) > xychart::kRight)
        wrong << x.back().second + QStringLiteral(" beyond the grid");
    if (QSet<QString>(y.begin(), y.end()).size() != y.size())
        wrong << QStringLiteral("y labels repeat");
    return QStringLiteral("labels %1 x %2 y").arg(x.size()).arg(y.size()) + (wrong.isEmpty() ? QString() : QStringLiteral(" ") + wrong.join(QStringLiteral(", ")));
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
        } else if (w[0] == QLatin1String("labels")) {
            results << labels(area);
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
            const Result<> stored = StoreProfileCurve(table, chart, QLocale::c());
            if (!stored)
                say(stored.message());
            results << (stored ? QStringLiteral("stored") : QStringLiteral("refused"));
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

    // The axis may not depend on the user's decimal separator; only labels
    // follow the locale they are asked in.
    void examples()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString why = golden::cases("axis.txt", [](const QStringList& in) {
            const auto f = [](const QString& t) { return std::strtof(t.toLatin1().constData(), nullptr); };
            return describe(f(in.value(1)), f(in.value(2)), QLocale(in.value(3, QStringLiteral("C"))));
        });
        QLocale::setDefault(before);
        GOLDEN_VERIFY(why);
    }

    // Whichever way the binary value of a decimal minimum falls (1.2f is a
    // hair above 1.2, 1.3f a hair below), a minimum on the grid starts the axis.
    void minimumOnTheGridStartsTheAxis()
    {
        for (const double step : {0.1, 0.2, 0.01, 0.002, 1.0})
            for (int k = -300; k <= 300; ++k) {
                const float min = float(k * step);
                const AxisScale a = *ComputeAxisScale(min, float(k * step + 14 * step));
                QVERIFY2(a.startIndex == k && a.start == min && a.step == float(step),
                         qPrintable(QStringLiteral("min %1 starts at index %2").arg(double(min)).arg(a.startIndex)));
            }
    }
};

QTEST_MAIN(TestXYChart)
#include "tst_xychart.moc"
