// The in-cell editor on both tables, driven through the main window with the
// keyboard and the mouse as a user would.
#include "EditingHarness.h"

#include "tables/CellEditor.h"

using namespace tarvex;
using namespace tarvex::testing;

namespace {

const QStringList kFive = {"1,12", "2,12.5", "3,", "4,7", "5,40"};

// One step of a script: a key name, "caret N", "dbl R C", "click R C", or
// text to type.
void perform(Harness& h, int tab, const QString& step)
{
    const QStringList parts = step.split(QLatin1Char(' '));
    static const QHash<QString, Qt::Key> keys = {
        {"F2", Qt::Key_F2},     {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"BS", Qt::Key_Backspace},
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},  {"Up", Qt::Key_Up},      {"Down", Qt::Key_Down},
    };
    if (keys.contains(step)) {
        h.key(keys.value(step));
    } else if (parts[0] == "caret") {
        h.box(tab).setCursorPosition(parts[1].toInt());
    } else if (parts[0] == "dbl") {
        QTest::mouseDClick(h.view(tab).viewport(), Qt::LeftButton, {},
                           h.cellPoint(tab, parts[1].toInt(), parts[2].toInt()));
    } else if (parts[0] == "click") {
        h.clickCell(tab, parts[1].toInt(), parts[2].toInt());
    } else {
        h.type(step);
    }
}

} // namespace

class TestCellEditor : public QObject {
    Q_OBJECT
private slots:
    void script_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QPoint>("start");        // (col, row)
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("row");             // the row whose cells are checked
        QTest::addColumn<QString>("cells");       // "col0,col1" of that row afterwards
        QTest::addColumn<QPoint>("current");      // (col, row) afterwards
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("boxText");     // checked while editing
        QTest::addColumn<bool>("modified");

        for (int tab : {0, 1}) {
            const QString t = tab == 0 ? "profile: " : "polar: ";
            // After Enter in column 1 the profile table goes to column 0 of the
            // next row, the polar table stays in column 1.
            const QPoint belowRow1(tab == 0 ? 0 : 1, 2);
            auto add = [&](const char* name) { return &(QTest::newRow(qPrintable(t + name)) << tab); };

            *add("typing 5 replaces an idle 12") << QPoint(1, 1) << QStringList{"5"} << 1 << "1,5" << QPoint(1, 1)
                                                 << true << "5" << true;
            *add("Backspace on an idle 12.5") << QPoint(1, 2) << QStringList{"BS"} << 2 << "2,12." << QPoint(1, 2)
                                              << true << "12." << true;
            *add("Backspace on an idle empty cell") << QPoint(1, 3) << QStringList{"BS"} << 3 << "3," << QPoint(1, 3)
                                                    << true << "" << true;
            *add("typing with the caret at the end") << QPoint(1, 1) << QStringList{"F2", "3"} << 1 << "1,123"
                                                     << QPoint(1, 1) << true << "123" << true;
            *add("typing at caret 1: the cell appends") << QPoint(1, 1) << QStringList{"F2", "caret 1", "3"} << 1
                                                        << "1,123" << QPoint(1, 1) << true << "132" << true;
            *add("typing at caret 1, then Enter takes the box") << QPoint(1, 1)
                                                                << QStringList{"F2", "caret 1", "3", "Enter"} << 1
                                                                << "1,132" << belowRow1 << false << "" << true;
            *add("Backspace in the box at caret 2") << QPoint(1, 2) << QStringList{"F2", "caret 2", "BS"} << 2
                                                    << "2,1.5" << QPoint(1, 2) << true << "1.5" << true;
            *add("Backspace in the box at caret 0") << QPoint(1, 2) << QStringList{"F2", "caret 0", "BS"} << 2
                                                    << "2,12.5" << QPoint(1, 2) << true << "12.5" << true;
            *add("Escape restores the entry text, box stays open")
                << QPoint(1, 4) << QStringList{"F2", ".25", "Esc"} << 4 << "4,7" << QPoint(1, 4) << true << "7"
                << true;
            *add("Escape on an idle cell changes no text") << QPoint(1, 4) << QStringList{"Esc"} << 4 << "4,7"
                                                           << QPoint(1, 4) << false << "" << true;
            *add("Enter in the last cell stays put") << QPoint(1, 5) << QStringList{"F2", "1", "Enter"} << 5
                                                     << "5,401" << QPoint(1, 5) << false << "" << true;
            *add("Enter on the idle table moves on") << QPoint(1, 1) << QStringList{"Enter"} << 1 << "1,12"
                                                     << belowRow1 << false << "" << true;
            *add("right arrow at the end wraps into column 1")
                << QPoint(1, 1) << QStringList{"F2", "Right"} << 1 << "1,12" << QPoint(1, 2) << false << "" << false;
            *add("right arrow inside the text moves the caret only")
                << QPoint(1, 1) << QStringList{"F2", "Left", "Right"} << 1 << "1,12" << QPoint(1, 1) << true << "12"
                << false;
            *add("left arrow at 0 in row 5 goes to row 4's last column")
                << QPoint(1, 5) << QStringList{"F2", "caret 0", "Left"} << 5 << "5,40" << QPoint(1, 4) << false << ""
                << false;
            *add("left arrow at 0 in row 1 stays") << QPoint(1, 1) << QStringList{"F2", "caret 0", "Left"} << 1
                                                   << "1,12" << QPoint(1, 1) << true << "12" << false;
            *add("up arrow") << QPoint(1, 3) << QStringList{"F2", "Up"} << 3 << "3," << QPoint(1, 2) << false << ""
                             << false;
            *add("down arrow") << QPoint(1, 3) << QStringList{"F2", "Down"} << 3 << "3," << QPoint(1, 4) << false
                               << "" << false;
            *add("down arrow in the last row keeps editing") << QPoint(1, 5) << QStringList{"F2", "Down"} << 5
                                                             << "5,40" << QPoint(1, 5) << true << "40" << false;
            *add("double click on a data cell starts editing") << QPoint(1, 2) << QStringList{"dbl 2 1"} << 2
                                                               << "2,12.5" << QPoint(1, 2) << true << "12.5" << false;
            *add("clicking another cell ends editing, text kept")
                << QPoint(1, 1) << QStringList{"F2", "9", "click 3 1"} << 1 << "1,129" << QPoint(1, 3) << false << ""
                << true;
        }

