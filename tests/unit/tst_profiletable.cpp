#include "tables/DataTable.h"
#include "tables/ProfileTable.h"

#include <QtTest>

using namespace tarvex;

namespace {
QStringList column(const DataTable& t, int col)
{
    QStringList out;
    for (int r = 1; r < t.Rows(); ++r)
        out << t.TextMatrix(r, col);
    return out;
}
} // namespace

class TestProfileTable : public QObject {
    Q_OBJECT
private slots:
    void set_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("xs");
        QTest::newRow("10 by 2.5, four rows") << "10" << "2.5" << "4" << 5
                                             << QStringList{"10", "12.5", "15", "17.5"};
        QTest::newRow("count 2.5 rounds two ways") << "10" << "1" << "2.5" << 4 << QStringList{"10", "11", ""};
        QTest::newRow("count 3.5: four X wanted, three rows there") << "1" << "1" << "3.5" << 4 << QStringList{"1", "2", "3"};
        QTest::newRow("empty start leaves X empty") << "" << "5" << "5" << 6 << QStringList{"", "", "", "", ""};
        QTest::newRow("zero start") << "0" << "5" << "5" << 6 << QStringList{"", "", "", "", ""};
        QTest::newRow("negative start") << "-5" << "5" << "5" << 6 << QStringList{"", "", "", "", ""};
        QTest::newRow("empty steps repeats start") << "100" << "" << "3" << 4 << QStringList{"100", "100", "100"};
        QTest::newRow("count beyond the list") << "1" << "1" << "20" << 21
                                              << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                                             "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"};
        QTest::newRow("fractional steps stay exact") << "0.1" << "0.2" << "3" << 4 << QStringList{"0.1", "0.3", "0.5"};
        QTest::newRow("count with a unit") << "5" << "5" << "3 rows" << 4 << QStringList{"5", "10", "15"};
    }
    void set()
    {
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, count);
        QFETCH(int, rows);
        QFETCH(QStringList, xs);
        DataTable t;
        t.setRows(3);
        t.setTextMatrix(1, 1, QStringLiteral("old load"));
        QVERIFY(ProfileSetRows(t, start, steps, count));
        QCOMPARE(t.Rows(), rows);
        QCOMPARE(column(t, 0), xs);
        for (const QString& y : column(t, 1))
            QVERIFY(y.isEmpty());
        QCOMPARE(t.Col(), 0);
        QCOMPARE(t.CellBackColor(), kHighlightColor);
    }

    void setRefuses_data()
    {
        QTest::addColumn<QString>("count");
        QTest::newRow("zero") << "0";
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "abc";
        QTest::newRow("negative") << "-3";
        QTest::newRow("below one") << "0.4";
        QTest::newRow("more than a table holds") << "40000";
        QTest::newRow("absurd") << "1E300";
    }
    void setRefuses()
    {
        QFETCH(QString, count);
        DataTable t;
        t.setRows(4);
        t.setTextMatrix(2, 1, QStringLiteral("12.5"));
        QVERIFY(!ProfileSetRows(t, QStringLiteral("10"), QStringLiteral("1"), count));
        QCOMPARE(t.Rows(), 4);
        QCOMPARE(t.TextMatrix(2, 1), QStringLiteral("12.5"));
    }

    void clearLeavesOneEmptyRow()
    {
        DataTable t;
        t.setRows(14);
        t.setTextMatrix(0, 0, QStringLiteral("Pos"));
        for (int r = 1; r < 14; ++r)
            t.setTextMatrix(r, 1, QString::number(r));
        ProfileClearRows(t);
        QCOMPARE(t.Rows(), 2);
        QCOMPARE(t.TextMatrix(1, 0), QString());
        QCOMPARE(t.TextMatrix(1, 1), QString());
        QCOMPARE(t.TextMatrix(0, 0), QStringLiteral("Pos")); // headings stay
        QCOMPARE(t.Row(), 1);
    }
};

QTEST_GUILESS_MAIN(TestProfileTable)
#include "tst_profiletable.moc"
