#include "tables/DataTable.h"

#include <QtTest>

using namespace tarvex;

namespace {

// Fills rows 1..n with "r<row>c<col>".
void fill(DataTable& t, int dataRows)
{
    t.setRows(dataRows + 1);
    for (int r = 1; r <= dataRows; ++r)
        for (int c = 0; c < t.Cols(); ++c)
            t.setTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
}

QStringList column(const DataTable& t, int col)
{
    QStringList out;
    for (int r = 1; r < t.Rows(); ++r)
        out << t.TextMatrix(r, col);
    return out;
}

void select(DataTable& t, int row, int col, int rowSel, int colSel)
{
    t.setCurrent(row, col);
    t.setRowSel(rowSel);
    t.setColSel(colSel);
}

} // namespace

class TestDataTable : public QObject {
    Q_OBJECT
private slots:
    void rowsUpAndDown()
    {
        DataTable t;
        QCOMPARE(t.Rows(), 2);
        QCOMPARE(t.Cols(), 2);
        fill(t, 4);
        t.setRows(3);
        QCOMPARE(column(t, 0), QStringList({"r1c0", "r2c0"}));
        // Rows dropped take their text with them: raising again gives empty rows.
        t.setRows(5);
        QCOMPARE(column(t, 0), QStringList({"r1c0", "r2c0", "", ""}));
        QCOMPARE(column(t, 1), QStringList({"r1c1", "r2c1", "", ""}));
    }

    void rowsBelowOneAreRefused()
    {
        DataTable t;
        t.setTextMatrix(0, 0, "X");
        t.setRows(0);
        QCOMPARE(t.Rows(), 2);
        t.setRows(-3);
        QCOMPARE(t.Rows(), 2);
        t.setRows(1);
        QCOMPARE(t.Rows(), 1);
        QCOMPARE(t.TextMatrix(0, 0), QString("X"));
    }

    void currentCellStaysInsideWhenRowsShrink()
    {
        DataTable t;
        fill(t, 6);
        t.setCurrent(6, 1);
        t.setRows(3);
        QVERIFY(t.Row() >= 1 && t.Row() < t.Rows());
        QVERIFY(t.RowSel() < t.Rows());
        // Text reads and writes outside the table do nothing.
        t.setTextMatrix(9, 0, "lost");
        QCOMPARE(t.TextMatrix(9, 0), QString());
        QCOMPARE(t.TextMatrix(-1, 0), QString());
    }

    void addItemInsertsEmptyRow()
    {
        DataTable t;
        fill(t, 3);
        t.AddItem(QString(), 2);
        QCOMPARE(t.Rows(), 5);
        QCOMPARE(column(t, 0), QStringList({"r1c0", "", "r2c0", "r3c0"}));
        QCOMPARE(column(t, 1), QStringList({"r1c1", "", "r2c1", "r3c1"}));
        t.AddItem(QString(), t.Rows()); // appending at the end is allowed
        QCOMPARE(t.Rows(), 6);
        t.AddItem(QString(), 99);       // beyond it is not
        QCOMPARE(t.Rows(), 6);
    }

    void removeItemMovesRowsUp()
    {
        DataTable t;
        fill(t, 4);
        t.RemoveItem(2);
        QCOMPARE(column(t, 0), QStringList({"r1c0", "r3c0", "r4c0"}));
        t.RemoveItem(7);
        QCOMPARE(t.Rows(), 4);
        t.setRows(1);
        t.RemoveItem(0); // the last row of all stays
        QCOMPARE(t.Rows(), 1);
    }

    void removeItemKeepsCurrentInside()
    {
        DataTable t;
        fill(t, 3);
        t.setCurrent(3, 0);
        t.RemoveItem(3);
        QCOMPARE(t.Row(), 2);
    }

