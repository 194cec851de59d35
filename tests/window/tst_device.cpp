// The port row, the live load boxes and the "Add" buttons, on a scripted
// serial port. Cases are in tests/golden/window/device.txt.
#include "device/ReadingReceiver.h"
#include "harness/WindowHarness.h"
#include "platform/PictureAreaWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

// The port list's items, [choice] when it can be changed, (choice) when not,
// and the button.
QString rowOf(WindowHarness& h)
{
    auto* list = h.find<QComboBox>("cmbCommPort");
    auto* button = h.find<QPushButton>("cmdOpen");
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->itemText(i);
    return names.join(',') + (list->isEnabled() ? " [" : " (") + list->currentText() + (list->isEnabled() ? "] " : ") ")
         + button->text() + (button->isEnabled() ? "" : " disabled");
}

// port | ports | steps: "click", "fail TEXT" (the next open fails), "list A,B"
// (the system's ports, then the list opens), "pick N", "gone" (the open port
// disappears) => the row after each step | what was said; closing closes the port
QString portRow(const QStringList& in)
{
    WindowHarness h(in[1].split(',', Qt::SkipEmptyParts));
    FakeSerialPort& port = *h.fakes.serialPort;
    auto* list = h.find<QComboBox>("cmbCommPort");
    QStringList rows;
    for (const QString& s : in[2].split(';')) {
        const QString step = s.section(' ', 0, 0), arg = s.section(' ', 1);
        if (step == "click" || step == "fail") {
            port.openError = arg;
            h.click("cmdOpen");
        } else if (step == "list") {
            port.ports = arg.split(',');
            list->showPopup();
            list->hidePopup();
        } else if (step == "pick") {
            list->setCurrentIndex(arg.toInt());
        } else if (step == "gone") {
            port.disappear("Input/output error");
        }
        rows << rowOf(h);
    }
    for (const QString& text : h.fakes.messageBox->texts())
        rows << "said " + golden::show(text);
    h.window->close();
    return rows.join(" ; ") + (port.isOpen() ? " | LEFT OPEN" : "");
}

// A live box as it looks: its text, (grey) when not in the live green, and
// the line received as its tip when that differs from the text.
QString boxOf(QLineEdit& box)
{
    QString out = box.text();
    if (box.palette().color(QPalette::Base) != QColor(192, 255, 192))
        out += " (grey)";
    if (!box.toolTip().isEmpty() && box.toolTip() != box.text())
        out += " [" + golden::show(box.toolTip()) + "]";
    return out;
}

// live | profile|polar | chunks received => the box before the port opens,
// then after it opens and after each chunk | the other tab's box
QString liveBox(const QStringList& in)
{
    const Workspace ws = in[1] == "polar" ? Polar : Profile;
    WindowHarness h;
    h.showTab(ws);
    QStringList shown{boxOf(h.load(ws))};
    h.click("cmdOpen");
    shown << boxOf(h.load(ws));
    for (const QString& chunk : in[2].split(';')) {
        if (chunk == "close")
            h.click("cmdOpen");
        else
            h.fakes.serialPort->feed(chunk);
        shown << boxOf(h.load(ws));
    }
    return shown.join(" ; ") + " | other " + boxOf(h.load(ws == Profile ? Polar : Profile));
}

// add | profile|polar | steps: text received, "wait MS", "close", "gone" =>
// the workspace after "Add" on row 1, column 0 of a plotted, saved table |
// the live box | the status bar
QString add(const QStringList& in)
{
    const Workspace ws = in[1] == "polar" ? Polar : Profile;
    WindowHarness h;
    qint64 now = 0;
    h.window->findChild<ReadingReceiver*>()->setClock([&now] { return now; });
    h.fill(Profile, {"1,1", "2,2", "3,3"});
    h.fill(Polar, {"1,1", "2,2", "3,3"});
    h.click("Tab0cmdPlot");
    h.showTab(ws);
    h.table(ws).setCurrent(1, 0);
    h.click("cmdOpen");
    for (const QString& step : in[2].split(';')) {
        if (step.startsWith("wait "))
            now += step.mid(5).toLongLong();
        else if (step == "close")
            h.click("cmdOpen");
        else if (step == "gone")
            h.fakes.serialPort->disappear("Input/output error");
        else
            h.fakes.serialPort->feed(step);
    }
    h.click(ws == Profile ? "Tab0cmdAdd" : "Command1");
    return h.state(ws) + " | " + h.load(ws).text() + " | " + h.window->statusBar()->currentMessage();
}

