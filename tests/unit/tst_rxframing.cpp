// Receive framing: chunks as the serial port delivers them, and what the live
// load box shows after each.
#include "device/RxFraming.h"

#include <QtTest>

using namespace tarvex;

namespace {
const QString kNothing = QStringLiteral("<nothing>");
const QString kDamaged = QStringLiteral("<damaged>");
const QString kLong = QString(kRxBufferLimit, QLatin1Char('0'));
}

class TestRxFraming : public QObject {
    Q_OBJECT
private slots:
    void chunks_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("shown");      // per chunk; kNothing: no line completed
        QTest::addColumn<QString>("kept");           // what waits for the next line end
        QTest::addColumn<qint64>("dropped");
        QTest::newRow("split reading is joined") << QStringList{"12.5", "0\r\n"} << QStringList{kNothing, "12.50"} << "" << 0LL;
        QTest::newRow("line end alone shows empty") << QStringList{"\r\n"} << QStringList{""} << "" << 0LL;
        QTest::newRow("next reading starts after the line end")
            << QStringList{"12.50\r\n12", ".50\r\n"} << QStringList{"12.50", "12.50"} << "" << 0LL;
        QTest::newRow("the newest of several lines") << QStringList{"1\r\n2\r\n3"} << QStringList{"2"} << "3" << 0LL;
        QTest::newRow("CR and LF in separate chunks") << QStringList{"5\r", "\n"} << QStringList{kNothing, "5"} << "" << 0LL;
        QTest::newRow("LF CR is no line end") << QStringList{"5\n\r", "6\r\n"} << QStringList{kNothing, "5\n\r6"} << "" << 0LL;
        QTest::newRow("lone CR stays in the reading") << QStringList{"1\r2\r\n"} << QStringList{"1\r2"} << "" << 0LL;
        QTest::newRow("shown as received, not trimmed")
            << QStringList{" +12.5 kN \r\n"} << QStringList{" +12.5 kN "} << "" << 0LL;
        QTest::newRow("empty chunk changes nothing") << QStringList{"", "3", ""} << QStringList{kNothing, kNothing, kNothing}
                                                     << "3" << 0LL;
        QTest::newRow("one character at a time")
            << QStringList{"4", "2", ".", "0", "\r", "\n"}
            << QStringList{kNothing, kNothing, kNothing, kNothing, kNothing, "42.0"} << "" << 0LL;
        QTest::newRow("a line at the bound is a reading") << QStringList{kLong + "\r\n"} << QStringList{kLong} << "" << 0LL;
        QTest::newRow("a line past the bound in one chunk is damaged, the next is not")
            << QStringList{"-0." + kLong + "5\r\n7", "\r\n"} << QStringList{kDamaged, "7"} << "" << qint64(kRxBufferLimit + 4);
        QTest::newRow("a line past the bound over many chunks")
            << QStringList{"-0.", kLong, "5", "\r\n"} << QStringList{kNothing, kNothing, kNothing, kDamaged} << ""
            << qint64(kRxBufferLimit + 4);
        QTest::newRow("a CR at the bound still ends the given-up line")
            << QStringList{kLong + "1\r", "\n2.5\r\n"} << QStringList{kNothing, "2.5"} << "" << qint64(kRxBufferLimit + 1);
        QTest::newRow("a damaged line after a good one in the same chunk")
            << QStringList{"3\r\n" + kLong + "99\r\n"} << QStringList{kDamaged} << "" << qint64(kRxBufferLimit + 2);
        QTest::newRow("a good line after a damaged one in the same chunk")
            << QStringList{kLong + "99\r\n3\r\n"} << QStringList{"3"} << "" << qint64(kRxBufferLimit + 2);
    }
    void chunks()
    {
        QFETCH(QStringList, chunks);
        QFETCH(QStringList, shown);
        QFETCH(QString, kept);
        QFETCH(qint64, dropped);
        RxState rx;
        qint64 lost = 0;
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            const RxFramed framed = FrameReceived(rx, chunks[i], &lost);
            QCOMPARE(framed.damaged ? kDamaged : framed.reading.value_or(kNothing), shown[i]);
            QVERIFY(rx.text.size() <= kRxBufferLimit + 1);
        }
        QCOMPARE(rx.text, kept);
        QCOMPARE(lost, dropped);
    }

    // A bench on the wrong baud rate: noise and never a line end. Memory stays
    // flat, and reading carries on once a line end comes.
    void endlessLineIsBounded()
    {
        RxState rx;
        for (int i = 0; i < 1000; ++i)
            QVERIFY(!FrameReceived(rx, QString(100, QLatin1Char('#'))).complete());
        QVERIFY(rx.text.size() <= kRxBufferLimit);
        QVERIFY(FrameReceived(rx, QStringLiteral("12.5\r\n")).damaged);
        QCOMPARE(FrameReceived(rx, QStringLiteral("13\r\n")).reading.value_or(kNothing), QStringLiteral("13"));
    }
};

QTEST_APPLESS_MAIN(TestRxFraming)
#include "tst_rxframing.moc"
