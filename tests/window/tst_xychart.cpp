// The X/Y chart through the main window: the Plot and Clear buttons, the
// toolbar, New and "Draw Node".
#include "frmMain.h"
#include "charts/xy/XYChart.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "fakes/FakePlatform.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

using namespace tarvex;

namespace {

void fillProfile(DataTable& table, const QList<double>& loads)
{
    table.setRows(static_cast<int>(loads.size()) + 1);
    for (int i = 0; i < loads.size(); ++i) {
        table.setTextMatrix(i + 1, 0, QString::number(i * 5));
        table.setTextMatrix(i + 1, 1, QString::number(loads[i]));
    }
}

void clickToolbar(frmMain& w, const QString& key)
{
    auto* action = w.Toolbar1->findChild<QAction*>(QStringLiteral("Toolbar1_") + key);
    QVERIFY(action);
    action->trigger();
}

int curveCount(const PictureArea& area)
{
    int points = 0;
    for (const DrawOp& op : area.picture()->ops)
        points += op.kind == DrawOp::Point ? 1 : 0;
    return points;
}

int circleCount(const PictureArea& area)
{
    int n = 0;
    for (const DrawOp& op : area.picture()->ops)
        n += op.kind == DrawOp::Circle ? 1 : 0;
    return n;
}

} // namespace

