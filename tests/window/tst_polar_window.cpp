#include "frmMain.h"
#include "charts/polar/frmSinePlot.h"
#include "charts/polar/SineView.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "fakes/FakePlatform.h"
#include "tables/DataTable.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <functional>

using namespace tarvex;

namespace {

const QColor kRed(255, 0, 0);

int count(const PictureArea* a, DrawOp::Kind kind, std::optional<QColor> color = {})
{
    int n = 0;
    for (const DrawOp& op : a->picture()->ops)
        if (op.kind == kind && (!color || op.color == *color))
            ++n;
    return n;
}

int markers(const PictureArea* a)
{
    int n = 0;
    for (const DrawOp& op : a->picture()->ops)
        if (op.kind == DrawOp::Circle && std::fabs(op.radius * 2000 - 30) < 1e-9)
            ++n;
    return n;
}

QStringList texts(const PictureArea* a)
{
    QStringList t;
    for (const DrawOp& op : a->picture()->ops)
        if (op.kind == DrawOp::Text)
            t << op.text;
    return t;
}

void fillPolar(DataTable* t, const QStringList& loads)
{
    t->setRows(static_cast<int>(loads.size()) + 1);
    for (int i = 0; i < loads.size(); ++i) {
        t->setTextMatrix(i + 1, 0, QString::number(i * 360 / loads.size()));
        t->setTextMatrix(i + 1, 1, loads[i]);
    }
}

QAction* toolbarAction(frmMain& w, const QString& key)
{
    return w.findChild<QAction*>(QStringLiteral("Toolbar1_") + key);
}

// Runs `inside` once the next modal window is up; it must close that window.
void whenModalOpens(std::function<void(QWidget*)> inside, bool* opened)
{
    *opened = false;
    QTimer::singleShot(0, [inside, opened] {
        QWidget* modal = QApplication::activeModalWidget();
        *opened = modal != nullptr;
        if (modal)
            inside(modal);
    });
}

} // namespace

class TestPolarWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpDrawsTheBackground()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        QCOMPARE(w.Tab1cmbRange->currentText(), QStringLiteral("100"));
        QVERIFY(texts(w.Tab1Picture).contains(QStringLiteral("-100")));
        QCOMPARE(count(w.Tab1Picture, DrawOp::Line, kRed), 0);
        QCOMPARE(w.Tab1Picture->BackColor(), QColor(0, 0, 64));
        QVERIFY(fakes.messageBox->asked.isEmpty());
    }

    void plotAndResetThroughButtonsAndToolbar_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::newRow("buttons") << false;
        QTest::newRow("toolbar") << true;
    }
    void plotAndResetThroughButtonsAndToolbar()
    {
        QFETCH(bool, toolbar);
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(1);
        const size_t background = w.Tab1Picture->picture()->ops.size();
        fillPolar(w.Tab1msGrid, {"10", "20", "15", "30", "25", "0", "-10", "-20", "0", "5", "5", "8"});
        if (toolbar)
            toolbarAction(w, QStringLiteral("Plot"))->trigger();
        else
            w.Tab1cmdPlot->click();
        QCOMPARE(count(w.Tab1Picture, DrawOp::Line, kRed), 12);
        QCOMPARE(markers(w.Tab1Picture), 2);
        QVERIFY(fakes.messageBox->asked.isEmpty());

        if (toolbar)
            toolbarAction(w, QStringLiteral("Clear"))->trigger();
        else
            w.Tab1cmdClear->click();
        QCOMPARE(count(w.Tab1Picture, DrawOp::Line, kRed), 0);
        QCOMPARE(markers(w.Tab1Picture), 0);
        QCOMPARE(w.Tab1Picture->picture()->ops.size(), background);
    }

    void toolbarOnTabZeroLeavesThePolarChart()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        fillPolar(w.Tab1msGrid, {"1", "2", "3"});
        w.SSTab1->setCurrentIndex(0);
        const Picture before = w.Tab1Picture->picture();
        toolbarAction(w, QStringLiteral("Plot"))->trigger();
        toolbarAction(w, QStringLiteral("Clear"))->trigger();
        QCOMPARE(w.Tab1Picture->picture(), before);
    }

    void typedRangeIsUsed_data()
    {
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("typed 250") << "250" << true;
        QTest::newRow("abc") << "abc" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("-50") << "-50" << false;
    }
    void typedRangeIsUsed()
    {
        QFETCH(QString, range);
        QFETCH(bool, drawn);
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(1);
        fillPolar(w.Tab1msGrid, {"1", "2", "3"});
        w.Tab1cmbRange->setEditText(range);
        const Picture before = w.Tab1Picture->picture();
        w.Tab1cmdPlot->click();
        QCOMPARE(w.Tab1Picture->picture() != before, drawn);
        if (drawn)
            QVERIFY(texts(w.Tab1Picture).contains(QStringLiteral("-") + range));
        QVERIFY(fakes.messageBox->asked.isEmpty());
    }

    void emptyLoadShowsWhyAndLeavesTheFigureOpen()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(1);
        fillPolar(w.Tab1msGrid, {"10", "20", "", "30"});
        w.Tab1cmdPlot->click();
        QCOMPARE(fakes.messageBox->asked.size(), 1);
        QCOMPARE(fakes.messageBox->asked[0].text, QStringLiteral("Row 3: the load cell is empty."));
        QCOMPARE(fakes.messageBox->asked[0].title, kAppTitle);
        QCOMPARE(fakes.messageBox->asked[0].buttons, MsgButtons::Ok);
        QCOMPARE(count(w.Tab1Picture, DrawOp::Line, kRed), 1);
        QCOMPARE(markers(w.Tab1Picture), 0);
    }

    void newOnTabOneErasesTheFigure()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(1);
        const size_t background = w.Tab1Picture->picture()->ops.size();
        fillPolar(w.Tab1msGrid, {"10", "20", "30"});
        w.Tab1cmdPlot->click();
        w.Tab1cmdPlot->click();
        QCOMPARE(count(w.Tab1Picture, DrawOp::Line, kRed), 6);   // the second over the first
        w.mnuNew->trigger();
        QCOMPARE(count(w.Tab1Picture, DrawOp::Line, kRed), 0);
        QCOMPARE(w.Tab1Picture->picture()->ops.size(), background);
        QCOMPARE(w.Tab1msGrid->Rows(), 2);
    }

    void printCopy()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(1);
        fillPolar(w.Tab1msGrid, {"10", "20", "15", "30"});
        w.Picture1->setDesignSize(w.Tab1Picture->designSize());
        w.DrawPolarPrintCopy();
        QCOMPARE(w.Picture1->BackColor(), QColor(255, 255, 255));
        QCOMPARE(count(w.Picture1, DrawOp::Circle, QColor(0, 0, 255)), 3);
        QCOMPARE(count(w.Picture1, DrawOp::Line, kRed), 4);
        QCOMPARE(markers(w.Picture1), 0);
        // The screen chart is not touched by the copy.
        QCOMPARE(count(w.Tab1Picture, DrawOp::Line, kRed), 0);

        // Too few rows: Picture1 keeps the earlier copy exactly.
        const Picture before = w.Picture1->picture();
        fillPolar(w.Tab1msGrid, {"10"});
        w.DrawPolarPrintCopy();
        QCOMPARE(w.Picture1->picture(), before);
    }

    void sinePlotNeedsTwoRows()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(1);
        fillPolar(w.Tab1msGrid, {"10"});
        bool opened = true;
        whenModalOpens([](QWidget* m) { m->close(); }, &opened);
        w.Tab1cmdSine->click();
        QCoreApplication::processEvents();
        QVERIFY(!opened);
    }

    void sinePlotOpensModallyAndOkCloses()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(1);
        fillPolar(w.Tab1msGrid, {"0", "50", "100", "-100"});
        bool opened = false;
        QString title;
        int redLines = -1;
        QSize small, large;
        whenModalOpens(
            [&](QWidget* m) {
                auto* form = qobject_cast<frmSinePlot*>(m);
                QVERIFY(form);
                title = form->windowTitle();
                redLines = count(form->SineDrawing, DrawOp::Line, kRed);
                small = form->SineDrawingView->size();
                form->resize(form->width() + 400, form->height() + 300);
                QTest::qWait(20);
                large = form->SineDrawingView->size();
                form->Command1->click();
            },
            &opened);
        w.Tab1cmdSine->click();
        QVERIFY(opened);
        QCOMPARE(title, QStringLiteral("Tarvex RS232 - Print Preview"));
        QCOMPARE(redLines, 3);
        QVERIFY(fakes.messageBox->asked.isEmpty());
        QCOMPARE(large, small + QSize(400, 300));
        QVERIFY(!w.findChild<frmSinePlot*>());   // discarded; the next click opens a fresh one
    }

    void sinePlotFailureKeepsTheWindowOpen()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.SSTab1->setCurrentIndex(1);
        fillPolar(w.Tab1msGrid, {"0", "50", "100", "-100"});
        w.Tab1cmbRange->setEditText(QStringLiteral("0"));
        bool opened = false;
        QStringList askedBeforeClosing;
        bool visible = false;
        whenModalOpens(
            [&](QWidget* m) {
                askedBeforeClosing = fakes.messageBox->texts();
                visible = m->isVisible();
                m->close();
            },
            &opened);
        w.Tab1cmdSine->click();
        QVERIFY(opened);
        QVERIFY(visible);
        QCOMPARE(askedBeforeClosing, QStringList{kSineViewFailure});
        QCOMPARE(fakes.messageBox->asked[0].title, kAppTitle);
    }
};

QTEST_MAIN(TestPolarWindow)
#include "tst_polar_window.moc"
