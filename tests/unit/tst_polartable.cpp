// Lay-out of the polar table from the angle interval.
#include "tables/DataTable.h"
#include "numbers/Numbers.h"
#include "tables/ProfileTable.h"

#include <QtTest>

using namespace tarvex;

class TestPolarTable : public QObject {
    Q_OBJECT
private slots:
    void setPolarRows_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<int>("angles");
        QTest::addColumn<QString>("last");
        QTest::addColumn<double>("step");
        QTest::newRow("30") << "30" << 12 << "330" << 30.0;
        QTest::newRow("1") << "1" << 360 << "359" << 1.0;
        QTest::newRow("90") << "90" << 4 << "270" << 90.0;
        QTest::newRow("7: 51.43 rounds down") << "7" << 51 << "350" << 7.0;
        QTest::newRow("16: 22.5 to even 22") << "16" << 22 << "336" << 16.0;
        QTest::newRow("48: 7.5 to even 8") << "48" << 8 << "336" << 48.0;
        QTest::newRow("50: rounding, not the last multiple") << "50" << 7 << "300" << 50.0;
        QTest::newRow("2.5") << "2.5" << 144 << "357.5" << 2.5;
        QTest::newRow("240: 1.5 to even 2") << "240" << 2 << "240" << 240.0;
        QTest::newRow("1000: 0.36 rounds to 0") << "1000" << 0 << "" << 0.0;
        QTest::newRow("720: 0.5 to even 0") << "720" << 0 << "" << 0.0;
        QTest::newRow("abc: not a number") << "abc" << 0 << "" << 0.0;
        QTest::newRow("negative") << "-30" << 0 << "" << 0.0;
        QTest::newRow("0.01: too many rows") << "0.01" << 0 << "" << 0.0;
        QTest::newRow("number then text") << "45 deg" << 8 << "315" << 45.0;
    }
    void setPolarRows()
    {
        QFETCH(QString, interval);
        QFETCH(int, angles);
        QFETCH(QString, last);
        QFETCH(double, step);
        DataTable t;
        t.setRows(5);
        t.setTextMatrix(1, 1, QStringLiteral("old load"));
        QVERIFY(SetPolarRows(t, interval));
        QCOMPARE(t.Rows(), angles + 1);
        QCOMPARE(t.TextMatrix(0, 0), QStringLiteral("     Degree"));
        QCOMPARE(t.TextMatrix(0, 1), QStringLiteral("     Load"));
        QCOMPARE(t.ColAlignment(0) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(t.ColAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        for (int i = 0; i < angles; ++i) {
            QCOMPARE(t.TextMatrix(i + 1, 0), NumberText(i * step));
            QCOMPARE(t.TextMatrix(i + 1, 1), QString());
        }
        if (angles > 0) {
            QCOMPARE(t.TextMatrix(1, 0), QStringLiteral("0"));
            QCOMPARE(t.TextMatrix(angles, 0), last);
            QCOMPARE(t.Row(), 1);
        }
    }

    void emptyIntervalChangesNothing()
    {
        DataTable t;
        QVERIFY(SetPolarRows(t, QStringLiteral("30")));
        t.setTextMatrix(3, 1, QStringLiteral("9.5"));
        const auto before = t.snapshot();
        QVERIFY(!SetPolarRows(t, QString()));
        QCOMPARE(t.snapshot(), before);
    }

    void newLeavesOneEmptyRow()
    {
        DataTable t;
        QVERIFY(SetPolarRows(t, QStringLiteral("30")));
        t.setTextMatrix(1, 1, QStringLiteral("9.5"));
        t.setCurrent(7, 1);
        ResetPolarTableForNew(t);
        QCOMPARE(t.Rows(), 2);
        QCOMPARE(t.snapshot(), (std::vector<QStringList>{{QStringLiteral("     Degree"), QStringLiteral("     Load")},
                                                         {QString(), QString()}}));
        QCOMPARE(t.Row(), 1);
    }
};

QTEST_APPLESS_MAIN(TestPolarTable)
#include "tst_polartable.moc"
