// The frequency meter's prediction, the kick and bend points and the clamp
// calibration, on plain values. Cases are in tests/golden/frequency.txt.
#include "Golden.h"
#include "analysis/Frequency.h"
#include "analysis/FrequencyText.h"

#include <QtTest>
#include <cmath>

using namespace tarvex;

namespace {

QString g(double v, int digits = 6) { return QString::number(v, 'g', digits); }
QString f(double v, int places) { return QString::number(std::fabs(v) < 0.5 * std::pow(10.0, -places) ? 0.0 : v, 'f', places); }

// "4:23 10:30": position:EI (N m^2) rows; "jagged N": N rows from 1 to 36 in,
// EI rising 1 N m^2 an inch with a wobble of 0.5 from row to row.
std::vector<RowPoint> rows(const QString& text)
{
    std::vector<RowPoint> out;
    int row = 0;
    if (text.startsWith(QLatin1String("jagged "))) {
        const int n = text.mid(7).toInt();
        for (int i = 0; i < n; ++i)
            out.push_back({i + 1, 1.0 + 35.0 * i / n, 31.0 + 35.0 * i / n + 0.5 * std::sin(i)});
        return out;
    }
    for (const QString& item : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out.push_back({++row, item.section(QLatin1Char(':'), 0, 0).toDouble(), item.section(QLatin1Char(':'), 1).toDouble()});
    return out;
}

// rows | "length weight [balance]" | "clamp tip offset" | "tiptrim butttrim" [| mm]
FrequencyInput input(const QStringList& in)
{
    FrequencyInput i;
    i.ei = rows(in[1]);
    const QStringList shaft = in[2].split(QLatin1Char(' '));
    i.shaft.length = shaft[0].toDouble();
    i.shaft.weight = shaft[1].toDouble();
    if (shaft.size() > 2)
        i.shaft.balance = shaft[2].toDouble();
    const QStringList meter = in[3].split(QLatin1Char(' '));
    i.meter.clamp = meter[0].toDouble();
    i.meter.tipWeight = meter[1].toDouble();
    i.meter.tipOffset = meter.value(2).toDouble();
    i.meter.clampOffset = meter.value(3).toDouble();
    const QStringList trims = in.value(4, QStringLiteral("0 0")).split(QLatin1Char(' '));
    i.trims = {trims[0].toDouble(), trims.value(1).toDouble()};
    i.unit = in.value(5) == QLatin1String("mm") ? LengthUnit::Millimetre : LengthUnit::Inch;
    return i;
}

QString prediction(const FrequencyPrediction& p)
{
    if (!p.ok())
        return QStringLiteral("refused: ") + p.refusal;
    return QStringLiteral("%1 cpm | free %2 | guessed %3 + %4 | bend %5 | kick %6")
        .arg(f(p.cpm, 2), g(p.freeLength), f(p.extrapolatedTip, 3), f(p.extrapolatedButt, 3), f(p.bendPoint, 2), f(p.kickPoint, 2));
}

// The root b of 1 + cos b cosh b + mu b (cos b sinh b - sin b cosh b) = 0
// below the second, found by bisection on its first change of sign.
double closedFormRoot(double mu)
{
    const auto q = [mu](double b) { return 1 + std::cos(b) * std::cosh(b) + mu * b * (std::cos(b) * std::sinh(b) - std::sin(b) * std::cosh(b)); };
    double lo = 1e-6, hi = lo;
    while (q(hi + 1e-3) * q(lo) > 0)
        hi += 1e-3;
    hi += 1e-3;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (q(mid) * q(lo) > 0 ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

// A uniform shaft of 40 in and 100 g in a 5 in clamp, EI 50 N m^2, with the
// tip weight that gives `mu`: b^2 = omega sqrt(m L^4 / EI) over the free 35 in.
QString closedForm(double mu)
{
    FrequencyInput i;
    i.ei = {{1, 20.0, 50.0}};
    i.shaft = {40.0, 100.0, {}};
    i.meter.clamp = 5.0;
    const double m = 0.1 / (40 * kMetresPerInch), l = 35 * kMetresPerInch;
    i.meter.tipWeight = mu * m * l * 1000.0;
    const FrequencyPrediction p = PredictFrequency(i);
    const double b2 = p.cpm * 2 * M_PI / 60 * std::sqrt(m * std::pow(l, 4) / 50.0);
    const double root = closedFormRoot(mu);
    const double off = std::fabs(b2 / (root * root) - 1);
    return QStringLiteral("b^2 %1, closed form %2: %3").arg(f(b2, 4), f(root * root, 4), off < 1e-6 ? QStringLiteral("within 1e-6") : QStringLiteral("off by %1").arg(g(off, 2)));
}

QString run(const QStringList& in)
{
    if (in[0] == QLatin1String("note")) {
        const auto d = ShaftDetailsOf(in[1], in.value(2) == QLatin1String("mm") ? LengthUnit::Millimetre : LengthUnit::Inch);
        return d ? QStringLiteral("length %1, weight %2 g, balance %3").arg(g(d->length), g(d->weight), d->balance ? g(*d->balance) : QStringLiteral("none"))
                 : d.message();
    }
    if (in[0] == QLatin1String("closed"))
        return closedForm(in[1].toDouble());
    if (in[0] == QLatin1String("calibrate")) {
        FrequencyInput i = input(in.mid(0, 5));
        const ClampCalibration c = CalibrateClamp(i, in[5].toDouble());
        i.meter.clampOffset = c.clampOffset;
        return c.ok() ? QStringLiteral("offset %1 | then %2 cpm").arg(f(c.clampOffset, 3), f(PredictFrequency(i).cpm, 2))
                      : QStringLiteral("refused: ") + c.refusal;
    }
    if (in[0] == QLatin1String("trimmed")) {
        QStringList out;
        const QStringList trims = in[3].split(QLatin1Char(' '));
        for (const RowPoint& r : TrimmedEi(rows(in[1]), in[2].toDouble(), {trims[0].toDouble(), trims.value(1).toDouble()}))
            out << g(r.x) + QLatin1Char(':') + g(r.y);
        return out.join(QLatin1Char(' '));
    }
    // The figure, then the same on the mesh it settled on and on one twice as fine.
    if (in[0] == QLatin1String("settle")) {
        FrequencyInput i = input(in);
        const FrequencyPrediction p = PredictFrequency(i);
        i.level = p.level;
        const double same = PredictFrequency(i).cpm;
        i.level = p.level + 1;
        const double finer = PredictFrequency(i).cpm;
        return QStringLiteral("%1 cpm on %2 elements: %3; twice as many move it %4")
            .arg(f(p.cpm, 2)).arg(p.elements)
            .arg(same == p.cpm ? QStringLiteral("the same again") : QStringLiteral("%1 again").arg(g(same, 10)),
                 std::fabs(finer - p.cpm) < 0.01 ? QStringLiteral("by less than 0.01 cpm") : QStringLiteral("by %1 cpm").arg(g(finer - p.cpm, 3)));
    }
    // "change": the second set-up's cpm less the first's.
    if (in[0] == QLatin1String("change")) {
        const FrequencyPrediction a = PredictFrequency(input(in.mid(0, 5)));
        QStringList second = in.mid(0, 5);
        second[3] = in.value(5, in[3]);
        second[4] = in.value(6, in[4]);
        const FrequencyPrediction b = PredictFrequency(input(second));
        return a.ok() && b.ok() ? QStringLiteral("%1 -> %2 cpm (%3)").arg(f(a.cpm, 2), f(b.cpm, 2), (b.cpm > a.cpm ? QStringLiteral("+") : QString()) + f(b.cpm - a.cpm, 2))
                                : a.refusal + b.refusal;
    }
    return prediction(PredictFrequency(input(in)));
}

} // namespace

class TestFrequency : public QObject {
    Q_OBJECT
private slots:
    void cases() { GOLDEN_VERIFY(golden::cases("frequency.txt", run)); }
};

QTEST_GUILESS_MAIN(TestFrequency)
#include "tst_frequency.moc"
