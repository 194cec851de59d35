#include "numbers/Numbers.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace tarvex;

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void numberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "0.3";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("small") << 0.000125 << "0.000125";
        QTest::newRow("negative fraction") << -0.25 << "-0.25";
        QTest::newRow("whole") << 10.0 << "10";
        QTest::newRow("negative whole") << -300.0 << "-300";
        QTest::newRow("step sum") << 10 + 2.5 * 3 << "17.5";
        QTest::newRow("15 digits") << 123456789.123456789 << "123456789.123457";
        QTest::newRow("1/3") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("float 6.6") << double(6.6f) << "6.59999990463257";
        QTest::newRow("large plain") << 123456789012345.0 << "123456789012345";
        QTest::newRow("very large") << 1.5e20 << "1.5E+20";
        QTest::newRow("very small") << 2.5e-17 << "2.5E-17";
        QTest::newRow("rounds up a digit") << 0.99999999999999999 << "1";
    }
    void numberText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(NumberText(value), text);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("Ready") << "Ready" << 0.0;
        QTest::newRow("plain") << "12.50" << 12.5;
        QTest::newRow("unit after") << "3 kN" << 3.0;
        QTest::newRow("blanks inside") << " 1 2 . 5 " << 12.5;
        QTest::newRow("tabs and line feeds") << "\t-\n4\t2" << -42.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("E exponent") << "1.5E3" << 1500.0;
        QTest::newRow("D exponent") << "2D-2" << 0.02;
        QTest::newRow("lower-case e") << "3e+2x" << 300.0;
        QTest::newRow("exponent without digits") << "4E" << 4.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("comma stops") << "2,5" << 2.0;
        QTest::newRow("carriage return stops") << "7\r8" << 7.0;
        QTest::newRow("sign only") << "-" << 0.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(LeadingNumber(text), value);
    }

    void leadingNumberOverflowIsInfinite()
    {
        QVERIFY(std::isinf(LeadingNumber(QStringLiteral("1E999"))));
    }

    void strictDouble_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("C plain") << "C" << "12.5" << true << 12.5;
        QTest::newRow("C blanks around") << "C" << "  -3  " << true << -3.0;
        QTest::newRow("C exponent") << "C" << "1E+39" << true << 1e39;
        QTest::newRow("C empty") << "C" << "" << false << 0.0;
        QTest::newRow("C blanks only") << "C" << "   " << false << 0.0;
        QTest::newRow("C letters") << "C" << "abc" << false << 0.0;
        QTest::newRow("C trailing unit") << "C" << "3 kN" << false << 0.0;
        QTest::newRow("C inf") << "C" << "inf" << false << 0.0;
        QTest::newRow("C nan") << "C" << "nan" << false << 0.0;
        QTest::newRow("C comma is not the separator") << "C" << "2,5" << false << 0.0;
        QTest::newRow("de comma") << "de_DE" << "2,5" << true << 2.5;
        QTest::newRow("de point is not a number") << "de_DE" << "2.5" << false << 0.0;
        QTest::newRow("de negative") << "de_DE" << "-0,125" << true << -0.125;
        QTest::newRow("C too large for double") << "C" << "1E400" << false << 0.0;
    }
    void strictDouble()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const auto v = StrictDouble(text, QLocale(locale));
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(*v, value);
    }

    void strictFloat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("status");
        QTest::newRow("fits") << "3.4E38" << int(FloatConversion::Ok);
        QTest::newRow("overflow") << "1E+39" << int(FloatConversion::Overflow);
        QTest::newRow("negative overflow") << "-1E39" << int(FloatConversion::Overflow);
        QTest::newRow("not a number") << "x" << int(FloatConversion::NotANumber);
        QTest::newRow("tiny becomes zero") << "1E-50" << int(FloatConversion::Ok);
    }
    void strictFloat()
    {
        QFETCH(QString, text);
        QFETCH(int, status);
        QCOMPARE(int(StrictFloat(text, QLocale::c()).status), status);
    }

    void shortFloatText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("2.55") << 2.55f << "C" << "2.55";
        QTest::newRow("pi") << 3.1415927f << "C" << "3.141593";
        QTest::newRow("0.1") << 0.1f << "C" << "0.1";
        QTest::newRow("whole") << 330.0f << "C" << "330";
        QTest::newRow("negative") << -12.5f << "C" << "-12.5";
        QTest::newRow("comma locale") << 2.55f << "de_DE" << "2,55";
        QTest::newRow("zero") << 0.0f << "C" << "0";
    }
    void shortFloatText()
    {
        QFETCH(float, value);
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QCOMPARE(ShortFloatText(value, QLocale(locale)), text);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("rounded");
        QTest::newRow("2.5") << 2.5 << 0 << 2.0;
        QTest::newRow("3.5") << 3.5 << 0 << 4.0;
        QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
        QTest::newRow("-3.5") << -3.5 << 0 << -4.0;
        QTest::newRow("0.5") << 0.5 << 0 << 0.0;
        QTest::newRow("1.5") << 1.5 << 0 << 2.0;
        QTest::newRow("2.6") << 2.6 << 0 << 3.0;
        QTest::newRow("-2.4") << -2.4 << 0 << -2.0;
        QTest::newRow("0.125 at 2") << 0.125 << 2 << 0.12;
        QTest::newRow("0.375 at 2") << 0.375 << 2 << 0.38;
        QTest::newRow("1.57 stays") << 1.57 << 2 << 1.57;
        QTest::newRow("pi at 2") << 3.14159265358979 << 2 << 3.14;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, rounded);
        QCOMPARE(RoundHalfEven(value, decimals), rounded);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
