// Receive framing: chunks as the serial port delivers them (tests/golden/rx.txt),
// what the live load box shows after each, what waits for the next line end
// and how much was given up.
#include "Golden.h"
#include "device/RxFraming.h"

#include <QtTest>

using namespace tarvex;

class TestRxFraming : public QObject {
    Q_OBJECT
private slots:
    // "{long}" stands for a line exactly at the bound.
    void chunks()
    {
        GOLDEN_VERIFY(golden::cases("rx.txt", [](const QStringList& in) {
            RxState rx;
            qint64 lost = 0;
            QStringList shown;
            for (QString chunk : in.mid(1)) {
                const RxFramed framed = FrameReceived(rx, chunk.replace(QLatin1String("{long}"), QString(kRxBufferLimit, '0')), &lost);
                shown << (framed.damaged ? QStringLiteral("<damaged>") : framed.reading ? golden::show(*framed.reading).replace(QString(kRxBufferLimit, '0'), QLatin1String("{long}")) : QStringLiteral("-"));
                if (rx.text.size() > kRxBufferLimit + 1)
                    return QStringLiteral("kept %1 characters").arg(rx.text.size());
            }
            return shown.join(QLatin1Char(' ')) + QStringLiteral(" | kept ") + golden::show(rx.text) + QStringLiteral(" | given up %1").arg(lost);
        }));
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
        QCOMPARE(FrameReceived(rx, QStringLiteral("13\r\n")).reading.value_or(QString()), QStringLiteral("13"));
    }
};

QTEST_APPLESS_MAIN(TestRxFraming)
#include "tst_rxframing.moc"
