// The X/Y chart's axis: every worked example (the designed ones, each border
// of the step table, negative, exponent and extreme ranges) is a line of
// tests/golden/axis.txt with every field, the major lines and their labels.
#include "Golden.h"
#include "charts/xy/AxisScale.h"

#include <QtTest>
#include <charconv>
#include <cmath>

using namespace tarvex;

namespace {

QString shortest(float f)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, f).ptr;
    return QString::fromLatin1(text, end - text);
}

QString describe(float min, float max, const QLocale& locale)
{
    const auto a = ComputeAxisScale(min, max);
    if (!a)
        return QStringLiteral("no axis");
    QStringList majors, labels;
    for (int i = 0; i <= a->n; ++i)
        if (a->isMajor(i)) {
            majors << QString::number(i);
            labels << a->label(i, locale);
        }
    QString out = QStringLiteral("sig %1, n %2, unit %3, step %4, start %5, span %6, every %7, decimals %8 | majors %9 | %10")
                      .arg(a->sig).arg(a->n).arg(a->unit).arg(shortest(a->step), shortest(a->start), shortest(a->span))
                      .arg(a->every).arg(a->decimals).arg(majors.join(QLatin1Char(' ')), labels.join(QLatin1Char(' ')));
    // The data always lies on the axis; a flat line in its middle.
    if (a->fraction(min) < -1e-6 || a->fraction(max) > 1 + 1e-6 || (min == max && std::fabs(a->fraction(min) - 0.5) > 1e-6))
        out += QStringLiteral(" | DATA OFF THE AXIS");
    return out;
}

} // namespace

class TestAxisScale : public QObject {
    Q_OBJECT
private slots:
    // The axis may not depend on the user's decimal separator; only labels
    // follow the locale they are asked in.
    void examples()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString why = golden::cases("axis.txt", [](const QStringList& in) {
            const auto f = [](const QString& t) { return std::strtof(t.toLatin1().constData(), nullptr); };
            return describe(f(in.value(1)), f(in.value(2)), QLocale(in.value(3, QStringLiteral("C"))));
        });
        QLocale::setDefault(before);
        GOLDEN_VERIFY(why);
    }

    // Whichever way the binary value of a decimal minimum falls (1.2f is a
    // hair above 1.2, 1.3f a hair below), a minimum on the grid starts the axis.
    void minimumOnTheGridStartsTheAxis()
    {
        for (const double step : {0.1, 0.2, 0.01, 0.002, 1.0})
            for (int k = -300; k <= 300; ++k) {
                const float min = float(k * step);
                const AxisScale a = *ComputeAxisScale(min, float(k * step + 14 * step));
                QVERIFY2(a.startIndex == k && a.start == min && a.step == float(step),
                         qPrintable(QStringLiteral("min %1 starts at index %2").arg(double(min)).arg(a.startIndex)));
            }
    }
};

QTEST_APPLESS_MAIN(TestAxisScale)
#include "tst_axisscale.moc"
