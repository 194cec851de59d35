// The profile chart's views: EI and difference from a reference curve, with
// their figures under the chart, from the bench settings typed into the
// Settings dialog. Cases are in tests/golden/window/views.txt.
#include "charts/xy/XYChart.h"
#include "harness/WindowHarness.h"

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
        if (op.kind == DrawOp::Point)
            for (int i = 1; i <= 7; ++i)
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
    QStringList rows;
    if (table->isVisibleTo(h.window.get())) {
        QStringList head;
        for (int c = 0; c < table->columnCount(); ++c)
            head << table->horizontalHeaderItem(c)->text();
        rows << head.join(", ");
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(r, c)->text();
            rows << cells.join(' ');
        }
    }
    return QStringList{label->isVisibleTo(h.window.get()) ? golden::show(label->text()) : QStringLiteral("-"),
                       rows.isEmpty() ? QStringLiteral("no table") : rows.join(" / "), chartOf(h)}
        .join(" | ");
}

} // namespace

class TestViews : public QObject {
    Q_OBJECT
private slots:
    void cases()
    {
        GOLDEN_VERIFY(golden::cases("window/views.txt", [](const QStringList& in) { return views(in); }));
    }
};

QTEST_MAIN(TestViews)
#include "tst_views.moc"
