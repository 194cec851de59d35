// The device link in the main window, on a scripted serial port: the port
// controls and their states, the live load boxes, the "Add" buttons, and the
// polar table's "Reset" and New.
#include "frmMain.h"
#include "device/RxFraming.h"
#include "fakes/FakePlatform.h"
#include "tables/DataTable.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

using namespace tarvex;

namespace {

QStringList items(const QComboBox* box)
{
    QStringList names;
    for (int i = 0; i < box->count(); ++i)
        names << box->itemText(i);
    return names;
}

// A shown main window over fakes; the port list is scripted before start-up.
struct Bench {
    FakePlatform fakes;
    std::unique_ptr<frmMain> window;

    explicit Bench(const QStringList& ports = {QStringLiteral("A"), QStringLiteral("B")})
    {
        fakes.serialPort->ports = ports;
        window = std::make_unique<frmMain>(fakes.bundle());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    FakeSerialPort& port() { return *fakes.serialPort; }
    void clickOpen() { QTest::mouseClick(window->cmdOpen, Qt::LeftButton); }
    void dropDown()
    {
        window->cmbCommPort->showPopup();
        window->cmbCommPort->hidePopup();
    }
};

} // namespace

class TestDevice : public QObject {
    Q_OBJECT
private slots:
    // ---- start-up and the open/close button ---------------------------------

    void noPorts()
    {
        Bench b(QStringList{});
        QCOMPARE(b.window->cmbCommPort->count(), 0);
        QVERIFY(!b.window->cmbCommPort->isEnabled());
        QCOMPARE(b.window->cmdOpen->text(), QStringLiteral("COM Close"));
        QVERIFY(!b.window->cmdOpen->isEnabled());
        b.clickOpen();
        QVERIFY(b.port().openAttempts.isEmpty());
    }

    void twoPortsLastSelected()
    {
        Bench b;
        QCOMPARE(items(b.window->cmbCommPort), QStringList({"A", "B"}));
        QCOMPARE(b.window->cmbCommPort->currentText(), QStringLiteral("B"));
        QVERIFY(b.window->cmbCommPort->isEnabled());
        QCOMPARE(b.window->cmdOpen->text(), QStringLiteral("COM Open"));
        QVERIFY(b.window->cmdOpen->isEnabled());
        QCOMPARE(b.port().lineSettings(), LineSettings{});
        QCOMPARE(b.port().byteSetting(), quint8(32));
    }

    void openAndClose()
    {
        Bench b;
        b.clickOpen();
        QCOMPARE(b.port().openedName, QStringLiteral("B"));
        QVERIFY(b.port().isOpen());
        QCOMPARE(b.window->cmdOpen->text(), QStringLiteral("COM Close"));
        QVERIFY(!b.window->cmbCommPort->isEnabled());
        b.clickOpen();
        QVERIFY(!b.port().isOpen());
        QCOMPARE(b.port().closeCount, 1);
        QCOMPARE(b.window->cmdOpen->text(), QStringLiteral("COM Open"));
        QVERIFY(b.window->cmbCommPort->isEnabled());
        QVERIFY(b.fakes.messageBox->asked.isEmpty());
    }

    void openFailureShowsTheSystemText()
    {
        Bench b;
        b.port().openError = QStringLiteral("Device or resource busy");
        b.clickOpen();
        QCOMPARE(b.fakes.messageBox->texts(), QStringList{"Device or resource busy"});
        QCOMPARE(b.fakes.messageBox->asked.at(0).title, QStringLiteral("Tarvex RS232"));
        QCOMPARE(b.fakes.messageBox->asked.at(0).buttons, MsgButtons::Ok);
        // Open failed: the caption says close, the list can still be changed.
        QCOMPARE(b.window->cmdOpen->text(), QStringLiteral("COM Close"));
        QVERIFY(b.window->cmbCommPort->isEnabled());

        // The click from there only brings back "COM Open": nothing to close.
        b.clickOpen();
        QCOMPARE(b.window->cmdOpen->text(), QStringLiteral("COM Open"));
        QCOMPARE(b.port().closeCount, 0);
        QCOMPARE(b.fakes.messageBox->asked.size(), 1);

        b.port().openError.clear();
        b.window->cmbCommPort->setCurrentIndex(0);
        b.clickOpen();
        QCOMPARE(b.port().openedName, QStringLiteral("A"));
    }

    // ---- port list refreshed when it opens ---------------------------------

