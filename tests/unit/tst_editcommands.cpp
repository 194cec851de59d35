#include "tables/EditCommands.h"
#include "tables/ProfileTable.h"

#include <QtTest>

using namespace tarvex;

namespace {

// Rows from "x,y" pairs; the table gets exactly these data rows.
void load(DataTable& t, const QStringList& rows)
{
    t.setRows(static_cast<int>(rows.size()) + 1);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells = rows[r].split(QLatin1Char(','));
        for (int c = 0; c < 2; ++c)
            t.setTextMatrix(r + 1, c, c < cells.size() ? cells[c] : QString());
    }
}

QStringList rows(const DataTable& t)
{
    QStringList out;
    for (int r = 1; r < t.Rows(); ++r)
        out << t.TextMatrix(r, 0) + QLatin1Char(',') + t.TextMatrix(r, 1);
    return out;
}

void select(DataTable& t, int row, int col, int rowSel, int colSel)
{
    t.setCurrent(row, col);
    t.setRowSel(rowSel);
    t.setColSel(colSel);
}

const QStringList kFive = {"1,10", "2,20", "3,30", "4,40", "5,50"};

// Answers the row question and remembers which rows it was asked about.
struct Asker {
    bool answer = true;
    QList<int> asked;
    ConfirmRowDelete fn()
    {
        return [this](int row) {
            asked << row;
            return answer;
        };
    }
};

} // namespace

