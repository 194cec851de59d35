#include "charts/xy/AxisScale.h"

#include <QtTest>
#include <cmath>

using namespace tarvex;

namespace {

AxisScale axisOf(float min, float max)
{
    const auto a = ComputeAxisScale(min, max);
    if (!a)
        qFatal("no axis for %g..%g", double(min), double(max));
    return *a;
}

QList<int> majorLinesOf(const AxisScale& a)
{
    QList<int> k;
    for (int i = 0; i <= a.n; ++i)
        if (a.isMajor(i))
            k << i;
    return k;
}

QStringList majorLabels(const AxisScale& a, const QLocale& locale = QLocale::c())
{
    QStringList labels;
    for (int i = 0; i <= a.n; ++i)
        if (a.isMajor(i))
            labels << a.label(i, locale);
    return labels;
}

} // namespace

class TestAxisScale : public QObject {
    Q_OBJECT
private slots:
    void everyField_data()
    {
        QTest::addColumn<float>("min");
        QTest::addColumn<float>("max");
        QTest::addColumn<int>("sig");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("unit");
        QTest::addColumn<float>("step");
        QTest::addColumn<float>("start");
        QTest::addColumn<float>("span");
        QTest::addColumn<int>("every");
        QTest::addColumn<int>("decimals");

        // The designed examples.
        QTest::newRow("0..45") << 0.f << 45.f << 45 << 24 << 2 << 2.f << 0.f << 48.f << 5 << 0;
        QTest::newRow("0..37.5") << 0.f << 37.5f << 375 << 20 << 20 << 2.f << 0.f << 40.f << 5 << 0;
        QTest::newRow("10..1500") << 10.f << 1500.f << 149 << 16 << 10 << 100.f << 0.f << 1600.f << 5 << 0;
        QTest::newRow("0..5") << 0.f << 5.f << 50 << 6 << 10 << 1.f << 0.f << 6.f << 2 << 0;
        QTest::newRow("-3..7") << -3.f << 7.f << 10 << 11 << 1 << 1.f << -3.f << 11.f << 5 << 0;
        QTest::newRow("0..612") << 0.f << 612.f << 612 << 8 << 100 << 100.f << 0.f << 800.f << 2 << 0;
        QTest::newRow("0..3") << 0.f << 3.f << 30 << 16 << 2 << 0.2f << 0.f << 3.2f << 5 << 1;
        // 1.2 lies on the grid of 0.1, so the axis starts there (see the
        // start_onGrid cases below).
        QTest::newRow("1.2..2.7") << 1.2f << 2.7f << 15 << 16 << 1 << 0.1f << 1.2f << 1.6f << 5 << 1;
        QTest::newRow("5..5") << 5.f << 5.f << 0 << 20 << 0 << 0.1f << 4.f << 2.f << 5 << 1;
        QTest::newRow("2..14") << 2.f << 14.f << 12 << 13 << 1 << 1.f << 2.f << 13.f << 5 << 0;

        // Each border of the n / unit table, on both sides.
        QTest::newRow("sig 24") << 0.f << 2.4f << 24 << 25 << 1 << 0.1f << 0.f << 2.5f << 5 << 1;
        QTest::newRow("sig 25") << 0.f << 2.5f << 25 << 14 << 2 << 0.2f << 0.f << 2.8f << 5 << 1;
        QTest::newRow("sig 48") << 0.f << 4.8f << 48 << 25 << 2 << 0.2f << 0.f << 5.f << 5 << 1;
        QTest::newRow("sig 49") << 0.f << 4.9f << 49 << 6 << 10 << 1.f << 0.f << 6.f << 2 << 0;
        QTest::newRow("sig 51") << 0.f << 5.1f << 51 << 6 << 10 << 1.f << 0.f << 6.f << 2 << 0;
        QTest::newRow("sig 52") << 0.f << 5.2f << 52 << 7 << 10 << 1.f << 0.f << 7.f << 2 << 0;
        QTest::newRow("sig 241") << 0.f << 24.1f << 241 << 25 << 10 << 1.f << 0.f << 25.f << 5 << 0;
        QTest::newRow("sig 242") << 0.f << 24.2f << 242 << 13 << 20 << 2.f << 0.f << 26.f << 5 << 0;
        QTest::newRow("sig 243") << 0.f << 24.3f << 243 << 14 << 20 << 2.f << 0.f << 28.f << 5 << 0;
        QTest::newRow("sig 482") << 0.f << 48.2f << 482 << 25 << 20 << 2.f << 0.f << 50.f << 5 << 0;
        QTest::newRow("sig 483") << 0.f << 48.3f << 483 << 6 << 100 << 10.f << 0.f << 60.f << 2 << 0;
        QTest::newRow("sig 510") << 0.f << 510.f << 510 << 6 << 100 << 100.f << 0.f << 600.f << 2 << 0;
        QTest::newRow("sig 511") << 0.f << 511.f << 511 << 7 << 100 << 100.f << 0.f << 700.f << 2 << 0;
        QTest::newRow("sig 999") << 0.f << 999.f << 999 << 11 << 100 << 100.f << 0.f << 1100.f << 5 << 0;
        // Trailing zeros of a whole number count, those of a fraction do not.
        QTest::newRow("1500 -> 150") << 0.f << 1500.f << 150 << 16 << 10 << 100.f << 0.f << 1600.f << 5 << 0;
        QTest::newRow("0.05 -> 50") << 0.f << 0.05f << 50 << 6 << 10 << 0.01f << 0.f << 0.06f << 2 << 2;
        QTest::newRow("123.45 -> 123") << 0.f << 123.45f << 123 << 14 << 10 << 10.f << 0.f << 140.f << 5 << 0;

        // Negative data: the start is the grid line at or below the minimum.
        QTest::newRow("-45..0") << -45.f << 0.f << 45 << 24 << 2 << 2.f << -46.f << 48.f << 5 << 0;
        QTest::newRow("-7..-3") << -7.f << -3.f << 40 << 21 << 2 << 0.2f << -7.f << 4.2f << 5 << 1;
        QTest::newRow("-1.25..0") << -1.25f << 0.f << 125 << 14 << 10 << 0.1f << -1.3f << 1.4f << 5 << 1;
        QTest::newRow("-5 flat") << -5.f << -5.f << 0 << 20 << 0 << 0.1f << -6.f << 2.f << 5 << 1;
        QTest::newRow("-1000..-10") << -1000.f << -10.f << 990 << 11 << 100 << 100.f << -1000.f << 1100.f << 5 << 0;

        // Ranges whose text would need an exponent.
        QTest::newRow("0..1.5e7") << 0.f << 1.5e7f << 150 << 16 << 10 << 1e6f << 0.f << 1.6e7f << 5 << 0;
        QTest::newRow("0..2.5e-8") << 0.f << 2.5e-8f << 25 << 14 << 2 << 2e-9f << 0.f << 2.8e-8f << 5 << 9;
    }
    void everyField()
    {
        QFETCH(float, min);
        QFETCH(float, max);
        const AxisScale a = axisOf(min, max);
        QTEST(a.sig, "sig");
        QTEST(a.n, "n");
        QTEST(a.unit, "unit");
        QTEST(a.step, "step");
        QTEST(a.start, "start");
        QTEST(a.span, "span");
        QTEST(a.every, "every");
        QTEST(a.decimals, "decimals");
    }

