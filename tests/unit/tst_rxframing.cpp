// Receive framing: chunks as the serial port delivers them, and what the live
// load box shows after each.
#include "device/RxFraming.h"

#include <QtTest>

using namespace tarvex;

namespace {
const QString kNothing = QStringLiteral("<nothing>");
}

class TestRxFraming : public QObject {
    Q_OBJECT
private slots:
    void chunks_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("shown");      // per chunk; kNothing: no reading completed
        QTest::addColumn<QString>("kept");           // RxBuffer at the end
        QTest::newRow("split reading is joined") << QStringList{"12.5", "0\r\n"} << QStringList{kNothing, "12.50"} << "";
        QTest::newRow("line end alone shows empty") << QStringList{"\r\n"} << QStringList{""} << "";
        QTest::newRow("what follows the line end is dropped")
            << QStringList{"7\r\n8", "9\r\n"} << QStringList{"7", "9"} << "";
        QTest::newRow("second complete reading dropped too") << QStringList{"1\r\n2\r\n"} << QStringList{"1"} << "";
        QTest::newRow("CR and LF in separate chunks") << QStringList{"5\r", "\n"} << QStringList{kNothing, "5"} << "";
        QTest::newRow("LF CR is no line end") << QStringList{"5\n\r", "6\r\n"} << QStringList{kNothing, "5\n\r6"} << "";
        QTest::newRow("lone CR stays in the reading") << QStringList{"1\r2\r\n"} << QStringList{"1\r2"} << "";
        QTest::newRow("shown as received, not trimmed")
            << QStringList{" +12.5 kN \r\n"} << QStringList{" +12.5 kN "} << "";
        QTest::newRow("empty chunk changes nothing") << QStringList{"", "3", ""} << QStringList{kNothing, kNothing, kNothing}
                                                     << "3";
        QTest::newRow("one character at a time")
            << QStringList{"4", "2", ".", "0", "\r", "\n"}
            << QStringList{kNothing, kNothing, kNothing, kNothing, kNothing, "42.0"} << "";
    }
    void chunks()
    {
        QFETCH(QStringList, chunks);
        QFETCH(QStringList, shown);
        QFETCH(QString, kept);
        QString buffer;
        qint64 dropped = 0;
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            const std::optional<QString> reading = FrameReceived(buffer, chunks[i], &dropped);
            QCOMPARE(reading.value_or(kNothing), shown[i]);
        }
        QCOMPARE(buffer, kept);
        QCOMPARE(dropped, qint64(0));
    }

    // A bench on the wrong baud rate: noise and never a line end.
    void endlessLineIsBounded()
    {
        QString buffer;
        qint64 dropped = 0;
        const QString noise(100, QLatin1Char('#'));
        for (int i = 0; i < 100; ++i)
            QVERIFY(!FrameReceived(buffer, noise, &dropped));
        QCOMPARE(buffer.size(), kRxBufferLimit);
        QCOMPARE(dropped, qint64(100 * 100) - kRxBufferLimit);

        // Reading carries on: the next line end completes a reading, which is
        // the newest characters, and the one after it is clean.
        const std::optional<QString> first = FrameReceived(buffer, QStringLiteral("12.5\r\n"), &dropped);
        QVERIFY(first);
        QCOMPARE(first->size(), kRxBufferLimit);
        QVERIFY(first->endsWith(QLatin1String("#12.5")));
        QCOMPARE(FrameReceived(buffer, QStringLiteral("13\r\n"), &dropped).value_or(kNothing), QStringLiteral("13"));
        QCOMPARE(dropped, qint64(100 * 100 + 4) - kRxBufferLimit);
    }

    void longChunkWithLineEndKeepsTheNewest()
    {
        QString buffer;
        qint64 dropped = 0;
        const QString line = QString(kRxBufferLimit, QLatin1Char('x')) + QStringLiteral("1234\r\n5");
        QCOMPARE(FrameReceived(buffer, line, &dropped).value_or(kNothing),
                 QString(kRxBufferLimit - 4, QLatin1Char('x')) + QStringLiteral("1234"));
        QCOMPARE(dropped, qint64(4));
        QCOMPARE(buffer, QString());
    }

    // The bound never splits a CR from the LF that follows in the next chunk.
    void carriageReturnAtTheBoundSurvives()
    {
        QString buffer;
        FrameReceived(buffer, QString(kRxBufferLimit * 2, QLatin1Char('n')) + QStringLiteral("7\r"));
        QCOMPARE(buffer.size(), kRxBufferLimit);
        QVERIFY(buffer.endsWith(QLatin1String("7\r")));
        QVERIFY(FrameReceived(buffer, QStringLiteral("\n"))->endsWith(QLatin1String("n7")));
    }

    void dropCountIsOptional()
    {
        QString buffer;
        QVERIFY(!FrameReceived(buffer, QString(kRxBufferLimit + 1, QLatin1Char('z'))));
        QCOMPARE(buffer.size(), kRxBufferLimit);
    }
};

QTEST_APPLESS_MAIN(TestRxFraming)
#include "tst_rxframing.moc"
