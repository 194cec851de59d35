// The frequency figure beside the profile (from the note's shaft details and
// the meter kept with the bench settings), the trims, and the calibration
// against the shop's own meter in the Settings dialog. Cases are in
// tests/golden/window/frequency.txt.
#include "charts/xy/XYChart.h"
#include "harness/WindowHarness.h"

#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

// "span,deflection,length unit,load unit" and what is done in the dialog
// after them, each followed by a click on Calibrate: "cpm N" or "tip N"
// typed; or "forget" clicked instead.
// Answers the calibration label as the dialog showed it.
QString settings(WindowHarness& h, const QString& bench, const QStringList& actions = {})
{
    QString said;
    const QStringList v = bench.split(',');
    withModal([&] { h.click("mnuEnv"); }, [&](QWidget* form) {
        form->findChild<QComboBox*>("cmbLengthUnit")->setCurrentText(v[2]);
        form->findChild<QComboBox*>("cmbUnit")->setCurrentText(v[3]);
        form->findChild<QDoubleSpinBox*>("txtSpan")->setValue(v[0].toDouble());
        form->findChild<QDoubleSpinBox*>("txtDeflection")->setValue(v[1].toDouble());
        for (const QString& a : actions) {
            const double v = a.section(' ', 1).toDouble();
            if (a.startsWith("tip "))
                form->findChild<QDoubleSpinBox*>("txtMeterTip")->setValue(v);
            else if (a.startsWith("cpm "))
                form->findChild<QDoubleSpinBox*>("txtMeasuredCpm")->setValue(v);
            form->findChild<QAbstractButton*>(a == "forget" ? "cmdForgetCalibration" : "cmdCalibrate")->click();
        }
        said = form->findChild<QLabel*>("lblCalibration")->text();
        static_cast<QDialog*>(form)->accept();
    });
    return said;
}

QString frequency(WindowHarness& h)
{
    return golden::show(h.find<QLabel>("Tab0lblFrequency")->text());
}

// The chart's curves by colour number: points drawn solid and dotted.
QString curves(WindowHarness& h)
{
    QMap<int, QPair<int, int>> seen;
    for (const DrawOp& op : h.chart(Profile).picture()->ops)
        if (op.kind == DrawOp::Polyline)
            for (int i = 1; i <= 7; ++i)
                if (XYCurveColor(i) == op.color) {
                    (op.style == Qt::DotLine ? seen[i].second : seen[i].first) += int(op.points.size());
                    break;
                }
    QStringList out;
    for (auto it = seen.begin(); it != seen.end(); ++it)
        out << QStringLiteral("curve %1: %2 solid, %3 dotted").arg(it.key()).arg(it.value().first).arg(it.value().second);
    return out.isEmpty() ? QStringLiteral("chart empty") : out.join(", ");
}

// bench | rows "x,y;..." | note | "tip trim, butt trim" => the frequency line
// chart | bench | rows | note | trims => under the chart | its curves, in the EI view after Plot
// calibrate | bench | rows | note | dialog actions, ";" apart => what the dialog
// said | the frequency line after | the same after the settings are read again
QString run(const QStringList& in)
{
    WindowHarness h;
    h.fill(Profile, in[2].split(';'));
    h.note(Profile).setPlainText(in[3]);
    if (in[0] == "chart") {
        settings(h, in[1]);
        h.click("Tab0cmdPlot");
        h.find<QComboBox>("Tab0cmbView")->setCurrentText("EI");
        const QStringList trims = in[4].split(',');
        h.find<QDoubleSpinBox>("Tab0txtTipTrim")->setValue(trims[0].toDouble());
        h.find<QDoubleSpinBox>("Tab0txtButtTrim")->setValue(trims[1].toDouble());
        auto* label = h.find<QLabel>("Tab0lblView");
        return (label->isVisibleTo(h.window.get()) ? golden::show(label->text()) : QStringLiteral("-")) + " | " + curves(h);
    }
    if (in[0] == "figure") {
        settings(h, in[1]);
        const QStringList trims = in.value(4, "0,0").split(',');
        h.find<QDoubleSpinBox>("Tab0txtTipTrim")->setValue(trims[0].toDouble());
        h.find<QDoubleSpinBox>("Tab0txtButtTrim")->setValue(trims[1].toDouble());
        return frequency(h);
    }
    settings(h, in[1]);
    const QString said = settings(h, in[1], in[4].split(';'));
    const QString after = frequency(h);
    // What the dialog shows when opened again: the calibration was kept.
    const QString kept = settings(h, in[1]);
    return QStringList{golden::show(said), after, golden::show(kept)}.join(" | ");
}

} // namespace

class TestFrequency : public QObject {
    Q_OBJECT
private slots:
    void cases() { GOLDEN_VERIFY(golden::cases("window/frequency.txt", run)); }
};

QTEST_MAIN(TestFrequency)
#include "tst_frequency.moc"
