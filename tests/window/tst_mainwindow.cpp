// The main window built with fakes: start-up state, title rule, toolbar
// dispatch, New and closing.
#include "frmMain.h"
#include "fakes/FakePlatform.h"
#include "tables/DataTableView.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

using namespace tarvex;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpState()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        QVERIFY(w.blFormLoaded);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarvex RS232"));
        QCOMPARE(w.activeTab(), 0);
        QCOMPARE(w.SSTab1->tabText(0), QStringLiteral("X/Y Plot"));
        QCOMPARE(w.SSTab1->tabText(1), QStringLiteral("Polar Plot"));
        QCOMPARE(w.Tab0msGrid->Rows(), 2);
        QCOMPARE(w.Tab0msGrid->TextMatrix(0, 0), QStringLiteral("X"));
        QCOMPARE(w.Tab0msGrid->TextMatrix(0, 1), QStringLiteral("Y"));
        QCOMPARE(w.Tab0msGrid->Row(), 1);
        QCOMPARE(w.Tab0msGrid->Col(), 0);
        QCOMPARE(w.Tab0msGrid->CellBackColor(), QColor(192, 255, 192));
        QCOMPARE(w.Tab1msGrid->TextMatrix(0, 0), QStringLiteral("Degree"));
        QCOMPARE(w.Tab1msGrid->TextMatrix(0, 1), QStringLiteral("Load"));
        QCOMPARE(w.Tab1cmbInterval->currentText(), QStringLiteral("30"));
        QCOMPARE(w.Tab1cmbRange->currentText(), QStringLiteral("100"));
        QCOMPARE(w.Tab0txtLoad->text(), QStringLiteral("Ready"));
        QCOMPARE(w.Tab1txtLoad->text(), QStringLiteral("Ready"));
        QVERIFY(!w.ProfileModified && !w.PolarModified && !w.CurvesStored && !w.ProfilePlotted);
        QVERIFY(w.Label2->text().startsWith(QStringLiteral("Vantorel Tarvex RS-232 Version 2.5  ")));
    }

    void menusAndToolbar()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        QStringList bar;
        for (QAction* a : w.menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{"&File", "&Help"}));
        QStringList file;
        for (QAction* a : w.mnuFile->actions())
            if (!a->isSeparator())
                file << a->text();
        QCOMPARE(file, (QStringList{"&New", "&Open", "&Save", "&Print", "E&xit"}));
        QCOMPARE(w.mnuGridEdit->title(), QStringLiteral("&Edit"));
        QCOMPARE(w.mnuFGridRows->title(), QStringLiteral("Row Popup"));
        QStringList keys, tips;
        for (QAction* a : w.Toolbar1->actions()) {
            keys << a->data().toString();
            tips << a->toolTip();
            QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
        }
        QCOMPARE(keys, (QStringList{"Open", "Save", "Clear", "Plot", "Print"}));
        QCOMPARE(tips, (QStringList{"Open File", "Save File", "Clear Diagram", "Plot current data set", "Print"}));
    }

    void titleFollowsTheTab()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.PolarFileName = QStringLiteral("run1.tvp");
        w.SSTab1->setCurrentIndex(1);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarvex RS232 - run1.tvp"));
        w.SSTab1->setCurrentIndex(0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarvex RS232"));
        w.ProfileFileName = QStringLiteral("shaft.tvl");
        w.SSTab1->setCurrentIndex(1);
        w.SSTab1->setCurrentIndex(0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarvex RS232 - shaft.tvl"));
    }

    void toolbarClearActsOnTheActiveTabOnly()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.CurvesStored = w.ProfilePlotted = true;
        w.SSTab1->setCurrentIndex(1);
        w.Toolbar1_ButtonClick(QStringLiteral("Clear"));
        QVERIFY(w.CurvesStored && w.ProfilePlotted);
        w.SSTab1->setCurrentIndex(0);
        w.Toolbar1_ButtonClick(QStringLiteral("clear")); // keys compare exactly
        w.Toolbar1_ButtonClick(QStringLiteral("Nothing"));
        QVERIFY(w.CurvesStored && w.ProfilePlotted);
        w.Toolbar1_ButtonClick(QStringLiteral("Clear"));
        QVERIFY(!w.CurvesStored && !w.ProfilePlotted);
        QVERIFY(fakes.messageBox->asked.isEmpty());
    }

    void setAndClearThroughTheWindow()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.ProfileModified = true;
        w.Tab0txtStart->setText(QStringLiteral("10"));
        w.Tab0txtInterv->setText(QStringLiteral("2.5"));
        w.Tab0cmbClubs->setEditText(QStringLiteral("4"));
        QTest::mouseClick(w.Tab0cmdSet, Qt::LeftButton);
        QCOMPARE(w.Tab0msGrid->Rows(), 5);
        QCOMPARE(w.Tab0msGrid->TextMatrix(4, 0), QStringLiteral("17.5"));
        QVERIFY(!w.ProfileModified);

        // A count that changes nothing leaves the flag and the rows alone.
        w.ProfileModified = true;
        w.Tab0cmbClubs->setEditText(QStringLiteral("abc"));
        QTest::mouseClick(w.Tab0cmdSet, Qt::LeftButton);
        QCOMPARE(w.Tab0msGrid->Rows(), 5);
        QVERIFY(w.ProfileModified);

        w.ProfileFileName = QStringLiteral("a.tvl");
        w.Tab0txtNote->setPlainText(QStringLiteral("note"));
        QTest::mouseClick(w.Tab0cmdGridClear, Qt::LeftButton);
        QCOMPARE(w.Tab0msGrid->Rows(), 2);
        QVERIFY(w.Tab0txtNote->toPlainText().isEmpty());
        QVERIFY(w.ProfileFileName.isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarvex RS232"));
        QVERIFY(w.ProfileModified); // Clear does not touch it
    }

    void newOnEachTab()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.XYCurves.push_back({{1, 2, 3}, {4, 5, 6}});
        w.Tab0txtNote->setPlainText(QStringLiteral("n0"));
        w.Tab0msGrid->setRows(6);
        w.mnuNew_Click();
        QVERIFY(w.XYCurves.empty());
        QCOMPARE(w.Tab0msGrid->Rows(), 2);
        QVERIFY(w.Tab0txtNote->toPlainText().isEmpty());

        w.PolarFileName = QStringLiteral("p.tvp");
        w.PolarModified = true;
        w.SSTab1->setCurrentIndex(1);
        w.Tab1cmdSet_Click();
        QCOMPARE(w.Tab1msGrid->Rows(), 13);
        w.PolarFileName = QStringLiteral("p.tvp");
        w.PolarModified = true;
        w.Tab1txtNote->setPlainText(QStringLiteral("n1"));
        w.mnuNew_Click();
        QCOMPARE(w.Tab1msGrid->Rows(), 2);
        QCOMPARE(w.Tab1msGrid->TextMatrix(0, 0), QStringLiteral("     Degree"));
        QVERIFY(w.Tab1msGrid->TextMatrix(1, 0).isEmpty());
        QVERIFY(w.Tab1txtNote->toPlainText().isEmpty());
        QCOMPARE(w.PolarFileName, QStringLiteral("p.tvp")); // New keeps the name and the flag
        QVERIFY(w.PolarModified);
    }

    void typingANoteIsAChangeToSave()
    {
        FakePlatform fakes;
        frmMain w(fakes.bundle());
        w.show();
        // Notes put in by the program do not count...
        w.Tab0txtNote->setPlainText(QStringLiteral("from a file"));
        w.Tab0txtNote->clear();
        QVERIFY(!w.ProfileModified && !w.PolarModified);
        // ...the user's typing does, on its own tab's table only.
        w.Tab0txtNote->setFocus();
        QTest::keyClicks(w.Tab0txtNote, QStringLiteral("stiff at 30"));
        QVERIFY(w.ProfileModified);
        QVERIFY(!w.PolarModified);
        w.SSTab1->setCurrentIndex(1);
        QTest::keyClicks(w.Tab1txtNote, QStringLiteral("x"));
        QVERIFY(w.PolarModified);
        // So closing asks before the note is lost.
        QCOMPARE(w.close(), true);
        QCOMPARE(fakes.messageBox->texts(), QStringList{QStringLiteral("Do you want to save the data?")});
    }

    void closing_data()
    {
        QTest::addColumn<bool>("profile");
        QTest::addColumn<bool>("polar");
        QTest::addColumn<int>("answer");   // 0 none expected, 1 Yes, 2 No
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("finalTab");
        QTest::newRow("nothing modified") << false << false << 0 << true << 0;
        QTest::newRow("profile, No") << true << false << 2 << true << 0;
        QTest::newRow("both, No") << true << true << 2 << true << 0;
        QTest::newRow("profile, Yes") << true << false << 1 << false << 0;
        QTest::newRow("polar, Yes") << false << true << 1 << false << 1;
        QTest::newRow("both, Yes") << true << true << 1 << false << 1;
    }
    void closing()
    {
        QFETCH(bool, profile);
        QFETCH(bool, polar);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(int, finalTab);
        FakePlatform fakes;
        if (answer == 1)
            fakes.messageBox->answers.push_back(MsgResult::Yes);
        if (answer == 2)
            fakes.messageBox->answers.push_back(MsgResult::No);
        frmMain w(fakes.bundle());
        w.show();
        w.ProfileModified = profile;
        w.PolarModified = polar;
        QCOMPARE(w.close(), closes);
        if (answer == 0) {
            QVERIFY(fakes.messageBox->asked.isEmpty());
        } else {
            QCOMPARE(fakes.messageBox->asked.size(), 1);
            QCOMPARE(fakes.messageBox->asked[0].text, QStringLiteral("Do you want to save the data?"));
            QCOMPARE(fakes.messageBox->asked[0].title, QStringLiteral("Tarvex RS232"));
            QVERIFY(fakes.messageBox->asked[0].buttons == MsgButtons::YesNo);
        }
        if (!closes)
            QCOMPARE(w.activeTab(), finalTab);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
