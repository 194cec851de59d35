// The Edit and row pop-up menus of the tables through the main window: how
// they open, what their commands do, the clipboard and the change flags.
#include "EditingHarness.h"

#include "platform/MessageBox.h"

#include <QCloseEvent>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

const QStringList kFive = {"1,10", "2,20", "3,30", "4,40", "5,50"};
const QString kEditMenu = QStringLiteral("&Edit");
const QString kRowMenu = QStringLiteral("Row Popup");

void select(DataTable& t, int row, int col, int rowSel, int colSel)
{
    t.setCurrent(row, col);
    t.setRowSel(rowSel);
    t.setColSel(colSel);
}

} // namespace

class TestEditMenu : public QObject {
    Q_OBJECT
private slots:
    // ---- opening the menus ---------------------------------------------------

    void profileRightClick_data()
    {
        QTest::addColumn<QRect>("block");   // selected before the click: (col, row) to (colSel, rowSel)
        QTest::addColumn<QPoint>("clicked"); // (col, row); row 0 is the heading
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QPoint>("current");
        QTest::newRow("single cell: row menu on the clicked cell")
            << QRect(QPoint(0, 2), QPoint(0, 2)) << QPoint(1, 4) << kRowMenu << QPoint(1, 4);
        QTest::newRow("heading row: row menu on row 1") << QRect(QPoint(0, 2), QPoint(0, 2)) << QPoint(1, 0)
                                                        << kRowMenu << QPoint(1, 1);
        QTest::newRow("block: Edit menu, current cell stays") << QRect(QPoint(0, 1), QPoint(1, 2)) << QPoint(1, 4)
                                                              << kEditMenu << QPoint(0, 1);
        QTest::newRow("block dragged upwards is still a block") << QRect(QPoint(0, 3), QPoint(0, 1)) << QPoint(1, 5)
                                                                << kEditMenu << QPoint(0, 3);
    }
    void profileRightClick()
    {
        QFETCH(QRect, block);
        QFETCH(QPoint, clicked);
        QFETCH(QString, menu);
        QFETCH(QPoint, current);
        Harness h;
        h.fill(0, kFive);
        select(h.table(0), block.top(), block.left(), block.bottom(), block.right());
        const QString shown = withPopup([&] { h.clickCell(0, clicked.y(), clicked.x(), Qt::RightButton); });
        QCOMPARE(shown, menu);
        QCOMPARE(QPoint(h.table(0).Col(), h.table(0).Row()), current);
        QCOMPARE(h.w().ProfileModified, false);
    }

    void polarRightClick_data()
    {
        QTest::addColumn<QRect>("block");
        QTest::addColumn<int>("clickedRow");
        QTest::addColumn<QString>("menu");
        QTest::newRow("on the current row") << QRect(QPoint(1, 3), QPoint(1, 3)) << 3 << kEditMenu;
        QTest::newRow("inside the selected rows") << QRect(QPoint(1, 2), QPoint(1, 4)) << 4 << kEditMenu;
        QTest::newRow("below the selected rows") << QRect(QPoint(1, 2), QPoint(1, 4)) << 5 << QString();
        QTest::newRow("above the selected rows") << QRect(QPoint(1, 2), QPoint(1, 4)) << 1 << QString();
        QTest::newRow("on the heading row") << QRect(QPoint(1, 1), QPoint(1, 4)) << 0 << QString();
    }
    void polarRightClick()
    {
        QFETCH(QRect, block);
        QFETCH(int, clickedRow);
        QFETCH(QString, menu);
        Harness h;
        h.showTab(1);
        h.fill(1, kFive);
        select(h.table(1), block.top(), block.left(), block.bottom(), block.right());
        const QString shown = withPopup([&] { h.clickCell(1, clickedRow, 1, Qt::RightButton); });
        QCOMPARE(shown, menu);
        // The polar table has no row menu and a right click moves nothing.
        QCOMPARE(h.table(1).Row(), block.top());
    }