    // Whatever way the binary value of a decimal minimum falls (1.2f is a hair
    // above 1.2, 1.3f a hair below 1.3), a minimum on the grid starts the axis.
    void start_onGrid_data()
    {
        QTest::addColumn<double>("step");
        QTest::newRow("0.1") << 0.1;
        QTest::newRow("0.2") << 0.2;
        QTest::newRow("0.01") << 0.01;
        QTest::newRow("0.002") << 0.002;
        QTest::newRow("1") << 1.0;
    }
    void start_onGrid()
    {
        QFETCH(double, step);
        for (int k = -300; k <= 300; ++k) {
            const float min = float(k * step);
            const float max = float(k * step + 14 * step);   // sig 14, 24 or 28: step stays
            const AxisScale a = axisOf(min, max);
            QCOMPARE(double(a.step), double(float(step)));
            QVERIFY2(a.startIndex == k, qPrintable(QStringLiteral("min %1 starts at index %2").arg(double(min)).arg(a.startIndex)));
            QCOMPARE(a.start, min);
        }
    }

    void start_belowMinimumOffGrid()
    {
        const AxisScale a = axisOf(1.25f, 2.75f);   // step 0.1
        QCOMPARE(a.start, 1.2f);
        QVERIFY(a.start + a.span >= 2.75f);
    }

