// The port row, the live load boxes and the "Add" buttons, on a scripted
// serial port.
#include "harness/WindowHarness.h"

#include <QComboBox>
#include <QPushButton>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

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

} // namespace

class TestDevice : public QObject {
    Q_OBJECT
private slots:
    // A script of steps on the port row: "click", "fail TEXT" (the next open
    // fails), "list A,B" (the ports the system has, then the list opens),
    // "pick N", "gone" (the open port disappears); after each, the row.
    void portRow_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("no ports") << QStringList{} << QStringList{"click"} << QStringList{" () COM Close disabled"}
                                  << QStringList{};
        QTest::newRow("open and close") << QStringList{"A", "B"} << QStringList{"click", "click"}
                                        << QStringList{"A,B (B) COM Close", "A,B [B] COM Open"} << QStringList{};
        QTest::newRow("open fails, click again, other port")
            << QStringList{"A", "B"} << QStringList{"fail Device or resource busy", "click", "pick 0", "click"}
            << QStringList{"A,B [B] COM Close", "A,B [B] COM Open", "A,B [A] COM Open", "A,B (A) COM Close"}
            << QStringList{"Device or resource busy"};
        QTest::newRow("list refreshed, choice kept") << QStringList{"A", "B"} << QStringList{"list C,B,D"}
                                                     << QStringList{"C,B,D [B] COM Open"} << QStringList{};
        QTest::newRow("choice gone: the last") << QStringList{"A", "B"} << QStringList{"pick 0", "list B,E"}
                                               << QStringList{"A,B [A] COM Open", "B,E [E] COM Open"} << QStringList{};
        QTest::newRow("no refresh while open") << QStringList{"A", "B"} << QStringList{"click", "list Z"}
                                               << QStringList{"A,B (B) COM Close", "A,B (B) COM Close"} << QStringList{};
        QTest::newRow("port gone") << QStringList{"A", "B"} << QStringList{"click", "gone", "click"}
                                   << QStringList{"A,B (B) COM Close", "A,B [B] COM Open", "A,B (B) COM Close"}
                                   << QStringList{"The serial port B stopped working and has been closed.\n\nInput/output error"};
    }
    void portRow()
    {
        QFETCH(QStringList, ports);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, messages);
        WindowHarness h(ports);
        FakeSerialPort& port = *h.fakes.serialPort;
        auto* list = h.find<QComboBox>("cmbCommPort");
        for (int i = 0; i < steps.size(); ++i) {
            const QString step = steps[i].section(' ', 0, 0), arg = steps[i].section(' ', 1);
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
            QCOMPARE(rowOf(h), rows[i]);
        }
        QCOMPARE(h.fakes.messageBox->texts(), messages);
        h.window->close();
        QVERIFY(!port.isOpen());
    }

    // Readings go to the active workspace's live box only.
    void liveBox_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("profile, split") << Profile << QStringList{"12.5", "0\r\n7\r\n8", "9\r\n"}
                                        << QStringList{"Ready", "7", "89"};
        QTest::newRow("polar") << Polar << QStringList{"12.5\r\n"} << QStringList{"12.5"};
    }
    void liveBox()
    {
        QFETCH(Workspace, ws);
        QFETCH(QStringList, chunks);
        QFETCH(QStringList, shown);
        WindowHarness h;
        h.click("cmdOpen");
        h.showTab(ws);
        for (int i = 0; i < chunks.size(); ++i) {
            h.fakes.serialPort->feed(chunks[i]);
            QCOMPARE(h.load(ws).text(), shown[i]);
        }
        QCOMPARE(h.load(ws == Profile ? Polar : Profile).text(), QStringLiteral("Ready"));
    }

    // "Add" writes the live reading into the current cell and moves down; a
    // recorded reading is a change to save and to plot again.
    void add_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<bool>("recorded");
        QTest::newRow("profile") << Profile << "12.50\r\n" << QStringList{"12.5,1", "2,2", "3,3"} << 2 << true;
        QTest::newRow("profile, same value") << Profile << "1\r\n" << QStringList{"1,1", "2,2", "3,3"} << 2 << true;
        QTest::newRow("profile, Ready") << Profile << "" << QStringList{"0,1", "2,2", "3,3"} << 2 << true;
        QTest::newRow("polar, unit") << Polar << "3 kN\r\n" << QStringList{"1,3", "2,2", "3,3"} << 2 << true;
        QTest::newRow("polar, not a number") << Polar << "1e999\r\n" << QStringList{"1,1", "2,2", "3,3"} << 1 << false;
    }
    void add()
    {
        QFETCH(Workspace, ws);
        QFETCH(QString, reading);
        QFETCH(QStringList, rows);
        QFETCH(int, currentRow);
        QFETCH(bool, recorded);
        WindowHarness h;
        h.fill(Profile, {"1,1", "2,2", "3,3"});
        h.fill(Polar, {"1,1", "2,2", "3,3"});
        h.click("Tab0cmdPlot");
        h.showTab(ws);
        h.table(ws).setCurrent(1, 0);
        h.click("cmdOpen");
        h.fakes.serialPort->feed(reading);
        h.click(ws == Profile ? "Tab0cmdAdd" : "Command1");
        QCOMPARE(h.rows(ws), rows);
        QCOMPARE(h.table(ws).Row(), currentRow);
        QCOMPARE(h.unsaved(), recorded ? QStringList{ws == Profile ? "tvl" : "tvp"} : QStringList{});
        QCOMPARE(h.plotActs(), recorded && ws == Profile);
    }
};

QTEST_MAIN(TestDevice)
#include "tst_device.moc"
