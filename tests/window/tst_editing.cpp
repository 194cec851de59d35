// Editing the tables as a user does: keys and clicks on the cell editor, the
// pop-up menus and their commands, the heading dialog.
#include "harness/WindowHarness.h"

#include <QDialog>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

const QStringList kFive = {"1,12", "2,12.5", "3,0", "4,7", "5,40"};

// One step: a key name, "caret N", "dbl R C", "click R C", or text to type.
void perform(WindowHarness& h, Workspace ws, const QString& step)
{
    static const QHash<QString, Qt::Key> keys = {
        {"F2", Qt::Key_F2},     {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"BS", Qt::Key_Backspace},
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},  {"Up", Qt::Key_Up},      {"Down", Qt::Key_Down},
        {"PgDn", Qt::Key_PageDown}};
    const QStringList p = step.split(' ');
    if (keys.contains(step))
        h.key(keys.value(step));
    else if (p[0] == "caret")
        h.box(ws).setCursorPosition(p[1].toInt());
    else if (p[0] == "dbl")
        QTest::mouseDClick(h.view(ws).viewport(), Qt::LeftButton, {}, h.cellPoint(ws, p[1].toInt(), p[2].toInt()));
    else if (p[0] == "click")
        h.clickCell(ws, p[1].toInt(), p[2].toInt());
    else
        h.type(step);
}

