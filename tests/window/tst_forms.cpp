// The forms the main window opens: the report of the active workspace, the
// sine plot, and the splash at start-up and as the About box.
#include "harness/WindowHarness.h"

#include "frmSplash.h"

#include <QLabel>
#include <QTimer>

using namespace tarvex;
using namespace tarvex::testing;

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void printReportsTheActiveWorkspace_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<double>("chartWidth");
        QTest::newRow("profile") << Profile << "X  Y" << 6.3;
        QTest::newRow("polar") << Polar << "Degree  Load" << 3.7;
    }
    void printReportsTheActiveWorkspace()
    {
        QFETCH(Workspace, ws);
        QFETCH(QString, firstRow);
        QFETCH(double, chartWidth);
        WindowHarness h;
        h.note(ws == Profile ? Polar : Profile).setPlainText("other tab");
        h.note(ws).setPlainText("line one\nline two");
        h.showTab(ws);
        const QStringList forms = withModal([&] { h.click("Toolbar1_Print"); }, [](QWidget* form) {
            QTest::keyClicks(form->findChild<QLineEdit*>("txtShaftName"), "Shaft 7");
            form->findChild<QAbstractButton*>("cmdPrint")->click();
            form->findChild<QAbstractButton*>("cmdClose")->click();
        });
        QCOMPARE(forms, QStringList{"tarvex::frmPrintView"});
        QCOMPARE(h.fakes.printer->sent.size(), 1);
        QStringList texts;
        double width = 0;
        for (const PrintedOp& op : h.fakes.printer->sent.first()) {
            if (op.kind == PrintedOp::Text)
                texts << op.text;
            if (op.kind == PrintedOp::Picture)
                width = op.x2 - op.x1;
        }
        QCOMPARE(texts.mid(0, 5), (QStringList{"Tarvex Report (Shaft 7)", "Note:", "line one", "line two", firstRow}));
        QVERIFY(!texts.contains("other tab"));
        QCOMPARE(width, chartWidth);
        QVERIFY(h.fakes.messageBox->asked.isEmpty());
    }

    void printerFailureIsShownOnce()
    {
        WindowHarness h;
        h.fakes.printer->failure = "There is no default printer on this system.";
        withModal([&] { h.click("mnuPrint"); }, [](QWidget* form) {
            form->findChild<QAbstractButton*>("cmdPrint")->click();
            form->close();
        });
        QCOMPARE(h.fakes.messageBox->texts(), QStringList{h.fakes.printer->failure});
        QVERIFY(h.fakes.printer->sent.isEmpty());
    }

    void sinePlotNeedsTwoRows_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("forms");
        QTest::newRow("one row") << QStringList{"0,1"} << QStringList{};
        QTest::newRow("two rows") << QStringList{"0,1", "180,2"} << QStringList{"tarvex::frmSinePlot"};
    }
    void sinePlotNeedsTwoRows()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, forms);
        WindowHarness h;
        h.fill(Polar, rows);
        QCOMPARE(withModal([&] { h.click("Tab1cmdSine"); }), forms);
    }

    // At start-up the splash counts 100 ticks of a tenth of a second and
    // closes at the next, or at once on a key or click; its closing opens the
    // main window, once. As the About box it leaves that window as it was.
    void splash_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("100 ticks") << 100 << 0 << false;
        QTest::newRow("101 ticks") << 101 << 0 << true;
        QTest::newRow("a key") << 37 << int(Qt::Key_A) << true;
        QTest::newRow("shift alone") << 37 << int(Qt::Key_Shift) << false;
        QTest::newRow("a click on the logo") << 37 << -1 << true;
    }
    void splash()
    {
        QFETCH(int, ticks);
        QFETCH(int, key);
        QFETCH(bool, closes);
        FakePlatform fakes;
        std::vector<std::unique_ptr<frmMain>> created;
        frmSplash splash;
        splash.createMainWindow = [&] {
            created.push_back(std::make_unique<frmMain>(fakes.bundle()));
            created.back()->showAboutBox = [&](frmMain* owner) { splash.showAboutBox(owner); };
            return created.back().get();
        };
        splash.show();
        splash.Timer1->stop();
        for (int i = 0; i < ticks; ++i)
            splash.Timer1_Timer();
        if (key > 0)
            QTest::keyClick(&splash, Qt::Key(key));
        if (key < 0)
            QTest::mouseClick(splash.Picture1, Qt::LeftButton, {}, splash.Picture1->rect().center());
        QCOMPARE(splash.isVisible(), !closes);
        QCOMPARE(created.size(), std::size_t(closes ? 1 : 0));
        if (!closes)
            return;
        splash.close();
        QCOMPARE(created.size(), std::size_t(1));
        frmMain& w = *created.front();
        QVERIFY(w.isVisible());
        w.findChild<DataTable*>()->setTextMatrix(1, 1, "12.5");
        int ticksAtStart = -1;
        QTimer::singleShot(0, &splash, [&] {
            ticksAtStart = splash.SplashTicks;
            QVERIFY(splash.isModal());
            QTest::keyClick(&splash, Qt::Key_Space);
        });
        w.findChild<QAction*>("mnuAbout")->trigger();
        QCOMPARE(ticksAtStart, 0);
        QVERIFY(!splash.isVisible());
        QVERIFY(w.isVisible());
        QCOMPARE(created.size(), std::size_t(1));
        QCOMPARE(w.findChild<DataTable*>()->TextMatrix(1, 1), QStringLiteral("12.5"));
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