// bench | profile|polar | steps: "MS:line" (the line arrives at MS), "add",
// "zero", "auto", "average N" (typed in Settings) => the workspace | live box | steadiness | status bar
QString bench(const QStringList& in)
{
    const Workspace ws = in[1] == "polar" ? Polar : Profile;
    const QString prefix = ws == Profile ? "Tab0" : "Tab1";
    WindowHarness h;
    qint64 now = 0;
    auto* receiver = h.window->findChild<ReadingReceiver*>();
    receiver->setClock([&now] { return now; });
    h.fill(ws, {"1,", "2,", "3,"});   // loads to come: the save of empty loads is refused
    h.fakes.messageBox->asked.clear();
    h.table(ws).setCurrent(1, 1);
    h.click("cmdOpen");
    for (const QString& step : in[2].split(';')) {
        if (step == "add")
            h.click(ws == Profile ? "Tab0cmdAdd" : "Command1");
        else if (step == "zero")
            h.click(prefix + "cmdZero");
        else if (step == "auto")
            h.find<QCheckBox>(prefix + "chkAuto")->setChecked(true);
        else if (step.startsWith("average ")) {
            withModal([&] { h.click("mnuEnv"); }, [&](QWidget* form) {
                form->findChild<QSpinBox*>("txtAverage")->setValue(step.mid(8).toInt());
                static_cast<QDialog*>(form)->accept();
            });
        } else {
            now = step.section(':', 0, 0).toLongLong();
            h.fakes.serialPort->feed(step.section(':', 1) + "\r\n");
        }
    }
    const QString shown = h.load(ws).text() + " | " + h.find<QLabel>(prefix + "lblSteady")->text() + " | "
                        + h.window->statusBar()->currentMessage() + " | " + h.find<QLabel>(prefix + "lblNext")->text()
                        + (h.find<QCheckBox>(prefix + "chkAuto")->isChecked() ? " | Auto on" : "");
    return h.state(ws) + " | " + shown;
}

// keep | readings => the profile after "Add" of each into empty loads, Save
// and Open again
QString keep(const QStringList& in)
{
    WindowHarness h;
    h.fill(Profile, {"1,", "2,", "3,"});
    h.fakes.messageBox->asked.clear();
    h.table(Profile).setCurrent(1, 1);
    h.click("cmdOpen");
    for (const QString& line : in[1].split(';')) {
        h.fakes.serialPort->feed(line);
        h.click("Tab0cmdAdd");
    }
    h.save("keep.tvl");
    h.click("mnuNew");
    h.fakes.fileDialog->paths = {h.path("keep.tvl")};
    h.click("mnuOpen");
    return h.state(Profile);
}

// set | start | steps | count => the profile after "Set"
QString set(const QStringList& in)
{
    WindowHarness h;
    h.find<QLineEdit>("Tab0txtStart")->setText(in[1]);
    h.find<QLineEdit>("Tab0txtInterv")->setText(in[2]);
    h.find<QComboBox>("Tab0cmbClubs")->setEditText(in[3]);
    h.click("Tab0cmdSet");
    return h.state(Profile);
}

// The texts drawn on a picture, in order, " " apart (a label's own blanks
// trimmed).
QString textsOn(const PictureArea& area)
{
    QStringList out;
    for (const DrawOp& op : area.picture()->ops)
        if (op.kind == DrawOp::Text && !op.text.trimmed().isEmpty())
            out << op.text.trimmed();
    return out.join(' ');
}

// numbers | readings received a tenth of a second apart | polar rows =>
// the strip chart's load labels | the sine view's axis labels, zoomed to
// the spine (the numbers the program writes itself)
QString numbersShown(const QStringList& in)
{
    WindowHarness h;
    h.fill(Polar, in[2].split(';'));
    h.click("cmdOpen");
    qint64 now = 0;
    h.window->findChild<ReadingReceiver*>()->setClock([&now] { return now; });
    for (const QString& line : in[1].split(';')) {
        now += 100;
        h.fakes.serialPort->feed(line + "\r\n");
    }
    QTest::qWait(300);   // the strip chart follows the readings a few times a second
    QString sine;
    withModal([&] { h.click("Tab1cmdSine"); }, [&](QWidget* form) {
        form->findChild<QCheckBox*>("chkZoom")->setChecked(true);
        sine = textsOn(*form->findChild<PictureAreaWidget*>("SineDrawing")->area());
        form->close();
    });
    return textsOn(*h.find<PictureAreaWidget>("Tab1picStrip")->area()) + " | " + sine;
}

// unit | steps: "unit U" (picked in Settings), "caption T" (the profile's load
// heading typed), a button or menu command => both load headings after each
QString unitHeadings(const QStringList& in)
{
    WindowHarness h;
    QStringList out;
    for (const QString& step : in[1].split(';')) {
        const QString arg = step.section(' ', 1);
        if (step.startsWith("unit "))
            withModal([&] { h.click("mnuEnv"); }, [&](QWidget* form) {
                auto* unit = form->findChild<QComboBox*>("cmbUnit");
                unit->setCurrentIndex(unit->findText(arg));
                static_cast<QDialog*>(form)->accept();
            });
        else if (step.startsWith("caption "))
            h.table(Profile).setTextMatrix(0, 1, arg);
        else
            h.click(step);
        out << h.table(Profile).TextMatrix(0, 1) + ", " + h.table(Polar).TextMatrix(0, 1).trimmed();
    }
    return out.join(" ; ");
}

} // namespace

class TestDevice : public QObject {
    Q_OBJECT
private slots:
    void cases()
    {
        // Run once more on a desktop that writes numbers with a decimal comma.
        const QString file = qEnvironmentVariable("TARVEX_DEVICE_CASES", "window/device.txt");
        GOLDEN_VERIFY(golden::cases(file, [](const QStringList& in) {
            return in[0] == "port" ? portRow(in) : in[0] == "live" ? liveBox(in) : in[0] == "keep" ? keep(in) : in[0] == "unit" ? unitHeadings(in) : in[0] == "numbers" ? numbersShown(in)
                 : in[0] == "set" ? set(in) : in[0] == "bench" ? bench(in) : add(in);
        }));
    }
};

QTEST_MAIN(TestDevice)
#include "tst_device.moc"