class TestXYChartWindow : public QObject {
    Q_OBJECT
private slots:
    void plotButton_drawsTheTable()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        fillProfile(*w.Tab0msGrid, {2, 4, 6, 8});
        QTest::mouseClick(w.Tab0cmdPlot, Qt::LeftButton);
        QCOMPARE(w.XYCurves.size(), std::size_t(1));
        QVERIFY(w.CurvesStored);
        QVERIFY(w.ProfilePlotted);
        QCOMPARE(curveCount(*w.Tab0Picture), 1);
        QVERIFY(fakes.messageBox->asked.isEmpty());
    }

    void plotButton_dataEntryError()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        fillProfile(*w.Tab0msGrid, {2, 4, 6});
        w.Tab0msGrid->setTextMatrix(2, 1, QStringLiteral("abc"));
        QTest::mouseClick(w.Tab0cmdPlot, Qt::LeftButton);
        QCOMPARE(fakes.messageBox->asked.size(), 1);
        QCOMPARE(fakes.messageBox->asked[0].text, QStringLiteral("Data entry error,\nInput Numbers only!"));
        QCOMPARE(fakes.messageBox->asked[0].title, QStringLiteral("Tarvex RS232"));
        QCOMPARE(fakes.messageBox->asked[0].buttons, MsgButtons::Ok);
        QVERIFY(w.XYCurves.empty());
        QVERIFY(w.Tab0Picture->picture()->ops.empty());
    }

    void plotButton_chartThatCannotBeDrawn()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        fillProfile(*w.Tab0msGrid, {-3.4e38, 0, 3.4e38});
        QTest::mouseClick(w.Tab0cmdPlot, Qt::LeftButton);
        QCOMPARE(fakes.messageBox->asked.size(), 1);
        QVERIFY(fakes.messageBox->asked[0].text.startsWith(QStringLiteral("The chart cannot be drawn: the Y values")));
        QCOMPARE(fakes.messageBox->asked[0].title, QStringLiteral("Tarvex RS232"));
        QCOMPARE(fakes.messageBox->asked[0].buttons, MsgButtons::Ok);
        QVERIFY(w.Tab0Picture->picture()->ops.empty());
    }

    void toolbar_actsOnTheActiveTab()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        fillProfile(*w.Tab0msGrid, {2, 4, 6});
        w.SSTab1->setCurrentIndex(1);
        clickToolbar(w, QStringLiteral("Plot"));
        QVERIFY(w.XYCurves.empty());
        w.SSTab1->setCurrentIndex(0);
        clickToolbar(w, QStringLiteral("Plot"));
        QCOMPARE(w.XYCurves.size(), std::size_t(1));
        QCOMPARE(curveCount(*w.Tab0Picture), 1);

        w.SSTab1->setCurrentIndex(1);
        clickToolbar(w, QStringLiteral("Clear"));
        QVERIFY(w.ProfilePlotted);
        QCOMPARE(curveCount(*w.Tab0Picture), 1);
        w.SSTab1->setCurrentIndex(0);
        clickToolbar(w, QStringLiteral("Clear"));
        QVERIFY(!w.ProfilePlotted);
        QVERIFY(!w.CurvesStored);
        QVERIFY(w.Tab0Picture->picture()->ops.empty());
        QCOMPARE(w.XYCurves.size(), std::size_t(1));
    }

    void clearButton_thenPlotRenumbers()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        fillProfile(*w.Tab0msGrid, {2, 4, 6});
        w.Tab0cmdPlot->click();
        w.Tab0msGrid->setTextMatrix(1, 1, QStringLiteral("3"));
        w.ProfilePlotted = false;   // as typing into the table does
        w.Tab0cmdPlot->click();
        QCOMPARE(w.XYCurves.size(), std::size_t(2));
        QCOMPARE(curveCount(*w.Tab0Picture), 2);
        QTest::mouseClick(w.Tab0cmdClear, Qt::LeftButton);
        w.Tab0cmdPlot->click();
        QCOMPARE(w.XYCurves.size(), std::size_t(1));
        QCOMPARE(curveCount(*w.Tab0Picture), 1);
    }

    void newOnTab0_emptiesTheStore()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        fillProfile(*w.Tab0msGrid, {2, 4, 6});
        w.Tab0cmdPlot->click();
        w.mnuNew->trigger();
        QVERIFY(w.XYCurves.empty());
        QVERIFY(!w.CurvesStored);
        QVERIFY(!w.ProfilePlotted);
        QVERIFY(w.Tab0Picture->picture()->ops.empty());
        // The print copy now finds nothing to draw and keeps its picture.
        const Picture before = w.Picture1->picture();
        fillProfile(*w.Tab0msGrid, {2, 4, 6});
        w.DrawXYPrintCopy();
        QCOMPARE(w.Picture1->picture(), before);
    }

    // Ticking "Draw Node" after a Plot changes nothing until the next Plot
    // that draws.
    void drawNode_readWhenPlotting()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        fillProfile(*w.Tab0msGrid, {2, 4, 6});
        w.Tab0cmdPlot->click();
        QCOMPARE(circleCount(*w.Tab0Picture), 0);
        w.Tab0chkNode->setChecked(true);
        QCOMPARE(circleCount(*w.Tab0Picture), 0);
        w.Tab0cmdPlot->click();   // unchanged table: nothing happens
        QCOMPARE(circleCount(*w.Tab0Picture), 0);
        w.Tab0cmdClear->click();
        w.Tab0cmdPlot->click();
        QCOMPARE(circleCount(*w.Tab0Picture), 3);
        // Greyed counts as not ticked.
        w.Tab0chkNode->setTristate(true);
        w.Tab0chkNode->setCheckState(Qt::PartiallyChecked);
        w.Tab0cmdClear->click();
        w.Tab0cmdPlot->click();
        QCOMPARE(circleCount(*w.Tab0Picture), 0);
    }

    void printCopy_onPicture1AfterClear()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        fillProfile(*w.Tab0msGrid, {2, 4, 6});
        w.Tab0cmdPlot->click();
        w.Tab0cmdClear->click();
        w.DrawXYPrintCopy();
        QCOMPARE(curveCount(*w.Picture1), 1);
        QCOMPARE(w.Picture1->BackColor(), QColor(255, 255, 255));
        QCOMPARE(w.Picture1->ForeColor(), QColor(0, 0, 0));
        QVERIFY(!w.ProfilePlotted);
        QCOMPARE(w.Picture1->toImage().size(), w.Picture1->designSize());
    }

    // The chart follows the widget's size.
    void screen_chartFillsTheView()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.resize(1400, 900);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        fillProfile(*w.Tab0msGrid, {2, 4, 6});
        w.Tab0cmdPlot->click();
        const QImage shot = w.Tab0PictureView->grab().toImage();
        const QRectF r = w.Tab0PictureView->drawingRect();
        QCOMPARE(r.size(), QSizeF(w.Tab0PictureView->size()));
        // The plot area's left edge at 700 / 11200 of the width.
        const int x = static_cast<int>(700.0 / 11200 * r.width());
        const int y = static_cast<int>(r.height() / 2);
        QCOMPARE(shot.pixelColor(x, y), xychart::kMajorColor);
    }
};

QTEST_MAIN(TestXYChartWindow)
#include "tst_xychart.moc"
