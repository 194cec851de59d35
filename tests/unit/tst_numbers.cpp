// Number texts: the worked examples of every rule live in
// tests/golden/numbers.txt; here is how each line is computed.
#include "Golden.h"
#include "numbers/Numbers.h"

#include <QtTest>
#include <cmath>

using namespace tarvex;

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void examples()
    {
        GOLDEN_VERIFY(golden::cases("numbers.txt", [](const QStringList& in) -> QString {
            const QString& rule = in[0];
            const auto arg = [&](int i) { return in.value(i); };
            const QLocale locale(arg(in.size() - 1));
            const auto full = [](double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); };
            if (rule == QLatin1String("text"))
                return NumberText(arg(1).toDouble());
            if (rule == QLatin1String("leading"))
                return full(LeadingNumber(arg(1)));
            if (rule == QLatin1String("strict")) {
                const auto v = StrictDouble(arg(1), locale);
                return v ? full(*v) : QStringLiteral("refused");
            }
            if (rule == QLatin1String("float")) {
                const StrictFloatResult f = StrictFloat(arg(1), locale);
                const char* status[] = {"ok", "not a number", "overflow"};
                return QString::fromLatin1(status[int(f.status)]) + QLatin1Char(' ') + full(f.value);
            }
            if (rule == QLatin1String("short"))
                return ShortFloatText(arg(1).toFloat(), locale);
            if (rule == QLatin1String("round"))
                return full(RoundHalfEven(arg(1).toDouble(), arg(2).toInt()));
            if (rule == QLatin1String("fixed"))
                return FixedText(arg(1).toDouble(), arg(2).toInt(), locale);
            if (rule == QLatin1String("exponent"))
                return ExponentText(arg(1).toDouble(), arg(2).toInt(), locale);
            return QStringLiteral("unknown rule");
        }));
        QVERIFY(std::isinf(LeadingNumber(QStringLiteral("1E999"))));
    }

    // The table reader's quick path for plain decimals may not change what
    // counts as a number, in any locale.
    void readerAgreesWithStrictDouble()
    {
        const QStringList texts = {
            "0", "-0", "+5", "007", "12.5", "12,5", "-12,5", "1,000", "1.000", "1 000", "1'000", ".5", ",5", "5.",
            "-.5", " 42 ", "\t3.25\n", "1e3", "1E+39", "2.5e-3", "abc", "", "   ", "--1", "+-1", "1-", "12.5.3",
            QString(400, QLatin1Char('9')), "0." + QString(300, QLatin1Char('0')) + "1", "NaN", "inf", "0x10",
            QString::fromUtf8("\xe2\x88\x92" "5"), QString::fromUtf8("\xd9\xa1\xd9\xa2"), "3.4028235e38",
            "340282356779733661637539395458142568448", "4kg", "+", "-", ".",
        };
        for (const char* name : {"C", "en_US", "de_DE", "fr_FR", "sv_SE", "ar_EG", "de_CH"}) {
            const QLocale locale(QString::fromLatin1(name));
            const StrictNumberReader reader(locale);
            for (const QString& text : texts) {
                const auto expected = StrictDouble(text, locale);
                const auto actual = reader.toDouble(text);
                const QString what = QStringLiteral("%1 \"%2\"").arg(QLatin1String(name), text);
                QVERIFY2(expected.has_value() == actual.has_value(), qPrintable(what));
                QVERIFY2(!expected || (*expected == *actual && std::signbit(*expected) == std::signbit(*actual)),
                         qPrintable(what));
                const StrictFloatResult f = reader.toFloat(text), g = StrictFloat(text, locale);
                QVERIFY2(f.status == g.status && f.value == g.value, qPrintable(what));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