    void menuKeys_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("block");
        QTest::addColumn<bool>("shiftF10");
        QTest::addColumn<QString>("menu");
        for (bool shiftF10 : {false, true}) {
            const QString k = shiftF10 ? " (Shift+F10)" : " (Menu key)";
            QTest::newRow(qPrintable("profile cell" + k)) << 0 << false << shiftF10 << kRowMenu;
            QTest::newRow(qPrintable("profile block" + k)) << 0 << true << shiftF10 << kEditMenu;
            QTest::newRow(qPrintable("polar cell" + k)) << 1 << false << shiftF10 << kEditMenu;
            QTest::newRow(qPrintable("polar block" + k)) << 1 << true << shiftF10 << kEditMenu;
        }
    }
    void menuKeys()
    {
        QFETCH(int, tab);
        QFETCH(bool, block);
        QFETCH(bool, shiftF10);
        QFETCH(QString, menu);
        Harness h;
        h.showTab(tab);
        h.fill(tab, kFive);
        h.clickCell(tab, 2, 1);
        if (block)
            h.key(Qt::Key_Down, Qt::ShiftModifier);
        int menus = 0;
        QString shown;
        // Counting the menus makes sure one key opens exactly one of them.
        for (int i = 0; i < 2; ++i) {
            const QString t = withPopup([&] {
                if (i == 0)
                    h.key(shiftF10 ? Qt::Key_F10 : Qt::Key_Menu, shiftF10 ? Qt::ShiftModifier : Qt::NoModifier);
                QTest::qWait(50);
            });
            if (!t.isEmpty()) {
                ++menus;
                shown = t;
            }
        }
        QCOMPARE(shown, menu);
        QCOMPARE(menus, 1);
        QCOMPARE(h.table(tab).Row(), 2);
    }

    void chosenItemRunsItsCommand()
    {
        Harness h;
        h.fill(0, kFive);
        h.clickCell(0, 2, 1);
        withPopup([&] { h.clickCell(0, 2, 1, Qt::RightButton); }, "&Add a Row");
        QCOMPARE(h.table(0).Rows(), 7);
        QCOMPARE(h.table(0).Row(), 6);
        h.clickCell(0, 1, 0);
        h.key(Qt::Key_Down, Qt::ShiftModifier);
        h.key(Qt::Key_Right, Qt::ShiftModifier);
        withPopup([&] { h.key(Qt::Key_Menu); }, "&Copy");
        QCOMPARE(h.fakes.clipboard->content, QString("1\t10\r2\t20"));
    }

    // ---- the commands and the change flags ------------------------------------

    void editCommands_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QRect>("block");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("modified");
        for (int tab : {0, 1}) {
            const QString t = tab == 0 ? "profile: " : "polar: ";
            QTest::newRow(qPrintable(t + "Delete rows 2 to 4 of five"))
                << tab << kFive << QRect(QPoint(0, 2), QPoint(1, 4)) << "Delete" << QStringList{"1,10", "5,50"} << true;
            QTest::newRow(qPrintable(t + "Delete of every row leaves one empty row"))
                << tab << kFive << QRect(QPoint(1, 1), QPoint(1, 5)) << "Delete" << QStringList{","} << true;
            QTest::newRow(qPrintable(t + "Clear of loads keeps the positions (angles)"))
                << tab << kFive << QRect(QPoint(1, 2), QPoint(1, 3)) << "Clear"
                << QStringList{"1,10", "2,", "3,", "4,40", "5,50"} << true;
            QTest::newRow(qPrintable(t + "Clear of empty cells changes nothing"))
                << tab << QStringList{"1,", "2,"} << QRect(QPoint(1, 1), QPoint(1, 2)) << "Clear"
                << QStringList{"1,", "2,"} << false;
            QTest::newRow(qPrintable(t + "Clear of a block dragged upwards changes nothing"))
                << tab << kFive << QRect(QPoint(1, 3), QPoint(1, 1)) << "Clear" << kFive << false;
            QTest::newRow(qPrintable(t + "Insert"))
                << tab << kFive << QRect(QPoint(1, 2), QPoint(1, 2)) << "Insert"
                << QStringList{"1,10", ",", "2,20", "3,30", "4,40", "5,50"} << true;
        }
    }
    void editCommands()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, before);
        QFETCH(QRect, block);
        QFETCH(QString, command);
        QFETCH(QStringList, after);
        QFETCH(bool, modified);
        Harness h;
        h.showTab(tab);
        h.fill(tab, before);
        select(h.table(tab), block.top(), block.left(), block.bottom(), block.right());
        QAction* action = command == "Delete" ? h.w().mnuDelete : command == "Clear" ? h.w().mnuClear
                                                                                     : h.w().mnuInsert;
        action->trigger();
        QCOMPARE(h.rows(tab), after);
        // A change the user made must not be lost without the save question,
        // and a changed profile must be plotted anew.
        QCOMPARE(h.modified(tab), modified);
        QCOMPARE(h.w().ProfilePlotted, !(tab == 0 && modified));
        QCOMPARE(h.modified(1 - tab), false);
    }

    void clearAfterTypingStillAsksOnClose()
    {
        Harness h;
        h.fill(0, {"1,", "2,"});
        h.clickCell(0, 1, 1);
        h.type("20");
        h.key(Qt::Key_Return);
        h.clickCell(0, 2, 1);
        h.type("99");
        h.key(Qt::Key_Return);
        select(h.table(0), 2, 1, 2, 1);
        h.w().mnuClear->trigger();
        QVERIFY(h.w().ProfileModified);
        h.fakes.messageBox->answers.push_back(MsgResult::No);
        h.w().close();
        QVERIFY(h.fakes.messageBox->texts().contains("Do you want to save the data?"));
    }

    void markFollowsTheRowsAfterACommand()
    {
        Harness h;
        h.fill(0, kFive);
        h.clickCell(0, 3, 1);
        h.w().mnuInsert->trigger();
        DataTable& t = h.table(0);
        for (int r = 1; r < t.Rows(); ++r)
            for (int c = 0; c < 2; ++c)
                QCOMPARE(t.cellBackColor(r, c) == kHighlightColor, r == t.Row() && c == t.Col());
    }

    // ---- clipboard ---------------------------------------------------------------

    void copyOfATwoByTwoBlock()
    {
        Harness h;
        h.fill(0, {"10,5", "20,7", "30,9"});
        h.fakes.clipboard->content = "old";
        select(h.table(0), 1, 0, 2, 1);
        h.w().mnuCopy->trigger();
        QCOMPARE(h.fakes.clipboard->content, QString("10\t5\r20\t7"));
        QCOMPARE(h.fakes.clipboard->clears, 1);
        QCOMPARE(h.w().ProfileModified, false);
    }

    void paste_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QRect>("block");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("modified");
        QTest::newRow("profile: into a single cell") << 0 << QRect(QPoint(0, 4), QPoint(0, 4)) << "10\t5\r20\t7"
                                                     << QStringList{"1,10", "2,20", "3,30", "10,40", "5,50"} << true;
        QTest::newRow("polar: a spreadsheet column into the loads")
            << 1 << QRect(QPoint(1, 2), QPoint(1, 4)) << "7\n8\n9\n" << QStringList{"1,10", "2,7", "3,8", "4,9", "5,50"}
            << true;
        QTest::newRow("profile: empty clipboard") << 0 << QRect(QPoint(0, 1), QPoint(1, 1)) << "" << kFive << false;
    }
    void paste()
    {
        QFETCH(int, tab);
        QFETCH(QRect, block);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, after);
        QFETCH(bool, modified);
        Harness h;
        h.showTab(tab);
        h.fill(tab, kFive);
        h.fakes.clipboard->content = clipboard;
        select(h.table(tab), block.top(), block.left(), block.bottom(), block.right());
        h.w().mnuPaste->trigger();
        QCOMPARE(h.rows(tab), after);
        QCOMPARE(h.modified(tab), modified);
    }

    // ---- row menu ------------------------------------------------------------------

    void deleteARow_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QList<MsgResult>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("no load: no question") << QStringList{"1,10", "2,"} << QList<MsgResult>{} << QStringList{}
                                              << QStringList{"1,10"};
        QTest::newRow("load, No keeps it") << QStringList{"1,10", "2,20"} << QList<MsgResult>{MsgResult::No}
                                           << QStringList{"There is data in Row 2 ! Delete anyway?"}
                                           << QStringList{"1,10", "2,20"};
    }
    void deleteARow()
    {
        QFETCH(QStringList, before);
        QFETCH(QList<MsgResult>, answers);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, after);
        Harness h;
        h.fill(0, before);
        h.clickCell(0, h.table(0).Rows() - 1, 1);
        for (MsgResult a : answers)
            h.fakes.messageBox->answers.push_back(a);
        h.w().mnuFGridDelRow->trigger();
        QCOMPARE(h.fakes.messageBox->texts(), asked);
        for (const AskedMessage& m : h.fakes.messageBox->asked) {
            QCOMPARE(m.title, QString("Delete Row!"));
            QCOMPARE(m.buttons, MsgButtons::YesNo);
        }
        QCOMPARE(h.rows(0), after);
        QCOMPARE(h.w().ProfileModified, after != before);
        // The row that was current is gone: the mark is on the new current row.
        QCOMPARE(h.table(0).CellBackColor(), kHighlightColor);
    }

    void extractRowThreeOfFive()
    {
        Harness h;
        h.fill(0, kFive);
        h.clickCell(0, 3, 0);
        h.fakes.messageBox->answers.push_back(MsgResult::Yes);
        withPopup([&] { h.clickCell(0, 3, 0, Qt::RightButton); }, "E&xtract a Row");
        QCOMPARE(h.fakes.messageBox->texts(), QStringList{"There is data in Row 3 ! Delete anyway?"});
        QCOMPARE(h.rows(0), QStringList({"1,10", "2,20", "4,40", "5,50"}));
        QCOMPARE(h.table(0).Rows(), 5);
        QVERIFY(h.w().ProfileModified);
        QVERIFY(!h.w().ProfilePlotted);
    }

    void oneDataRowIsLeftAlone()
    {
        Harness h;
        h.fill(0, {"1,10"});
        h.clickCell(0, 1, 1);
        h.w().mnuFGridExtrRow->trigger();
        h.w().mnuFGridDelRow->trigger();
        QCOMPARE(h.rows(0), QStringList{"1,10"});
        QVERIFY(h.fakes.messageBox->asked.isEmpty());
        QVERIFY(!h.w().ProfileModified);
        QVERIFY(h.w().ProfilePlotted);
    }

    void insertARowOnRowOne()
    {
        Harness h;
        h.fill(0, kFive);
        h.clickCell(0, 1, 1);
        h.key(Qt::Key_F2);
        h.w().mnuFGridInsRow->trigger();
        QCOMPARE(h.rows(0), QStringList({",", "1,10", "2,20", "3,30", "4,40", "5,50"}));
        QVERIFY(!h.box(0).isVisible());
        QVERIFY(h.w().ProfileModified);
    }

    void addARowShowsIt()
    {
        Harness h;
        QStringList many;
        for (int i = 1; i <= 40; ++i)
            many << QString("%1,").arg(i);
        h.fill(0, many);
        h.clickCell(0, 1, 1);
        h.w().mnuFGridAddRow->trigger();
        QCOMPARE(h.table(0).Row(), 41);
        QCOMPARE(h.table(0).Col(), 1);
        QVERIFY(h.view(0).isRowVisible(41));
        QCOMPARE(h.table(0).CellBackColor(), kHighlightColor);
    }
};

QTEST_MAIN(TestEditMenu)
#include "tst_editmenu.moc"
