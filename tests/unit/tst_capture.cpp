// The "Add" capture into the profile and polar tables.
#include "device/Capture.h"
#include "tables/DataTable.h"

#include <QtTest>

using namespace tarvex;

namespace {

// A table of `dataRows` data rows with the current cell at (row, col).
void prepare(DataTable& t, int dataRows, int row, int col)
{
    t.setRows(dataRows + 1);
    t.setTextMatrix(0, 0, QStringLiteral("X"));
    t.setTextMatrix(0, 1, QStringLiteral("Y"));
    t.setCurrent(row, col);
}

} // namespace

class TestCapture : public QObject {
    Q_OBJECT
private slots:
    void recordedText_data()
    {
        QTest::addColumn<QString>("live");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("Ready") << "Ready" << "0";
        QTest::newRow("empty") << "" << "0";
        QTest::newRow("12.50") << "12.50" << "12.5";
        QTest::newRow("3 kN") << "3 kN" << "3";
        QTest::newRow("negative") << "-0.25" << "-0.25";
        QTest::newRow("blanks inside") << " 1 2 . 5" << "12.5";
        QTest::newRow("exponent") << "1.5E3" << "1500";
        QTest::newRow("noise before the number") << "#12.5" << "0";
    }
    void recordedText()
    {
        QFETCH(QString, live);
        QFETCH(QString, recorded);
        DataTable profile;
        prepare(profile, 3, 1, 1);
        QVERIFY(CaptureIntoProfile(profile, live));
        QCOMPARE(profile.TextMatrix(1, 1), recorded);

        DataTable polar;
        prepare(polar, 3, 1, 1);
        QVERIFY(CaptureIntoPolar(polar, live));
        QCOMPARE(polar.TextMatrix(1, 1), recorded);
    }

    void profileWritesTheCurrentColumnAndMovesDown()
    {
        DataTable t;
        prepare(t, 3, 1, 0);                  // start-up: row 1, position column
        QVERIFY(CaptureIntoProfile(t, QStringLiteral("10")));
        QCOMPARE(t.TextMatrix(1, 0), QStringLiteral("10"));
        QCOMPARE(t.TextMatrix(1, 1), QString());
        QCOMPARE(t.Row(), 2);
        QCOMPARE(t.Col(), 0);

        t.setCurrent(1, 1);
        QVERIFY(CaptureIntoProfile(t, QStringLiteral("11")));
        QVERIFY(CaptureIntoProfile(t, QStringLiteral("12")));
        QCOMPARE(t.TextMatrix(1, 1), QStringLiteral("11"));
        QCOMPARE(t.TextMatrix(2, 1), QStringLiteral("12"));
        QCOMPARE(t.Row(), 3);
        QCOMPARE(t.Col(), 1);
    }

    void polarAlwaysWritesTheLoadColumn()
    {
        DataTable t;
        prepare(t, 3, 2, 0);
        t.setTextMatrix(2, 0, QStringLiteral("30"));
        QVERIFY(CaptureIntoPolar(t, QStringLiteral("7.25")));
        QCOMPARE(t.TextMatrix(2, 0), QStringLiteral("30"));
        QCOMPARE(t.TextMatrix(2, 1), QStringLiteral("7.25"));
        QCOMPARE(t.Row(), 3);
        QCOMPARE(t.Col(), 1);
    }

    void lastRowIsOverwritten_data()
    {
        QTest::addColumn<bool>("polar");
        QTest::newRow("profile") << false;
        QTest::newRow("polar") << true;
    }
    void lastRowIsOverwritten()
    {
        QFETCH(bool, polar);
        DataTable t;
        prepare(t, 2, 2, 1);
        auto add = [&](const QString& live) { return polar ? CaptureIntoPolar(t, live) : CaptureIntoProfile(t, live); };
        QVERIFY(add(QStringLiteral("1")));
        QCOMPARE(t.Row(), 2);
        QVERIFY(add(QStringLiteral("2")));
        QCOMPARE(t.Row(), 2);
        QCOMPARE(t.TextMatrix(2, 1), QStringLiteral("2"));
        QCOMPARE(t.TextMatrix(1, 1), QString());
    }

    // A number beyond the double range cannot be written as a reading.
    void unrecordableNumber()
    {
        DataTable profile;
        prepare(profile, 3, 1, 1);
        profile.setTextMatrix(1, 1, QStringLiteral("old"));
        QVERIFY(!CaptureIntoProfile(profile, QStringLiteral("1e999")));
        QCOMPARE(profile.TextMatrix(1, 1), QStringLiteral("old"));
        QCOMPARE(profile.Row(), 2);

        DataTable polar;
        prepare(polar, 3, 1, 0);
        QVERIFY(!CaptureIntoPolar(polar, QStringLiteral("-1e999")));
        QCOMPARE(polar.TextMatrix(1, 1), QString());
        QCOMPARE(polar.Row(), 1);
        QCOMPARE(polar.Col(), 1);
    }

    // The polar table laid out with an interval that gives no angle has its
    // heading row only: the headings must survive a capture.
    void headingsOnlyTableIsLeftAlone()
    {
        DataTable t;
        t.setTextMatrix(0, 1, QStringLiteral("     Load"));
        t.setRows(1);
        QVERIFY(!CaptureIntoPolar(t, QStringLiteral("12.5")));
        QVERIFY(!CaptureIntoProfile(t, QStringLiteral("12.5")));
        QCOMPARE(t.Rows(), 1);
        QCOMPARE(t.TextMatrix(0, 1), QStringLiteral("     Load"));
        QCOMPARE(t.TextMatrix(0, 0), QString());
    }
};

QTEST_APPLESS_MAIN(TestCapture)
#include "tst_capture.moc"