    void majorLines_data()
    {
        QTest::addColumn<float>("min");
        QTest::addColumn<float>("max");
        QTest::addColumn<QList<int>>("majors");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("0..45") << 0.f << 45.f << QList<int>{0, 5, 10, 15, 20}
                               << QStringList{"0", "10", "20", "30", "40"};
        QTest::newRow("-3..7") << -3.f << 7.f << QList<int>{3, 8} << QStringList{"0", "5"};
        QTest::newRow("2..14") << 2.f << 14.f << QList<int>{3, 8, 13} << QStringList{"5", "10", "15"};
        // Steps of 0.1 and 0.2 with every 5: the whole-number divisor is 1,
        // so every line is major.
        QTest::newRow("flat 5") << 5.f << 5.f << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}
                                << QStringList{"4.0", "4.1", "4.2", "4.3", "4.4", "4.5", "4.6", "4.7", "4.8", "4.9", "5.0",
                                               "5.1", "5.2", "5.3", "5.4", "5.5", "5.6", "5.7", "5.8", "5.9", "6.0"};
        QTest::newRow("0..3") << 0.f << 3.f << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}
                              << QStringList{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0", "1.2", "1.4", "1.6", "1.8",
                                             "2.0", "2.2", "2.4", "2.6", "2.8", "3.0", "3.2"};
        QTest::newRow("-45..0") << -45.f << 0.f << QList<int>{3, 8, 13, 18, 23}
                                << QStringList{"-40", "-30", "-20", "-10", "0"};
        // Ranges below about 0.92, where the whole-number divisor is 0: every
        // fifth (or second) multiple of the step is major.
        QTest::newRow("0..0.45") << 0.f << 0.45f << QList<int>{0, 5, 10, 15, 20}
                                 << QStringList{"0.00", "0.10", "0.20", "0.30", "0.40"};
        QTest::newRow("0.10..0.45") << 0.1f << 0.45f << QList<int>{0, 5, 10, 15}
                                    << QStringList{"0.10", "0.20", "0.30", "0.40"};
        QTest::newRow("0..0.5 step 0.1 every 2") << 0.f << 0.5f << QList<int>{0, 2, 4, 6}
                                                 << QStringList{"0.0", "0.2", "0.4", "0.6"};
        QTest::newRow("0..0.9") << 0.f << 0.9f << QList<int>{0, 2, 4, 6, 8, 10}
                                << QStringList{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"};
        QTest::newRow("-0.13..0.02") << -0.13f << 0.02f << QList<int>{3, 8, 13}
                                     << QStringList{"-0.10", "-0.05", "0.00"};
        QTest::newRow("0..0.0035") << 0.f << 0.0035f << QList<int>{0, 5, 10, 15}
                                   << QStringList{"0.0000", "0.0010", "0.0020", "0.0030"};
        // Ranges whose labels would need more digits than single precision
        // carries are labelled in exponent form.
        QTest::newRow("0..1.5e7") << 0.f << 1.5e7f << QList<int>{0, 5, 10, 15}
                                  << QStringList{"0", "5.0E+06", "1.0E+07", "1.5E+07"};
        QTest::newRow("0..2.5e-8") << 0.f << 2.5e-8f << QList<int>{0, 5, 10}
                                   << QStringList{"0", "1E-08", "2E-08"};
        QTest::newRow("0..4e30") << 0.f << 4e30f << QList<int>{0, 5, 10, 15, 20}
                                 << QStringList{"0", "1E+30", "2E+30", "3E+30", "4E+30"};
    }
    void majorLines()
    {
        QFETCH(float, min);
        QFETCH(float, max);
        QFETCH(QList<int>, majors);
        QFETCH(QStringList, labels);
        const AxisScale a = axisOf(min, max);
        QCOMPARE(majorLinesOf(a), majors);
        QCOMPARE(majorLabels(a), labels);
    }

    // The data always lies on the axis, and the step is never lost to
    // single precision.
    void coversData_data()
    {
        QTest::addColumn<float>("min");
        QTest::addColumn<float>("max");
        QTest::newRow("tiny") << 1e-30f << 3e-30f;
        QTest::newRow("huge") << -3e37f << 3e37f;
        QTest::newRow("offset") << 1000.5f << 1001.75f;
        QTest::newRow("0.92") << 0.f << 0.92f;
        QTest::newRow("negative small") << -0.0071f << -0.0012f;
    }
    void coversData()
    {
        QFETCH(float, min);
        QFETCH(float, max);
        const AxisScale a = axisOf(min, max);
        QVERIFY(a.step > 0.0f);
        QVERIFY(a.fraction(min) >= -1e-6);
        QVERIFY(a.fraction(max) <= 1.0 + 1e-6);
        QVERIFY(!majorLinesOf(a).isEmpty());
    }

    // Where single precision runs out (values near its limits, denormals,
    // steps at the last digit a float holds) the axis still covers the data,
    // with labels that read apart.
    void extremeRanges_data()
    {
        QTest::addColumn<float>("min");
        QTest::addColumn<float>("max");
        QTest::addColumn<QStringList>("labels");
        const float big = std::numeric_limits<float>::max();
        const float denormal = std::numeric_limits<float>::denorm_min();
        QTest::newRow("1e30 in steps of 1e23") << 1e30f << 1.0000014e30f
                                               << QStringList{"1.0000000E+30", "1.0000005E+30", "1.0000010E+30", "1.0000015E+30"};
        QTest::newRow("1e7 in steps of 10") << 1e7f << 1.00001e7f
                                            << QStringList{"1.000000E+07", "1.000005E+07", "1.000010E+07"};
        QTest::newRow("steps of 0.1 in exponent form") << 1234567.f << 1234568.5f
                                                       << QStringList{"1.2345670E+06", "1.2345675E+06", "1.2345680E+06", "1.2345685E+06"};
        // Two units in the last place of min are a step or more: the start
        // stays at min or below it.
        QTest::newRow("4.5e6 in steps of 1") << 4.5e6f << 4500020.f
                                             << QStringList{"4500000", "4500005", "4500010", "4500015", "4500020"};
        // 74220.91f is 74220.906: the axis starts at the line it was typed as.
        QTest::newRow("steps of the last digit a float holds") << 74220.91f << 74221.02f
                                                               << QStringList{"74220.95", "74221.00"};
        QTest::newRow("up to the largest float") << 0.f << big << QStringList{"0", "1E+38", "2E+38", "3E+38"};
        QTest::newRow("start below the lowest float") << -big << -big / 2
                                                      << QStringList{"-3.5E+38", "-3.0E+38", "-2.5E+38", "-2.0E+38"};
        QTest::newRow("smallest denormal") << 0.f << denormal << QStringList{"0", "5.0E-46", "1.0E-45", "1.5E-45"};
        QTest::newRow("denormals") << denormal << 3 * denormal << QStringList{"2E-45", "3E-45", "4E-45"};
        QTest::newRow("flat at 1e30") << 1e30f << 1e30f
                                      << QStringList{"9.999900E+29", "9.999950E+29", "1.000000E+30", "1.000005E+30", "1.000010E+30"};
        QTest::newRow("flat at the largest float") << big << big
                                                   << QStringList{"3.402813E+38", "3.402818E+38", "3.402823E+38", "3.402828E+38", "3.402833E+38"};
    }
    void extremeRanges()
    {
        QFETCH(float, min);
        QFETCH(float, max);
        const AxisScale a = axisOf(min, max);
        QTEST(majorLabels(a), "labels");
        if (min == max)
            QVERIFY(std::fabs(a.fraction(min) - 0.5) < 1e-6);
        QVERIFY2(a.fraction(min) >= -1e-6, qPrintable(QString::number(a.fraction(min))));
        QVERIFY2(a.fraction(max) <= 1.0 + 1e-6, qPrintable(QString::number(a.fraction(max))));
    }

    void noAxis_data()
    {
        QTest::addColumn<float>("min");
        QTest::addColumn<float>("max");
        const float big = std::numeric_limits<float>::max();
        QTest::newRow("range overflows") << -big << big;
        QTest::newRow("infinite") << 0.f << std::numeric_limits<float>::infinity();
        QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << 1.f;
    }
    void noAxis()
    {
        QFETCH(float, min);
        QFETCH(float, max);
        QVERIFY(!ComputeAxisScale(min, max));
    }

    // The axis does not depend on the user's decimal separator; only the
    // labels are written in the user's number format.
    void decimalComma()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const AxisScale a = axisOf(0.f, 37.5f);
        const AxisScale b = axisOf(1.2f, 2.7f);
        QLocale::setDefault(before);
        QCOMPARE(a.sig, 375);
        QCOMPARE(a.step, 2.f);
        QCOMPARE(b.sig, 15);
        QCOMPARE(majorLabels(axisOf(0.f, 3.f), QLocale(QLocale::German, QLocale::Germany)).mid(0, 3),
                 (QStringList{"0,0", "0,2", "0,4"}));
        QCOMPARE(majorLabels(axisOf(10.f, 1500.f), QLocale(QLocale::English, QLocale::UnitedStates)),
                 (QStringList{"0", "500", "1,000", "1,500"}));
    }
};

QTEST_APPLESS_MAIN(TestAxisScale)
#include "tst_axisscale.moc"
