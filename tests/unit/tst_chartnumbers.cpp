// Number texts the chart relies on: the table reader must read every text
// exactly as StrictDouble does (its quick path for plain decimals may not
// change what counts as a number), and the axis labels' fixed and exponent
// forms.
#include "numbers/Numbers.h"

#include <QtTest>
#include <cmath>

using namespace tarvex;

class TestChartNumbers : public QObject {
    Q_OBJECT
private slots:
    void agreesWithStrictDouble_data()
    {
        QTest::addColumn<QLocale>("locale");
        const QList<QLocale> locales = {
            QLocale::c(),
            QLocale(QLocale::English, QLocale::UnitedStates),
            QLocale(QLocale::German, QLocale::Germany),
            QLocale(QLocale::French, QLocale::France),
            QLocale(QLocale::Swedish, QLocale::Sweden),       // minus sign U+2212
            QLocale(QLocale::Arabic, QLocale::Egypt),         // Arabic-Indic digits
            QLocale(QLocale::German, QLocale::Switzerland),   // apostrophe grouping
        };
        for (const QLocale& l : locales)
            QTest::newRow(qPrintable(l.name())) << l;
    }
    void agreesWithStrictDouble()
    {
        QFETCH(QLocale, locale);
        const QStringList texts = {
            "0", "-0", "+5", "007", "12.5", "12,5", "-12.5", "-12,5", "1,000", "1.000", "1 000", "1'000",
            ".5", ",5", "5.", "5,", "-.5", " 42 ", "\t3.25\n", "1e3", "1E+39", "-1E+39", "2.5e-3", "abc", "",
            "   ", "--1", "+-1", "1-", "12.5.3", "12,5,3", QString(400, QLatin1Char('9')), "0." + QString(300, QLatin1Char('0')) + "1",
            "NaN", "inf", "-inf", "0x10", "1_000", QString::fromUtf8("\xe2\x88\x92" "5"), QString::fromUtf8("\xd9\xa1\xd9\xa2"),
            "99999999999999999999999", "3.4028235e38", "340282356779733661637539395458142568448", "4kg", "+", "-", ".",
        };
        const StrictNumberReader reader(locale);
        for (const QString& text : texts) {
            const std::optional<double> expected = StrictDouble(text, locale);
            const std::optional<double> actual = reader.toDouble(text);
            QVERIFY2(expected.has_value() == actual.has_value(), qPrintable(QStringLiteral("\"%1\"").arg(text)));
            if (expected) {
                QVERIFY2(*expected == *actual && std::signbit(*expected) == std::signbit(*actual),
                         qPrintable(QStringLiteral("\"%1\": %2 vs %3").arg(text).arg(*expected).arg(*actual)));
            }
            const StrictFloatResult f = reader.toFloat(text);
            const StrictFloatResult g = StrictFloat(text, locale);
            QCOMPARE(int(f.status), int(g.status));
            QCOMPARE(f.value, g.value);
        }
    }

    void quickPathReadsPlainDecimals()
    {
        const StrictNumberReader point(QLocale::c());
        QCOMPARE(point.toDouble("53.27"), std::optional<double>(53.27));
        QCOMPARE(point.toDouble(" -0.125 "), std::optional<double>(-0.125));
        QCOMPARE(point.toFloat("1E+39").status, FloatConversion::Overflow);
        const StrictNumberReader comma(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(comma.toDouble("53,27"), std::optional<double>(53.27));
        QVERIFY(!comma.toDouble("1.000,5"));
    }

    void fixedText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QLocale c = QLocale::c();
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("whole") << 40.0 << 0 << c << "40";
        QTest::newRow("one place") << 4.0 << 1 << c << "4.0";
        QTest::newRow("float noise hidden") << double(1.2f) + 3 * double(0.1f) << 1 << c << "1.5";
        QTest::newRow("half to even down") << 0.125 << 2 << c << "0.12";
        QTest::newRow("half to even up") << 0.375 << 2 << c << "0.38";
        QTest::newRow("no negative zero") << -0.04 << 1 << c << "0.0";
        QTest::newRow("negative") << -3.0 << 0 << c << "-3";
        QTest::newRow("grouping") << 1500.0 << 0 << us << "1,500";
        QTest::newRow("comma") << 0.2 << 1 << de << "0,2";
        QTest::newRow("comma and grouping") << -1234.5 << 1 << de << "-1.234,5";
    }
    void fixedText()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QLocale, locale);
        QTEST(FixedText(value, decimals, locale), "text");
    }

    void exponentText()
    {
        QCOMPARE(ExponentText(1.5e7, 1, QLocale::c()), QStringLiteral("1.5E+07"));
        QCOMPARE(ExponentText(2e-8, 0, QLocale::c()), QStringLiteral("2E-08"));
        QCOMPARE(ExponentText(-3e30, 0, QLocale::c()), QStringLiteral("-3E+30"));
        QCOMPARE(ExponentText(0.0, 2, QLocale::c()), QStringLiteral("0"));
        QCOMPARE(ExponentText(1.5e7, 1, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("1,5E+07"));
    }
};

QTEST_APPLESS_MAIN(TestChartNumbers)
#include "tst_chartnumbers.moc"