    void clipGet_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<int>("colSel");
        QTest::addColumn<QString>("clip");
        QTest::newRow("one cell") << 2 << 1 << 2 << 1 << "r2c1";
        QTest::newRow("2 x 2") << 1 << 0 << 2 << 1 << "r1c0\tr1c1\rr2c0\tr2c1";
        QTest::newRow("one column") << 1 << 1 << 3 << 1 << "r1c1\rr2c1\rr3c1";
        QTest::newRow("one row") << 3 << 0 << 3 << 1 << "r3c0\tr3c1";
        QTest::newRow("dragged upwards") << 3 << 0 << 1 << 1 << "";
        QTest::newRow("dragged leftwards") << 1 << 1 << 3 << 0 << "";
    }
    void clipGet()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, rowSel);
        QFETCH(int, colSel);
        QFETCH(QString, clip);
        DataTable t;
        fill(t, 3);
        select(t, row, col, rowSel, colSel);
        QCOMPARE(t.Clip(), clip);
        QCOMPARE(t.blockIsEmpty(), rowSel < row || colSel < col);
    }

    void clipSet_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<int>("colSel");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("col0");
        QTest::addColumn<QStringList>("col1");
        QTest::newRow("text fits the block")
            << 1 << 0 << 2 << 1 << "a\tb\rc\td" << QStringList{"a", "c", "r3c0"} << QStringList{"b", "d", "r3c1"};
        QTest::newRow("text larger than the block: surplus dropped")
            << 2 << 0 << 2 << 0 << "a\tb\rc\td" << QStringList{"r1c0", "a", "r3c0"}
            << QStringList{"r1c1", "r2c1", "r3c1"};
        QTest::newRow("text smaller than the block: the rest keeps its text")
            << 1 << 0 << 3 << 1 << "a" << QStringList{"a", "r2c0", "r3c0"} << QStringList{"r1c1", "r2c1", "r3c1"};
        QTest::newRow("short row inside a block")
            << 1 << 0 << 2 << 1 << "a\rc\td" << QStringList{"a", "c", "r3c0"} << QStringList{"r1c1", "d", "r3c1"};
        QTest::newRow("empty cells in the text empty the cells")
            << 1 << 0 << 1 << 1 << "\t" << QStringList{"", "r2c0", "r3c0"} << QStringList{"", "r2c1", "r3c1"};
        QTest::newRow("dragged upwards: nothing written")
            << 3 << 0 << 1 << 1 << "a\tb" << QStringList{"r1c0", "r2c0", "r3c0"}
            << QStringList{"r1c1", "r2c1", "r3c1"};
        QTest::newRow("dragged leftwards: nothing written")
            << 1 << 1 << 1 << 0 << "a\tb" << QStringList{"r1c0", "r2c0", "r3c0"}
            << QStringList{"r1c1", "r2c1", "r3c1"};
    }
    void clipSet()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, rowSel);
        QFETCH(int, colSel);
        QFETCH(QString, text);
        QFETCH(QStringList, col0);
        QFETCH(QStringList, col1);
        DataTable t;
        fill(t, 3);
        select(t, row, col, rowSel, colSel);
        t.setClip(text);
        QCOMPARE(column(t, 0), col0);
        QCOMPARE(column(t, 1), col1);
    }

    void leaveThenEnter()
    {
        DataTable t;
        fill(t, 3);
        QStringList events;
        t.onLeaveCell = [&] { events << QStringLiteral("leave %1,%2").arg(t.Row()).arg(t.Col()); };
        t.onEnterCell = [&] { events << QStringLiteral("enter %1,%2").arg(t.Row()).arg(t.Col()); };
        t.setRow(2);
        t.setCol(1);
        t.setCurrent(3, 0);
        t.setCurrent(3, 0); // no move, no events
        QCOMPARE(events, QStringList({"leave 1,0", "enter 2,0", "leave 2,0", "enter 2,1", "leave 2,1", "enter 3,0"}));
    }

    void movingCollapsesTheBlock()
    {
        DataTable t;
        fill(t, 3);
        select(t, 1, 0, 3, 1);
        t.setRow(2);
        QCOMPARE(t.RowSel(), 2);
        QCOMPARE(t.ColSel(), 0);
    }

    void backColorsStayWithTheirCells()
    {
        DataTable t;
        fill(t, 3);
        t.setCurrent(2, 1);
        t.setCellBackColor(kHighlightColor);
        QCOMPARE(t.CellBackColor(), kHighlightColor);
        QVERIFY(!t.cellBackColor(1, 1).isValid());
        t.clearCellBackColors();
        QVERIFY(!t.CellBackColor().isValid());
    }
};

QTEST_GUILESS_MAIN(TestDataTable)
#include "tst_datatable.moc"
