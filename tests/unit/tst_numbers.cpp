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
            if (rule == QLatin1String("reader")) {   // the same reading on the quick path, in every locale
                const QString text = golden::expand(arg(1));
                for (const char* name : {"C", "en_US", "de_DE", "fr_FR", "sv_SE", "ar_EG", "de_CH"}) {
                    const QLocale l(QString::fromLatin1(name));
                    const auto a = StrictDouble(text, l), b = StrictNumberReader(l).toDouble(text);
                    const StrictFloatResult f = StrictNumberReader(l).toFloat(text), g = StrictFloat(text, l);
                    if (a.has_value() != b.has_value() || (a && (*a != *b || std::signbit(*a) != std::signbit(*b))) || f.status != g.status || f.value != g.value)
                        return QStringLiteral("DIFFERS in ") + QLatin1String(name);
                }
                return QStringLiteral("agrees");
            }
            return QStringLiteral("unknown rule");
        }));
        QVERIFY(std::isinf(LeadingNumber(QStringLiteral("1E999"))));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