class TestEditCommands : public QObject {
    Q_OBJECT
private slots:
    void deleteBlockRows_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QRect>("block"); // x = col, y = row, right = colSel, bottom = rowSel
        QTest::addColumn<QStringList>("after");
        QTest::newRow("rows 2 to 4 of five") << kFive << QRect(QPoint(0, 2), QPoint(1, 4))
                                             << QStringList{"1,10", "5,50"};
        QTest::newRow("one column spans whole rows") << kFive << QRect(QPoint(1, 2), QPoint(1, 3))
                                                     << QStringList{"1,10", "4,40", "5,50"};
        QTest::newRow("every row leaves one empty row") << kFive << QRect(QPoint(0, 1), QPoint(1, 5))
                                                        << QStringList{","};
        QTest::newRow("the only data row is emptied") << QStringList{"1,10"} << QRect(QPoint(1, 1), QPoint(1, 1))
                                                      << QStringList{","};
        QTest::newRow("block dragged upwards deletes nothing") << kFive << QRect(QPoint(0, 4), QPoint(1, 2))
                                                               << kFive;
    }
    void deleteBlockRows()
    {
        QFETCH(QStringList, before);
        QFETCH(QRect, block);
        QFETCH(QStringList, after);
        DataTable t;
        load(t, before);
        select(t, block.top(), block.left(), block.bottom(), block.right());
        DeleteBlockRows(t);
        QCOMPARE(rows(t), after);
        QVERIFY(t.Row() >= 1 && t.Row() < t.Rows());
    }

    void deleteKeepsPolarAnglesAsTheyWere()
    {
        DataTable t;
        SetPolarRows(t, "90");
        select(t, 2, 1, 2, 1);
        DeleteBlockRows(t);
        QCOMPARE(rows(t), QStringList({"0,", "180,", "270,"}));
        QCOMPARE(t.TextMatrix(0, 0), QString("     Degree"));
    }

    void clearEmptiesOnlyTheBlock()
    {
        DataTable t;
        SetPolarRows(t, "30");
        for (int r = 1; r <= 12; ++r)
            t.setTextMatrix(r, 1, QString::number(r * 10));
        select(t, 1, 1, 12, 1);
        ClearBlock(t);
        QCOMPARE(t.Rows(), 13);
        for (int r = 1; r <= 12; ++r) {
            QCOMPARE(t.TextMatrix(r, 1), QString());
            QCOMPARE(t.TextMatrix(r, 0), QString::number((r - 1) * 30));
        }
    }

    void clearOfAnEmptyBlockDoesNothing()
    {
        DataTable t;
        load(t, kFive);
        select(t, 3, 1, 1, 1);
        ClearBlock(t);
        QCOMPARE(rows(t), kFive);
    }

    void insertPutsAnEmptyRowAtTheCurrentRow()
    {
        DataTable t;
        load(t, kFive);
        select(t, 2, 1, 4, 1);
        InsertRowAtCurrent(t);
        QCOMPARE(rows(t), QStringList({"1,10", ",", "2,20", "3,30", "4,40", "5,50"}));
    }

    void copyGivesTabsAndCarriageReturns()
    {
        DataTable t;
        load(t, {"10,5", "20,7", "30,9"});
        select(t, 1, 0, 2, 1);
        QCOMPARE(CopyBlock(t), QString("10\t5\r20\t7"));
    }

    void clipboardText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clip");
        QTest::newRow("own layout") << "10\t5\r20\t7" << "10\t5\r20\t7";
        QTest::newRow("line feeds") << "10\t5\n20\t7" << "10\t5\r20\t7";
        QTest::newRow("CR LF") << "10\t5\r\n20\t7" << "10\t5\r20\t7";
        QTest::newRow("spreadsheet's last line feed") << "10\t5\n20\t7\n" << "10\t5\r20\t7";
        QTest::newRow("spreadsheet's last CR LF") << "10\t5\r\n20\t7\r\n" << "10\t5\r20\t7";
        QTest::newRow("one cell from a spreadsheet") << "42\n" << "42";
        QTest::newRow("an empty last row of our own stays") << "10\r" << "10\r";
        QTest::newRow("empty rows inside stay") << "1\n\n3\n" << "1\r\r3";
    }
    void clipboardText()
    {
        QFETCH(QString, text);
        QFETCH(QString, clip);
        QCOMPARE(ClipboardTextToClip(text), clip);
    }

    void paste_data()
    {
        QTest::addColumn<QRect>("block");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("after");
        const QStringList base = {"1,10", "2,20", "3,30", "4,40"};
        QTest::newRow("into a single cell: only the first cell lands")
            << QRect(QPoint(0, 3), QPoint(0, 3)) << "10\t5\r20\t7" << QStringList{"1,10", "2,20", "10,30", "4,40"};
        QTest::newRow("into a 2 x 2 block") << QRect(QPoint(0, 2), QPoint(1, 3)) << "10\t5\r20\t7"
                                            << QStringList{"1,10", "10,5", "20,7", "4,40"};
        QTest::newRow("spreadsheet column into a column block")
            << QRect(QPoint(1, 1), QPoint(1, 4)) << "11\n12\n13\n" << QStringList{"1,11", "2,12", "3,13", "4,40"};
        QTest::newRow("spreadsheet rows with CR LF") << QRect(QPoint(0, 1), QPoint(1, 2)) << "a\tb\r\nc\td\r\n"
                                                     << QStringList{"a,b", "c,d", "3,30", "4,40"};
        QTest::newRow("empty clipboard changes nothing") << QRect(QPoint(0, 1), QPoint(1, 2)) << "" << base;
        QTest::newRow("block dragged upwards takes nothing") << QRect(QPoint(0, 3), QPoint(1, 1)) << "a\tb" << base;
    }
    void paste()
    {
        QFETCH(QRect, block);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        DataTable t;
        load(t, {"1,10", "2,20", "3,30", "4,40"});
        t.setCurrent(block.top(), block.left());
        t.setRowSel(block.bottom());
        t.setColSel(block.right());
        PasteIntoBlock(t, text);
        QCOMPARE(rows(t), after);
    }

    void deleteRowQuestion()
    {
        QCOMPARE(DeleteRowQuestion(5), QString("There is data in Row 5 ! Delete anyway?"));
        QCOMPARE(kDeleteRowTitle, QString("Delete Row!"));
    }

    void addRowAppendsAndMakesItCurrent()
    {
        DataTable t;
        load(t, kFive);
        t.setCurrent(2, 1);
        AddRow(t);
        QCOMPARE(t.Rows(), 7);
        QCOMPARE(t.Row(), 6);
        QCOMPARE(t.Col(), 1);
        QCOMPARE(rows(t).last(), QString(","));
    }

    void rowsNeverOutgrowSixteenBits()
    {
        DataTable t;
        t.setRows(kMaxTableRows);
        t.setCurrent(5, 0);
        AddRow(t);
        InsertRowAt(t);
        InsertRowAtCurrent(t);
        QCOMPARE(t.Rows(), kMaxTableRows);
    }

    void insertRowOnRowOne()
    {
        DataTable t;
        load(t, kFive);
        t.setCurrent(1, 1);
        InsertRowAt(t);
        QCOMPARE(rows(t), QStringList({",", "1,10", "2,20", "3,30", "4,40", "5,50"}));
    }

    void deleteLastRow_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QList<int>>("asked");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("position only: no question")
            << QStringList{"1,10", "2,"} << true << QList<int>{} << QStringList{"1,10"};
        QTest::newRow("load present, Yes") << QStringList{"1,10", "2,20"} << true << QList<int>{2} << QStringList{"1,10"};
        QTest::newRow("load present, No") << QStringList{"1,10", "2,20"} << false << QList<int>{2}
                                          << QStringList{"1,10", "2,20"};
        QTest::newRow("blank load counts as data") << QStringList{"1,10", "2, "} << false << QList<int>{2}
                                                   << QStringList{"1,10", "2, "};
        QTest::newRow("one data row is left alone") << QStringList{"1,10"} << true << QList<int>{} << QStringList{"1,10"};
    }
    void deleteLastRow()
    {
        QFETCH(QStringList, before);
        QFETCH(bool, answer);
        QFETCH(QList<int>, asked);
        QFETCH(QStringList, after);
        DataTable t;
        load(t, before);
        t.setCurrent(t.Rows() - 1, 1);
        Asker ask{answer, {}};
        DeleteLastRow(t, ask.fn());
        QCOMPARE(ask.asked, asked);
        QCOMPARE(rows(t), after);
        QVERIFY(t.Row() >= 1 && t.Row() < t.Rows());
    }

    void extractRow_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QList<int>>("asked");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("rowAfter");
        QTest::newRow("row 3 of 5 with a load, Yes")
            << kFive << 3 << true << QList<int>{3} << QStringList{"1,10", "2,20", "4,40", "5,50"} << 3;
        QTest::newRow("row 3 of 5 with a load, No") << kFive << 3 << false << QList<int>{3} << kFive << 3;
        QTest::newRow("row 3 without a load: no question")
            << QStringList{"1,10", "2,20", "3,", "4,40", "5,50"} << 3 << false << QList<int>{}
            << QStringList{"1,10", "2,20", "4,40", "5,50"} << 3;
        QTest::newRow("last row: the row above becomes current")
            << kFive << 5 << true << QList<int>{5} << QStringList{"1,10", "2,20", "3,30", "4,40"} << 4;
        QTest::newRow("one data row is left alone")
            << QStringList{"1,10"} << 1 << true << QList<int>{} << QStringList{"1,10"} << 1;
    }
    void extractRow()
    {
        QFETCH(QStringList, before);
        QFETCH(int, current);
        QFETCH(bool, answer);
        QFETCH(QList<int>, asked);
        QFETCH(QStringList, after);
        QFETCH(int, rowAfter);
        DataTable t;
        load(t, before);
        t.setCurrent(current, 0);
        Asker ask{answer, {}};
        ExtractRow(t, ask.fn());
        QCOMPARE(ask.asked, asked);
        QCOMPARE(rows(t), after);
        QCOMPARE(t.Row(), rowAfter);
    }
};

QTEST_GUILESS_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