        // Where the tables differ.
        QTest::newRow("profile: typing in column 0") << 0 << QPoint(0, 2) << QStringList{"7"} << 2 << "7,12.5"
                                                     << QPoint(0, 2) << true << "7" << true;
        QTest::newRow("profile: Enter from column 0 to column 1")
            << 0 << QPoint(0, 2) << QStringList{"F2", "8", "Enter"} << 2 << "28,12.5" << QPoint(1, 2) << false << ""
            << true;
        QTest::newRow("profile: right arrow from column 0 to column 1")
            << 0 << QPoint(0, 2) << QStringList{"F2", "Right"} << 2 << "2,12.5" << QPoint(1, 2) << false << ""
            << false;
        QTest::newRow("profile: left arrow from column 0 to the row above")
            << 0 << QPoint(0, 3) << QStringList{"F2", "caret 0", "Left"} << 3 << "3," << QPoint(1, 2) << false << "" << false;
        for (const QString& step : {QString("dbl 2 0"), QString("F2"), QString("7"), QString("BS"), QString("Enter")})
            QTest::newRow(qPrintable("polar: column 0 ignores " + step))
                << 1 << QPoint(0, 2) << QStringList{step} << 2 << "2,12.5" << QPoint(0, 2) << false << "" << false;
    }

    void script()
    {
        QFETCH(int, tab);
        QFETCH(QPoint, start);
        QFETCH(QStringList, steps);
        QFETCH(int, row);
        QFETCH(QString, cells);
        QFETCH(QPoint, current);
        QFETCH(bool, editing);
        QFETCH(QString, boxText);
        QFETCH(bool, modified);

        Harness h;
        h.showTab(tab);
        h.fill(tab, kFive);
        h.clickCell(tab, start.y(), start.x());
        QCOMPARE(h.table(tab).Row(), start.y());
        QCOMPARE(h.table(tab).Col(), start.x());

        for (const QString& step : steps)
            perform(h, tab, step);

        QCOMPARE(h.rows(tab).at(row - 1), cells);
        QCOMPARE(QPoint(h.table(tab).Col(), h.table(tab).Row()), current);
        QCOMPARE(h.box(tab).isVisible(), editing);
        if (editing) {
            QCOMPARE(h.box(tab).text(), boxText);
            QCOMPARE(QApplication::focusWidget(), &h.box(tab));
        }
        QCOMPARE(h.modified(tab), modified);
        // Typing into the profile table makes it plottable again; the polar
        // table has nothing to do with the plotted flag.
        QCOMPARE(h.w().ProfilePlotted, tab == 0 ? !modified : true);
        QCOMPARE(h.modified(1 - tab), false);
        // Every step sends the current cell's row into view.
        QVERIFY(h.view(tab).isRowVisible(h.table(tab).Row()));
    }

    void boxLiesOverTheCurrentCell()
    {
        Harness h;
        h.fill(0, kFive);
        h.clickCell(0, 3, 1);
        h.key(Qt::Key_F2);
        QCOMPARE(h.box(0).geometry(), h.view(0).cellRect(3, 1));
        QCOMPARE(h.box(0).cursorPosition(), 0); // an empty cell
        h.clickCell(0, 2, 1);
        h.key(Qt::Key_F2);
        QCOMPARE(h.box(0).geometry(), h.view(0).cellRect(2, 1));
        QCOMPARE(h.box(0).cursorPosition(), 4);
    }

    void markMovesWithTheCurrentCell_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("profile") << 0;
        QTest::newRow("polar") << 1;
    }
    void markMovesWithTheCurrentCell()
    {
        QFETCH(int, tab);
        Harness h;
        h.showTab(tab);
        h.fill(tab, kFive);
        DataTable& t = h.table(tab);
        auto marked = [&] {
            QList<QPoint> cells;
            for (int r = 0; r < t.Rows(); ++r)
                for (int c = 0; c < t.Cols(); ++c)
                    if (t.cellBackColor(r, c) == kHighlightColor)
                        cells << QPoint(c, r);
            return cells;
        };
        h.clickCell(tab, 2, 1);
        QCOMPARE(marked(), QList<QPoint>{QPoint(1, 2)});
        QCOMPARE(t.EntryText(), QString("12.5"));
        h.key(Qt::Key_Down);
        QCOMPARE(marked(), QList<QPoint>{QPoint(1, 3)});
        h.key(Qt::Key_Left);
        // The polar angles are never marked.
        QCOMPARE(marked(), tab == 0 ? QList<QPoint>{QPoint(0, 3)} : QList<QPoint>{});
        // A mark on the way does not stay behind after Enter moves on.
        h.clickCell(tab, 4, 1);
        h.key(Qt::Key_F2);
        h.type("5");
        h.key(Qt::Key_Return);
        QCOMPARE(t.Row(), 5);
        QCOMPARE(marked(), QList<QPoint>{QPoint(t.Col(), 5)});
        QCOMPARE(QApplication::focusWidget(), &h.view(tab));
    }

    void routinesActOnTheActiveTab()
    {
        Harness h;
        h.fill(1, kFive);
        h.fill(0, kFive);
        h.showTab(1);
        h.table(1).setCurrent(2, 1);
        h.w().BeginCellEdit();
        QVERIFY(h.box(1).isVisible());
        QVERIFY(!h.box(0).isVisible());
        h.w().AdvanceCell();
        QCOMPARE(h.table(1).Row(), 3);
        QCOMPARE(h.table(0).Row(), 1);
        h.table(1).setCurrent(2, 0);
        h.w().BeginCellEdit();
        QVERIFY(!h.box(1).isVisible());
    }

    void scrollingKeepsTheBoxOnItsCell()
    {
        Harness h;
        QStringList many;
        for (int i = 1; i <= 60; ++i)
            many << QString("%1,%2").arg(i).arg(i * 2);
        h.fill(0, many);
        h.clickCell(0, 1, 1);
        h.key(Qt::Key_F2);
        QVERIFY(h.box(0).isVisible());
        // Down to a row out of sight: the table scrolls and the cell is shown.
        for (int i = 0; i < 40; ++i)
            h.key(Qt::Key_Return);
        QVERIFY(h.view(0).isRowVisible(h.table(0).Row()));
        h.key(Qt::Key_F2);
        QCOMPARE(h.box(0).geometry(), h.view(0).cellRect(h.table(0).Row(), h.table(0).Col()));
        // Scrolling the box's cell away ends the editing.
        h.view(0).ensureCellVisible(1);
        QVERIFY(!h.box(0).isVisible());
    }

    void keysTheBoxDoesNotUseStayInIt()
    {
        Harness h;
        h.fill(0, kFive);
        h.clickCell(0, 2, 1);
        h.key(Qt::Key_F2);
        h.key(Qt::Key_PageDown);
        QCOMPARE(h.table(0).Row(), 2);
        QVERIFY(h.box(0).isVisible());
    }
};

QTEST_MAIN(TestCellEditor)
#include "tst_celleditor.moc"
