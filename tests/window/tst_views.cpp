// The profile chart's views: EI and difference from a reference curve, with
// their figures under the chart, from the bench settings typed into the
// Settings dialog. Cases are in tests/golden/window/views.txt.
#include "charts/xy/CurveLegend.h"
#include "charts/xy/XYChart.h"
#include "ProfileWorkspace.h"
#include "harness/WindowHarness.h"
#include "platform/PictureAreaWidget.h"

#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTableWidget>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

// "span,deflection,length unit,load unit[,EI unit]" typed into the Settings dialog
void setBench(WindowHarness& h, const QString& bench)
{
    const QStringList v = bench.split(',');
    withModal([&] { h.click("mnuEnv"); }, [&](QWidget* form) {
        form->findChild<QComboBox*>("cmbLengthUnit")->setCurrentText(v[2]);
        form->findChild<QComboBox*>("cmbUnit")->setCurrentText(v[3]);
        form->findChild<QDoubleSpinBox*>("txtSpan")->setValue(v[0].toDouble());
        form->findChild<QDoubleSpinBox*>("txtDeflection")->setValue(v[1].toDouble());
        if (v.size() > 4)
            form->findChild<QComboBox*>("cmbEiUnit")->setCurrentText(v[4]);
        static_cast<QDialog*>(form)->accept();
    });
}

// The curves on the chart by their numbers (colours), and the axis heading.
QString chartOf(WindowHarness& h)
{
    QStringList curves;
    QString heading;
    for (const DrawOp& op : h.chart(Profile).picture()->ops) {
        if (op.kind == DrawOp::Polyline)
            for (int i = 1; i <= kPaletteColours; ++i)
                if (XYCurveColor(i) == op.color) {
                    curves << QString::number(i);
                    break;
                }
        if (op.kind == DrawOp::Text && op.text.contains('('))
            heading = op.text;
    }
    return curves.isEmpty() ? QStringLiteral("chart empty") : "curves " + curves.join(',') + (heading.isEmpty() ? QString() : ", heading " + heading);
}

// view | bench or - | curves plotted in turn, "x,y;..." each, " / " between |
// views chosen in turn | reference curve (0 none) => what is said under the
// chart | the figure table | the chart
QString views(const QStringList& in)
{
    WindowHarness h;
    if (in[1] != "-")
        setBench(h, in[1]);
    for (const QString& curve : in[2].split(" / ")) {
        h.fill(Profile, curve.split(';'));
        h.click("Tab0cmdPlot");
    }
    h.find<QComboBox>("Tab0cmbReference")->setCurrentIndex(in[4].toInt());
    for (const QString& v : in[3].split(','))
        h.find<QComboBox>("Tab0cmbView")->setCurrentText(v);
    auto* label = h.find<QLabel>("Tab0lblView");
    auto* table = h.find<QTableWidget>("Tab0tblFigures");
    const QStringList rows = table->isVisibleTo(h.window.get()) ? golden::lines(*table, ", ") : QStringList();
    return QStringList{label->isVisibleTo(h.window.get()) ? golden::show(label->text()) : QStringLiteral("-"),
                       rows.isEmpty() ? QStringLiteral("no table") : rows.join(" / "), chartOf(h)}
        .join(" | ");
}

// The plot's width and height in pixels of the chart as shown.
QSizeF plotOf(WindowHarness& h)
{
    QCoreApplication::processEvents();
    const QSize shown = h.find<PictureAreaWidget>("Tab0Picture")->size();
    return {shown.width() * xychart::kWidth / std::fabs(h.chart(Profile).ScaleWidth()),
            shown.height() * xychart::kHeight / std::fabs(h.chart(Profile).ScaleHeight())};
}

} // namespace

class TestViews : public QObject {
    Q_OBJECT
private slots:
    void cases()
    {
        GOLDEN_VERIFY(golden::cases("window/views.txt", [](const QStringList& in) { return views(in); }));
    }

    // Twenty curves overlaid, each at positions of its own so that every view
    // has something to say of most of them: in every view the plot keeps at
    // least half the height and width it has with two curves (the fewest the
    // difference view shows figures of), and the legend names every curve.
    // TARVEX_SCREENSHOT names PNGs of the views to look at (%1 the view).
    void twentyCurvesKeepThePlot()
    {
        WindowHarness h;
        setBench(h, QStringLiteral("15,0.1,in,lbf"));
        h.fill(Profile, {"0,10", "10,12", "20,14", "30,16"});
        h.click("Tab0cmdPlot");
        QStringList legend{"1 fill.tvl"};
        const auto overlay = [&](int from, int to) {
            XYCurveList list(std::size_t(to - from + 1));
            for (int c = from; c <= to; ++c) {
                XYCurve& curve = list[std::size_t(c - from)];
                curve.name = QStringLiteral("Label %1").arg(c);
                legend << QStringLiteral("%1 Label %1").arg(c);
                for (int i = 0; i < 4; ++i) {
                    curve.X.push_back((c % 2 ? 5.0f : 0.0f) + 10.0f * float(i));
                    curve.Y.push_back(10.0f + float(i) * (1.5f + 0.05f * float(c)));
                }
            }
            h.window->findChild<ProfileWorkspace*>()->overlayCurves(list);
        };
        const QStringList views{"Load", "EI", "Difference"};
        const auto plotIn = [&](const QString& view) { return h.find<QComboBox>("Tab0cmbView")->setCurrentText(view), plotOf(h); };
        overlay(2, 2);
        h.find<QComboBox>("Tab0cmbReference")->setCurrentIndex(1);
        QList<QSizeF> two;
        for (const QString& view : views)
            two << plotIn(view);
        overlay(3, 20);
        static const QRegularExpression entry(QStringLiteral("^\\d+ \\S"));
        for (qsizetype v = 0; v < views.size(); ++v) {
            const QSizeF twenty = plotIn(views[v]);
            if (!qEnvironmentVariableIsEmpty("TARVEX_SCREENSHOT"))
                h.window->grab().save(qEnvironmentVariable("TARVEX_SCREENSHOT").arg(views[v]));
            QVERIFY2(twenty.height() >= two[v].height() / 2 && twenty.width() >= two[v].width() / 2, qPrintable(views[v]));
            QStringList named;
            for (const DrawOp& op : h.chart(Profile).picture()->ops)
                if (op.kind == DrawOp::Text && entry.match(op.text).hasMatch())
                    named << op.text;
            QCOMPARE(named, legend);
        }
    }
};

QTEST_MAIN(TestViews)
#include "tst_views.moc"