void select(DataTable& t, QRect block)
{
    t.setCurrent(block.top(), block.left());
    t.setRowSel(block.bottom());
    t.setColSel(block.right());
}

} // namespace

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void keys_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QPoint>("start");        // (col, row)
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("cells");       // the start row afterwards
        QTest::addColumn<QPoint>("current");
        QTest::addColumn<QString>("box");         // "-" when not editing
        QTest::addColumn<bool>("modified");
        for (Workspace ws : {Profile, Polar}) {
            const QString t = ws == Profile ? "profile: " : "polar: ";
            // Enter in column 1 goes on to column 0 of the profile, stays in the polar's column 1.
            const QPoint below1(ws == Profile ? 0 : 1, 2);
            auto row = [&](const char* n) { return &(QTest::newRow(qPrintable(t + n)) << ws); };
            *row("typing replaces an idle cell") << QPoint(1, 1) << QStringList{"5"} << "1,5" << QPoint(1, 1) << "5" << true;
            *row("Backspace on an idle cell") << QPoint(1, 2) << QStringList{"BS"} << "2,12." << QPoint(1, 2) << "12." << true;
            *row("Backspace empties a short cell") << QPoint(1, 3) << QStringList{"BS"} << "3," << QPoint(1, 3) << "" << true;
            *row("typing at caret 1: the cell appends") << QPoint(1, 1) << QStringList{"F2", "caret 1", "3"} << "1,123"
                                                        << QPoint(1, 1) << "132" << true;
            *row("then Enter takes the box") << QPoint(1, 1) << QStringList{"F2", "caret 1", "3", "Enter"} << "1,132"
                                             << below1 << "-" << true;
            *row("Backspace in the box at caret 2") << QPoint(1, 2) << QStringList{"F2", "caret 2", "BS"} << "2,1.5"
                                                    << QPoint(1, 2) << "1.5" << true;
            *row("Escape restores the entry text") << QPoint(1, 4) << QStringList{"F2", ".25", "Esc"} << "4,7"
                                                   << QPoint(1, 4) << "7" << true;
            *row("Escape on an idle cell") << QPoint(1, 4) << QStringList{"Esc"} << "4,7" << QPoint(1, 4) << "-" << true;
            *row("Enter on the idle table") << QPoint(1, 1) << QStringList{"Enter"} << "1,12" << below1 << "-" << true;
            *row("Enter in the last cell stays") << QPoint(1, 5) << QStringList{"F2", "1", "Enter"} << "5,401"
                                                 << QPoint(1, 5) << "-" << true;
            *row("right arrow at the end wraps") << QPoint(1, 1) << QStringList{"F2", "Right"} << "1,12" << QPoint(1, 2)
                                                 << "-" << false;
            *row("right arrow inside the text") << QPoint(1, 1) << QStringList{"F2", "Left", "Right"} << "1,12"
                                                << QPoint(1, 1) << "12" << false;
            *row("left arrow at 0 to the row above") << QPoint(1, 5) << QStringList{"F2", "caret 0", "Left"} << "5,40"
                                                     << QPoint(1, 4) << "-" << false;
            *row("left arrow at 0 in row 1 stays") << QPoint(1, 1) << QStringList{"F2", "caret 0", "Left"} << "1,12"
                                                   << QPoint(1, 1) << "12" << false;
            *row("up arrow") << QPoint(1, 3) << QStringList{"F2", "Up"} << "3,0" << QPoint(1, 2) << "-" << false;
            *row("down arrow in the last row") << QPoint(1, 5) << QStringList{"F2", "Down"} << "5,40" << QPoint(1, 5)
                                               << "40" << false;
            *row("page down stays in the box") << QPoint(1, 2) << QStringList{"F2", "PgDn"} << "2,12.5" << QPoint(1, 2)
                                               << "12.5" << false;
            *row("double click edits") << QPoint(1, 2) << QStringList{"dbl 2 1"} << "2,12.5" << QPoint(1, 2) << "12.5"
                                       << false;
            *row("another cell ends editing") << QPoint(1, 1) << QStringList{"F2", "9", "click 3 1"} << "1,129"
                                              << QPoint(1, 3) << "-" << true;
        }
        QTest::newRow("profile: typing in column 0") << Profile << QPoint(0, 2) << QStringList{"7"} << "7,12.5"
                                                     << QPoint(0, 2) << "7" << true;
        QTest::newRow("profile: Enter from column 0") << Profile << QPoint(0, 2) << QStringList{"F2", "8", "Enter"}
                                                      << "28,12.5" << QPoint(1, 2) << "-" << true;
        QTest::newRow("profile: left arrow from column 0") << Profile << QPoint(0, 3)
                                                           << QStringList{"F2", "caret 0", "Left"} << "3,0"
                                                           << QPoint(1, 2) << "-" << false;
        for (const char* step : {"dbl 2 0", "F2", "7", "BS", "Enter"})
            QTest::newRow(qPrintable(QString("polar: column 0 ignores ") + step))
                << Polar << QPoint(0, 2) << QStringList{step} << "2,12.5" << QPoint(0, 2) << "-" << false;
    }
    void keys()
    {
        QFETCH(Workspace, ws);
        QFETCH(QPoint, start);
        QFETCH(QStringList, steps);
        QFETCH(QString, cells);
        QFETCH(QPoint, current);
        QFETCH(QString, box);
        QFETCH(bool, modified);
        WindowHarness h;
        h.fill(ws, kFive);
        if (ws == Profile)
            h.click("Tab0cmdPlot");
        h.clickCell(ws, start.y(), start.x());
        for (const QString& step : steps)
            perform(h, ws, step);
        const DataTable& t = h.table(ws);
        QCOMPARE(h.rows(ws).at(start.y() - 1), cells);
        QCOMPARE(QPoint(t.Col(), t.Row()), current);
        QCOMPARE(h.box(ws).isVisible() ? h.box(ws).text() : QStringLiteral("-"), box);
        if (h.box(ws).isVisible()) {
            QCOMPARE(h.box(ws).geometry(), h.view(ws).cellRect(t.Row(), t.Col()));
            QCOMPARE(QApplication::focusWidget(), &h.box(ws));
        }
        // Moved on, the mark sits on the new current cell alone; the polar
        // angles take none.
        for (int r = 1; r < t.Rows() && !h.box(ws).isVisible() && current != start; ++r)
            for (int c = 0; c < 2; ++c)
                QCOMPARE(t.cellBackColor(r, c) == kHighlightColor,
                         r == t.Row() && c == t.Col() && (ws == Profile || c == 1));
        QCOMPARE(h.plotActs(), ws == Profile && modified);
        QCOMPARE(h.unsaved(), modified ? QStringList{ws == Profile ? "tvl" : "tvp"} : QStringList{});
    }

    // Right click and the menu keys: a cell of the profile opens the row menu,
    // a block the Edit menu; the polar table has the Edit menu only, within
    // the selected rows.
    void popUps_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QRect>("block");
        QTest::addColumn<int>("clickedRow");   // -1: the Menu key
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("currentRow");
        QTest::newRow("profile cell") << Profile << QRect(0, 2, 1, 1) << 4 << "Row Popup" << 4;
        QTest::newRow("profile heading") << Profile << QRect(0, 2, 1, 1) << 0 << "Row Popup" << 1;
        QTest::newRow("profile block") << Profile << QRect(0, 1, 2, 2) << 4 << "&Edit" << 1;
        QTest::newRow("profile block, key") << Profile << QRect(0, 1, 2, 2) << -1 << "&Edit" << 1;
        QTest::newRow("profile cell, key") << Profile << QRect(1, 2, 1, 1) << -1 << "Row Popup" << 2;
        QTest::newRow("polar inside") << Polar << QRect(1, 2, 1, 3) << 4 << "&Edit" << 2;
        QTest::newRow("polar below") << Polar << QRect(1, 2, 1, 3) << 5 << "" << 2;
        QTest::newRow("polar heading") << Polar << QRect(1, 1, 1, 4) << 0 << "" << 1;
        QTest::newRow("polar cell, key") << Polar << QRect(1, 2, 1, 1) << -1 << "&Edit" << 2;
    }
    void popUps()
    {
        QFETCH(Workspace, ws);
        QFETCH(QRect, block);
        QFETCH(int, clickedRow);
        QFETCH(QString, menu);
        QFETCH(int, currentRow);
        WindowHarness h;
        h.fill(ws, kFive);
        h.clickCell(ws, block.top(), block.left());
        select(h.table(ws), block);
        const QString shown = withPopup([&] {
            if (clickedRow < 0)
                h.key(Qt::Key_Menu);
            else
                h.clickCell(ws, clickedRow, 1, Qt::RightButton);
            QTest::qWait(50);
        });
        QCOMPARE(shown, menu);
        QCOMPARE(h.table(ws).Row(), currentRow);
        QVERIFY(h.unsaved().isEmpty());
    }

    // The commands of both menus on the selected block (col, row, width,
    // height), and whether they count as a change.
    void commands_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QRect>("block");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("clipboard");   // before, then "|" and after
        QTest::addColumn<bool>("modified");
        const QStringList five = {"1,10", "2,20", "3,30", "4,40", "5,50"};
        for (Workspace ws : {Profile, Polar}) {
            const QString t = ws == Profile ? "profile: " : "polar: ";
            auto row = [&](const char* n) { return &(QTest::newRow(qPrintable(t + n)) << ws); };
            *row("Delete rows 2 to 4") << QRect(0, 2, 2, 3) << "mnuDelete" << QStringList{"1,10", "5,50"} << "|" << true;
            *row("Delete of every row") << QRect(1, 1, 1, 5) << "mnuDelete" << QStringList{","} << "|" << true;
            *row("Clear of loads") << QRect(1, 2, 1, 2) << "mnuClear" << QStringList{"1,10", "2,", "3,", "4,40", "5,50"}
                                   << "|" << true;
            *row("Clear of a block dragged upwards") << QRect(QPoint(1, 3), QPoint(1, 1)) << "mnuClear" << five << "|"
                                                     << false;
            *row("Insert") << QRect(1, 2, 1, 1) << "mnuInsert"
                           << QStringList{"1,10", ",", "2,20", "3,30", "4,40", "5,50"} << "|" << true;
            *row("Copy") << QRect(0, 1, 2, 2) << "mnuCopy" << five << "old|1\t10\r2\t20" << false;
            *row("Paste a column") << QRect(1, 2, 1, 3) << "mnuPaste" << QStringList{"1,10", "2,7", "3,8", "4,9", "5,50"}
                                   << "7\n8\n9\n|7\n8\n9\n" << true;
            *row("Paste nothing") << QRect(0, 1, 2, 1) << "mnuPaste" << five << "|" << false;
        }
        QTest::newRow("profile: Add a Row") << Profile << QRect(1, 1, 1, 1) << "mnuFGridAddRow"
                                            << QStringList{"1,10", "2,20", "3,30", "4,40", "5,50", ","} << "|" << true;
        QTest::newRow("profile: Insert a Row") << Profile << QRect(1, 1, 1, 1) << "mnuFGridInsRow"
                                               << QStringList{",", "1,10", "2,20", "3,30", "4,40", "5,50"} << "|" << true;
        QTest::newRow("profile: Extract a Row, Yes") << Profile << QRect(0, 3, 1, 1) << "mnuFGridExtrRow"
                                                     << QStringList{"1,10", "2,20", "4,40", "5,50"} << "|" << true;
        QTest::newRow("profile: Delete a Row, No") << Profile << QRect(0, 3, 1, 1) << "mnuFGridDelRow" << five << "|"
                                                   << false;
    }
    void commands()
    {
        QFETCH(Workspace, ws);
        QFETCH(QRect, block);
        QFETCH(QString, command);
        QFETCH(QStringList, after);
        QFETCH(QString, clipboard);
        QFETCH(bool, modified);
        WindowHarness h;
        h.fill(ws, {"1,10", "2,20", "3,30", "4,40", "5,50"});
        h.click("Tab0cmdPlot");
        h.fakes.clipboard->content = clipboard.section('|', 0, 0);
        h.fakes.messageBox->answers = {command == "mnuFGridExtrRow" ? MsgResult::Yes : MsgResult::No};
        select(h.table(ws), block);
        h.click(command);
        QCOMPARE(h.rows(ws), after);
        QCOMPARE(h.fakes.clipboard->content, clipboard.section('|', 1));
        if (command == "mnuFGridExtrRow" || command == "mnuFGridDelRow") {
            const AskedMessage& m = h.fakes.messageBox->asked.value(0);
            QCOMPARE(m.text + '|' + m.title, QString("There is data in Row %1 ! Delete anyway?|Delete Row!")
                                                 .arg(command == "mnuFGridDelRow" ? 5 : 3));
        }
        // The mark follows the current cell through rows moved by the command.
        for (int r = 1; r < h.table(ws).Rows(); ++r)
            QCOMPARE(h.table(ws).cellBackColor(r, 1) == kHighlightColor, r == h.table(ws).Row() && h.table(ws).Col() == 1);
        QCOMPARE(h.plotActs(), ws == Profile && modified && h.table(ws).Rows() > 3);
        QCOMPARE(h.unsaved(), modified ? QStringList{ws == Profile ? "tvl" : "tvp"} : QStringList{});
    }

    // A double click on the heading row renames the headings: a change to
    // save, though not one the chart has to show.
    void headings_data()
    {
        QTest::addColumn<Workspace>("ws");
        QTest::addColumn<QString>("shown");
        QTest::newRow("profile") << Profile << "X|Y";
        QTest::newRow("polar") << Polar << "Degree|Load";
    }
    void headings()
    {
        QFETCH(Workspace, ws);
        QFETCH(QString, shown);
        WindowHarness h;
        h.fill(Profile, {"1,10", "2,20", "3,30"});
        h.fill(Polar, {"1,10", "2,20", "3,30"});
        h.click("Tab0cmdPlot");
        h.showTab(ws);
        QString seen;
        const QStringList dialogs = withModal(
            [&] { QTest::mouseDClick(h.view(ws).viewport(), Qt::LeftButton, {}, h.cellPoint(ws, 0, 1)); },
            [&](QWidget* d) {
                auto* x = d->findChild<QLineEdit*>("txtXLabel");
                auto* y = d->findChild<QLineEdit*>("txtYLabel");
                seen = x->text() + '|' + y->text();
                y->clear();
                QTest::mouseClick(d->findChild<QAbstractButton*>("OKButton"), Qt::LeftButton);   // waits for both
                y->setText("Load (N)");
                QTest::keyClick(d, Qt::Key_Return);
            });
        QCOMPARE(dialogs, QStringList{"tarvex::frmXYCaption"});
        QCOMPARE(seen, shown);
        QCOMPARE(h.table(ws).TextMatrix(0, 1), QStringLiteral("Load (N)"));
        QCOMPARE(h.table(ws == Profile ? Polar : Profile).TextMatrix(0, 1), ws == Profile ? "Load" : "Y");
        QVERIFY(!h.plotActs());
        QCOMPARE(h.unsaved(), QStringList{ws == Profile ? "tvl" : "tvp"});
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
