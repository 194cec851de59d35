// The splash screen at start-up and as the About box: its ten-second count,
// the key and clicks that end it at once, and the main window it opens once.

#include "frmMain.h"
#include "frmSplash.h"
#include "fakes/FakePlatform.h"
#include "tables/DataTable.h"

#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <vector>

using namespace tarvex;

namespace {

// What main() does, with fakes: the splash first, the main window from its close.
struct StartUp {
    FakePlatform fakes;
    std::vector<std::unique_ptr<frmMain>> created;
    frmSplash splash;                           // after `created`: goes first

    StartUp()
    {
        splash.createMainWindow = [this] {
            created.push_back(std::make_unique<frmMain>(fakes.bundle()));
            frmMain* w = created.back().get();
            w->showAboutBox = [this](frmMain* owner) { splash.showAboutBox(owner); };
            return w;
        };
        splash.show();
        // The tests drive the ticks themselves.
        splash.Timer1->stop();
    }

    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            splash.Timer1_Timer();
    }

    frmMain* main() const { return created.empty() ? nullptr : created.front().get(); }
};

// A key when there is no target, else a left click on the target.
void act(frmSplash& splash, int key, const QString& target)
{
    if (target.isEmpty()) {
        QTest::keyClick(&splash, Qt::Key(key));
        return;
    }
    QWidget* w = splash.findChild<QWidget*>(target);
    QVERIFY2(w, qPrintable(target));
    // A corner of the frame holds no text; elsewhere aim at the middle.
    const QPoint at = w == splash.Frame1 ? QPoint(4, w->height() - 4) : w->rect().center();
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
}

} // namespace

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void showsTheProduct()
    {
        frmSplash splash;
        QCOMPARE(splash.lblProductName->text(), QStringLiteral("Tarvex RS232"));
        QCOMPARE(splash.lblVersion->text(), QStringLiteral("Version 2.5"));
        QCOMPARE(splash.Label2->text(), QStringLiteral("Product No. M418026"));
        QVERIFY(!splash.Label1->text().isEmpty());
        QVERIFY(!splash.lblWarning->text().isEmpty());
        QCOMPARE(splash.Picture1->pixmap().size(), QSize(200, 66));
        QCOMPARE(splash.Timer1->interval(), 100);
        // The logo is drawn, not a blank plate.
        const QImage logo = splash.Picture1->pixmap().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < logo.height(); y += 3)
            for (int x = 0; x < logo.width(); x += 3)
                colours.insert(logo.pixel(x, y));
        QVERIFY(colours.size() > 8);
    }

    void closesAtTheHundredAndFirstTick()
    {
        StartUp app;
        QVERIFY(app.splash.isVisible());
        QVERIFY(app.splash.Timer1->interval() == 100);
        app.ticks(100);
        QVERIFY(app.splash.isVisible());
        QCOMPARE(app.splash.SplashTicks, 100);
        QVERIFY(app.created.empty());

        app.ticks(1);
        QVERIFY(!app.splash.isVisible());
        QCOMPARE(app.splash.SplashTicks, 0);
        QCOMPARE(app.created.size(), size_t(1));
        QVERIFY(app.main()->isVisible());
        QVERIFY(app.main()->blFormLoaded);
        QCOMPARE(app.splash.mainWindow(), app.main());
    }

    void timerRunsOnlyWhileShown()
    {
        frmSplash splash;
        QVERIFY(!splash.Timer1->isActive());
        splash.show();
        QVERIFY(splash.Timer1->isActive());
        splash.Timer1_Timer();
        splash.close();
        QVERIFY(!splash.Timer1->isActive());
        QCOMPARE(splash.SplashTicks, 0);
    }

    void closesAtOnce_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter") << int(Qt::Key_A) << QString() << true;
        QTest::newRow("space") << int(Qt::Key_Space) << QString() << true;
        QTest::newRow("enter") << int(Qt::Key_Return) << QString() << true;
        QTest::newRow("escape") << int(Qt::Key_Escape) << QString() << true;
        QTest::newRow("F1") << int(Qt::Key_F1) << QString() << true;
        QTest::newRow("shift alone") << int(Qt::Key_Shift) << QString() << false;
        QTest::newRow("logo") << 0 << QStringLiteral("Picture1") << true;
        QTest::newRow("frame") << 0 << QStringLiteral("Frame1") << true;
        QTest::newRow("text on the frame") << 0 << QStringLiteral("lblWarning") << true;
    }
    void closesAtOnce()
    {
        QFETCH(int, key);
        QFETCH(QString, target);
        QFETCH(bool, closes);
        StartUp app;
        app.ticks(37);
        act(app.splash, key, target);
        QCOMPARE(!app.splash.isVisible(), closes);
        QCOMPARE(app.created.size(), size_t(closes ? 1 : 0));
        QCOMPARE(app.splash.SplashTicks, closes ? 0 : 37);
        if (closes)
            QVERIFY(app.main()->isVisible());
    }

    void closeRequestOpensTheMainWindowOnce()
    {
        StartUp app;
        app.splash.close();
        QCOMPARE(app.created.size(), size_t(1));
        // A second close of a closed splash must not build another main window.
        app.splash.close();
        QCOMPARE(app.created.size(), size_t(1));
    }

    // About twice: the first closed early by a key, the second left to run out.
    // Each showing starts from 0, the main window is created once and keeps its
    // tab, tables and title.
    void aboutTwiceLeavesTheMainWindowAlone()
    {
        StartUp app;
        QTest::mouseClick(app.splash.Picture1, Qt::LeftButton, {}, QPoint(100, 33));
        frmMain* w = app.main();
        QVERIFY(w);
        w->Tab0msGrid->setTextMatrix(1, 1, QStringLiteral("12.5"));
        w->Tab1msGrid->setTextMatrix(1, 1, QStringLiteral("40"));
        w->SSTab1->setCurrentIndex(1);
        w->PolarFileName = QStringLiteral("shaft7.tvp");
        w->updateTitleForTab(1);
        const QString title = w->windowTitle();
        QCOMPARE(title, QStringLiteral("Tarvex RS232 - shaft7.tvp"));

        struct Showing { bool shown = false; bool modal = false; int ticksAtStart = -1; bool openAfter100 = false; };
        Showing first, second;

        QTimer::singleShot(0, &app.splash, [&] {
            first.shown = app.splash.isVisible();
            first.modal = app.splash.isModal();
            first.ticksAtStart = app.splash.SplashTicks;
            app.splash.Timer1->stop();
            app.ticks(40);
            QTest::keyClick(&app.splash, Qt::Key_Space);
        });
        w->mnuAbout_Click();
        QVERIFY(first.shown);
        QVERIFY(first.modal);
        QCOMPARE(first.ticksAtStart, 0);
        QVERIFY(!app.splash.isVisible());

        QTimer::singleShot(0, &app.splash, [&] {
            second.shown = app.splash.isVisible();
            second.ticksAtStart = app.splash.SplashTicks;
            app.splash.Timer1->stop();
            app.ticks(100);
            second.openAfter100 = app.splash.isVisible();
            app.ticks(1);
        });
        w->mnuAbout_Click();
        QVERIFY(second.shown);
        QCOMPARE(second.ticksAtStart, 0);
        QVERIFY(second.openAfter100);
        QVERIFY(!app.splash.isVisible());

        QCOMPARE(app.created.size(), size_t(1));
        QCOMPARE(w->activeTab(), 1);
        QCOMPARE(w->windowTitle(), title);
        QCOMPARE(w->Tab0msGrid->TextMatrix(1, 1), QStringLiteral("12.5"));
        QCOMPARE(w->Tab1msGrid->TextMatrix(1, 1), QStringLiteral("40"));
        QVERIFY(w->isVisible());
    }

    // A main window built without the splash (as the other window tests do)
    // still gets an About box that leaves it alone.
    void aboutForAMainWindowBuiltElsewhere()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.show();
        frmSplash splash;
        bool factoryUsed = false;
        splash.createMainWindow = [&] { factoryUsed = true; return nullptr; };
        QTimer::singleShot(0, &splash, [&] { splash.close(); });
        splash.showAboutBox(&w);
        QVERIFY(!factoryUsed);
        QVERIFY(!splash.isVisible());
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
