// The port row, the live load boxes and the "Add" buttons, on a scripted
// serial port. Cases are in tests/golden/window/device.txt.
#include "harness/WindowHarness.h"

#include <QComboBox>
#include <QPushButton>

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

// live | profile|polar | chunks received => the live box after each | the other tab's box
QString liveBox(const QStringList& in)
{
    const Workspace ws = in[1] == "polar" ? Polar : Profile;
    WindowHarness h;
    h.click("cmdOpen");
    h.showTab(ws);
    QStringList shown;
    for (const QString& chunk : in[2].split(';')) {
        h.fakes.serialPort->feed(chunk);
        shown << h.load(ws).text();
    }
    return shown.join(' ') + " | other " + h.load(ws == Profile ? Polar : Profile).text();
}

// add | profile|polar | line received => the workspace after "Add" on row 1,
// column 0 of a plotted, saved table
QString add(const QStringList& in)
{
    const Workspace ws = in[1] == "polar" ? Polar : Profile;
    WindowHarness h;
    h.fill(Profile, {"1,1", "2,2", "3,3"});
    h.fill(Polar, {"1,1", "2,2", "3,3"});
    h.click("Tab0cmdPlot");
    h.showTab(ws);
    h.table(ws).setCurrent(1, 0);
    h.click("cmdOpen");
    h.fakes.serialPort->feed(in[2]);
    h.click(ws == Profile ? "Tab0cmdAdd" : "Command1");
    return h.state(ws);
}

} // namespace

class TestDevice : public QObject {
    Q_OBJECT
private slots:
    void cases()
    {
        GOLDEN_VERIFY(golden::cases("window/device.txt", [](const QStringList& in) {
            return in[0] == "port" ? portRow(in) : in[0] == "live" ? liveBox(in) : add(in);
        }));
    }
};

QTEST_MAIN(TestDevice)
#include "tst_device.moc"