    void dropDownRefreshesKeepingTheChoice()
    {
        Bench b;
        b.port().ports = QStringList{"C", "B", "D"};
        b.dropDown();
        QCOMPARE(items(b.window->cmbCommPort), QStringList({"C", "B", "D"}));
        QCOMPARE(b.window->cmbCommPort->currentText(), QStringLiteral("B"));
    }

    void dropDownWithoutTheChosenPortSelectsTheLast()
    {
        Bench b;
        b.window->cmbCommPort->setCurrentIndex(0);
        b.port().ports = QStringList{"B", "E"};
        b.dropDown();
        QCOMPARE(items(b.window->cmbCommPort), QStringList({"B", "E"}));
        QCOMPARE(b.window->cmbCommPort->currentText(), QStringLiteral("E"));
    }

    void noRefreshWhileOpen()
    {
        Bench b;
        b.clickOpen();
        const int looks = b.port().portCountCalls;
        b.port().ports = QStringList{"Z"};
        b.dropDown();
        QCOMPARE(b.port().portCountCalls, looks);
        QCOMPARE(items(b.window->cmbCommPort), QStringList({"A", "B"}));
    }

    // ---- live load boxes ---------------------------------------------------

    void framingIntoTheActiveBox_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("shown");   // active box after each chunk
        QTest::newRow("split reading") << 0 << QStringList{"12.5", "0\r\n"} << QStringList{"Ready", "12.50"};
        QTest::newRow("line end alone") << 0 << QStringList{"\r\n"} << QStringList{""};
        QTest::newRow("8 after the line end starts the next") << 0 << QStringList{"7\r\n8", "9\r\n"} << QStringList{"7", "89"};
        QTest::newRow("tab 1") << 1 << QStringList{"12.5\r\n"} << QStringList{"12.5"};
    }
    void framingIntoTheActiveBox()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, chunks);
        QFETCH(QStringList, shown);
        Bench b;
        b.clickOpen();
        b.window->SSTab1->setCurrentIndex(tab);
        QLineEdit* active = tab == 0 ? b.window->Tab0txtLoad : b.window->Tab1txtLoad;
        QLineEdit* other = tab == 0 ? b.window->Tab1txtLoad : b.window->Tab0txtLoad;
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            b.port().feed(chunks[i]);
            QCOMPARE(active->text(), shown[i]);
        }
        QCOMPARE(other->text(), QStringLiteral("Ready"));
        QCOMPARE(b.window->RxBuffer.text, QString());
    }

    void charactersKeptAcrossCloseAndReopen()
    {
        Bench b;
        b.clickOpen();
        b.port().feed(QStringLiteral("12."));
        b.clickOpen();
        b.clickOpen();
        QVERIFY(b.port().isOpen());
        b.port().feed(QStringLiteral("5\r\n"));
        QCOMPARE(b.window->Tab0txtLoad->text(), QStringLiteral("12.5"));
    }

    // A line given up at the bound is never shown: the box keeps what it had.
    void endlessLineStaysBoundedAndReadingCarriesOn()
    {
        Bench b;
        b.clickOpen();
        b.port().feed(QStringLiteral("1.5\r\n-0."));
        for (int i = 0; i < 50; ++i)
            b.port().feed(QString(200, QLatin1Char('0')));
        QVERIFY(b.window->RxBuffer.text.size() <= kRxBufferLimit);
        b.port().feed(QStringLiteral("5\r\n"));
        QCOMPARE(b.window->Tab0txtLoad->text(), QStringLiteral("1.5"));
        b.port().feed(QStringLiteral("3.25\r\n"));
        QCOMPARE(b.window->Tab0txtLoad->text(), QStringLiteral("3.25"));
    }

    void failedReadAddsNothing()
    {
        Bench b;
        b.clickOpen();
        b.port().feed(QStringLiteral("1"));
        b.port().readFails = true;
        b.port().feed(QStringLiteral("2\r\n"));
        QCOMPARE(b.window->RxBuffer.text, QStringLiteral("1"));
        QCOMPARE(b.window->Tab0txtLoad->text(), QStringLiteral("Ready"));
    }

    // ---- the port going away -----------------------------------------------

    void vanishedPortReportedOnceAndControlsClosed()
    {
        Bench b;
        b.clickOpen();
        b.port().disappear(QStringLiteral("Input/output error"));
        QCOMPARE(b.fakes.messageBox->asked.size(), 1);
        const QString text = b.fakes.messageBox->asked.at(0).text;
        QVERIFY2(text.contains(QLatin1String("B")) && text.contains(QLatin1String("Input/output error")), qPrintable(text));
        QCOMPARE(b.window->cmdOpen->text(), QStringLiteral("COM Open"));
        QVERIFY(b.window->cmdOpen->isEnabled());
        QVERIFY(b.window->cmbCommPort->isEnabled());
        // Plugged back in: one click opens it again.
        b.clickOpen();
        QVERIFY(b.port().isOpen());
        QCOMPARE(b.port().openAttempts.size(), 2);
    }

    // ---- closing the window ------------------------------------------------

    void yesToSaveClosesThePortAndShowsItClosed()
    {
        Bench b;
        b.clickOpen();
        b.window->PolarModified = true;
        b.fakes.messageBox->answers = {MsgResult::Yes};
        b.window->close();
        QVERIFY(b.window->isVisible());
        QVERIFY(!b.port().isOpen());
        QCOMPARE(b.window->cmdOpen->text(), QStringLiteral("COM Open"));
        QVERIFY(b.window->cmbCommPort->isEnabled());
        b.clickOpen();
        QVERIFY(b.port().isOpen());
    }

    void closingClosesAnOpenPort()
    {
        Bench b;
        b.clickOpen();
        QVERIFY(b.window->close());
        QVERIFY(!b.port().isOpen());
        QCOMPARE(b.port().closeCount, 1);
        QVERIFY(b.fakes.messageBox->asked.isEmpty());
    }

    // ---- "Add" -------------------------------------------------------------

    void addOnTab0()
    {
        Bench b;
        b.clickOpen();
        b.window->ProfilePlotted = true;
        b.window->Tab0msGrid->setRows(4);
        b.port().feed(QStringLiteral("12.50\r\n"));
        QTest::mouseClick(b.window->Tab0cmdAdd, Qt::LeftButton);
        // Before any click in the table the current cell is row 1, column 0.
        QCOMPARE(b.window->Tab0msGrid->TextMatrix(1, 0), QStringLiteral("12.5"));
        QCOMPARE(b.window->Tab0msGrid->Row(), 2);
        QVERIFY(b.window->ProfileModified);
        // The next Plot must take the captured run as a further curve.
        QVERIFY(!b.window->ProfilePlotted);
        QVERIFY(!b.window->PolarModified);
    }

    void addOnTab1WritesTheLoadColumn()
    {
        Bench b;
        b.window->SSTab1->setCurrentIndex(1);
        QTest::mouseClick(b.window->Tab1cmdSet, Qt::LeftButton);
        QCOMPARE(b.window->Tab1msGrid->Rows(), 13);
        b.port().feed(QStringLiteral("3 kN\r\n"));
        QTest::mouseClick(b.window->Command1, Qt::LeftButton);
        QTest::mouseClick(b.window->Command1, Qt::LeftButton);
        QCOMPARE(b.window->Tab1msGrid->TextMatrix(1, 1), QStringLiteral("3"));
        QCOMPARE(b.window->Tab1msGrid->TextMatrix(2, 1), QStringLiteral("3"));
        QCOMPARE(b.window->Tab1msGrid->TextMatrix(1, 0), QStringLiteral("0"));
        QCOMPARE(b.window->Tab1msGrid->Row(), 3);
        QCOMPARE(b.window->Tab1msGrid->Col(), 1);
        QVERIFY(b.window->PolarModified);
        QVERIFY(!b.window->ProfileModified);
    }

    void readyRecordsZero()
    {
        Bench b;
        QTest::mouseClick(b.window->Tab0cmdAdd, Qt::LeftButton);
        QCOMPARE(b.window->Tab0msGrid->TextMatrix(1, 0), QStringLiteral("0"));
    }

    void closingAfterACaptureAsksToSave()
    {
        Bench b;
        b.port().feed(QStringLiteral("12.5\r\n"));
        QTest::mouseClick(b.window->Tab0cmdAdd, Qt::LeftButton);
        b.fakes.messageBox->answers = {MsgResult::No};
        b.window->close();
        QCOMPARE(b.fakes.messageBox->texts(), QStringList{"Do you want to save the data?"});
    }

    void unrecordableReadingLeavesTheFlags()
    {
        Bench b;
        b.window->SSTab1->setCurrentIndex(1);
        b.port().feed(QStringLiteral("1e999\r\n"));
        QTest::mouseClick(b.window->Command1, Qt::LeftButton);
        QVERIFY(!b.window->PolarModified);
        QCOMPARE(b.window->Tab1msGrid->TextMatrix(1, 1), QString());
    }

    // ---- polar table: start-up, "Reset", New --------------------------------

    void polarStartUp()
    {
        Bench b;
        QCOMPARE(items(b.window->Tab1cmbInterval), QStringList({"1", "2", "5", "10", "15", "30", "45", "60", "90"}));
        QCOMPARE(b.window->Tab1cmbInterval->currentText(), QStringLiteral("30"));
        QVERIFY(!b.window->Tab1cmbInterval->isEditable());
        QCOMPARE(b.window->Tab1msGrid->snapshot(),
                 (std::vector<QStringList>{{QStringLiteral("Degree"), QStringLiteral("Load")}, {QString(), QString()}}));
        QVERIFY(!b.window->PolarModified);
        QVERIFY(b.window->PolarFileName.isEmpty());
    }

    void resetWithoutNoteAsksNothing()
    {
        Bench b;
        b.window->SSTab1->setCurrentIndex(1);
        b.window->PolarModified = true;
        b.window->PolarFileName = QStringLiteral("shaft.tvp");
        b.window->setWindowTitle(QStringLiteral("Tarvex RS232 - shaft.tvp"));
        b.window->Tab1cmbInterval->setCurrentText(QStringLiteral("90"));
        QTest::mouseClick(b.window->Tab1cmdSet, Qt::LeftButton);
        QVERIFY(b.fakes.messageBox->asked.isEmpty());
        QCOMPARE(b.window->Tab1msGrid->Rows(), 5);
        QCOMPARE(b.window->Tab1msGrid->TextMatrix(4, 0), QStringLiteral("270"));
        QVERIFY(!b.window->PolarModified);
        QVERIFY(b.window->PolarFileName.isEmpty());
        QCOMPARE(b.window->windowTitle(), QStringLiteral("Tarvex RS232"));
    }

    void resetAsksAboutTheNote_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("noteAfter");
        QTest::newRow("Yes empties it") << int(MsgResult::Yes) << "";
        QTest::newRow("No keeps it") << int(MsgResult::No) << "spine at 90";
    }
    void resetAsksAboutTheNote()
    {
        QFETCH(int, answer);
        QFETCH(QString, noteAfter);
        Bench b;
        b.window->SSTab1->setCurrentIndex(1);
        b.window->Tab1txtNote->setPlainText(QStringLiteral("spine at 90"));
        b.fakes.messageBox->answers = {static_cast<MsgResult>(answer)};
        QTest::mouseClick(b.window->Tab1cmdSet, Qt::LeftButton);
        QCOMPARE(b.fakes.messageBox->texts(), QStringList{"Do you want to reset the note also?"});
        QCOMPARE(b.fakes.messageBox->asked.at(0).buttons, MsgButtons::YesNo);
        QCOMPARE(b.fakes.messageBox->asked.at(0).title, QStringLiteral("Tarvex RS232"));
        QCOMPARE(b.window->Tab1txtNote->toPlainText(), noteAfter);
        QCOMPARE(b.window->Tab1msGrid->Rows(), 13);
    }

    void resetWithEmptyIntervalDoesNothing()
    {
        Bench b;
        b.window->SSTab1->setCurrentIndex(1);
        b.window->Tab1txtNote->setPlainText(QStringLiteral("note"));
        b.window->PolarFileName = QStringLiteral("shaft.tvp");
        b.window->Tab1cmbInterval->setCurrentIndex(-1);
        QTest::mouseClick(b.window->Tab1cmdSet, Qt::LeftButton);
        QVERIFY(b.fakes.messageBox->asked.isEmpty());
        QCOMPARE(b.window->Tab1msGrid->Rows(), 2);
        QCOMPARE(b.window->PolarFileName, QStringLiteral("shaft.tvp"));
    }

    void newOnTab1()
    {
        Bench b;
        b.window->SSTab1->setCurrentIndex(1);
        QTest::mouseClick(b.window->Tab1cmdSet, Qt::LeftButton);
        b.port().feed(QStringLiteral("4\r\n"));
        QTest::mouseClick(b.window->Command1, Qt::LeftButton);
        b.window->Tab1txtNote->setPlainText(QStringLiteral("note"));
        b.window->PolarFileName = QStringLiteral("shaft.tvp");
        b.window->mnuNew->trigger();
        QCOMPARE(b.window->Tab1msGrid->snapshot(),
                 (std::vector<QStringList>{{QStringLiteral("     Degree"), QStringLiteral("     Load")},
                                           {QString(), QString()}}));
        QVERIFY(b.window->Tab1txtNote->toPlainText().isEmpty());
        QVERIFY(b.window->PolarModified);
        QCOMPARE(b.window->PolarFileName, QStringLiteral("shaft.tvp"));
    }
};

QTEST_MAIN(TestDevice)
#include "tst_device.moc"
