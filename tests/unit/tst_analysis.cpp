// Spine and bend, EI, zones and the comparison with a reference, on plain
// values. Cases are in tests/golden/analysis.txt.
#include "Golden.h"
#include "analysis/MatchedSet.h"
#include "analysis/SpineAnalysis.h"
#include "analysis/SpineText.h"
#include "analysis/Stiffness.h"
#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <QtTest>
#include <cmath>
#include <numbers>
#include <random>

using namespace tarvex;

namespace {

QString g(double v) { return QString::number(v, 'g', 6); }
QString f(double v, int places) { return QString::number(v == 0 ? 0.0 : v, 'f', places); }

// "8 3@40 0.3@200": mean, spine % at its angle, bend at its angle.
struct Shaft {
    double mean, spine, spineAt, bend, bendAt;
    double load(double deg) const
    {
        const double r = std::numbers::pi / 180;
        return mean * (1 + spine / 200 * std::cos(2 * (deg - spineAt) * r)) + bend * std::cos((deg - bendAt) * r);
    }
};

Shaft shaft(const QString& text)
{
    const QStringList p = QString(text).replace(QLatin1Char('@'), QLatin1Char(' ')).split(QLatin1Char(' '));
    return {p[0].toDouble(), p[1].toDouble(), p[2].toDouble(), p[3].toDouble(), p[4].toDouble()};
}

// Rows "x,y;x,y", or "step S [without A]" / "at A B ..." for the angles of a shaft.
void fill(DataTable& t, const QString& rows, const Shaft& s = {})
{
    QStringList list;
    QList<double> angles;
    const QStringList w = rows.split(QLatin1Char(' '));
    if (w[0] == QLatin1String("step"))
        for (double a = 0; a < 360; a += w[1].toDouble())
            angles << a;
    else if (w[0] == QLatin1String("at"))
        for (const QString& a : w.mid(1))
            angles << a.toDouble();
    else
        list = rows.split(QLatin1Char(';'));
    for (const double a : angles)
        list << NumberText(a) + QLatin1Char(',') + (w.contains(QLatin1String("without")) && a == w.last().toDouble() ? QString() : NumberText(s.load(a)));
    golden::fill(t, list);
}

QString spine(const SpineAnalysis& a)
{
    if (!a.ok())
        return QStringLiteral("refused: ") + a.refusal;
    return QStringLiteral("N %1 | mean %2 | spine %3 | %4 % %5 | bend %6%7 (%8 %) | wobble %9 %")
        .arg(a.readings).arg(f(a.mean, 3))
        .arg(a.spineSignificant ? QStringLiteral("%1 sd %2 nbp %3").arg(f(a.spineAngle, 2), f(a.spineAngleSd, 2), f(a.nbpAngle, 2)) : QStringLiteral("none found"))
        .arg(f(a.spinePercent, 3), GradeName(a.grade), f(a.bendAmplitude, 3))
        .arg(a.bendAmplitude >= 5e-4 ? QStringLiteral(" at ") + f(a.bendAngle, 2) : QString())
        .arg(f(a.bendPercent, 3), f(a.wobblePercent, 3));
}

BenchGeometry geometry(const QString& text)
{
    const QStringList p = text.split(QLatin1Char(' '));
    BenchGeometry geo;
    geo.lengthUnit = p[0] == QLatin1String("mm") ? LengthUnit::Millimetre : LengthUnit::Inch;
    geo.loadUnit = p[1] == QLatin1String("N") ? LoadUnit::Newton : p[1] == QLatin1String("kg") ? LoadUnit::Kilogram : LoadUnit::PoundForce;
    geo.span = p[2].toDouble();
    geo.deflection = p[3].toDouble();
    geo.compliance = p.value(4).toDouble();
    return geo;
}

// set | curve | curve | ... => each shaft's residuals and z | flagged | order | the small-set note
QString matchedSet(const QStringList& in)
{
    std::vector<std::vector<RowPoint>> curves;
    for (const QString& rows : in.mid(1)) {
        DataTable t;
        fill(t, rows);
        curves.push_back(NumberRowsOf(t, QLocale::c()).points);
    }
    const MatchedSet set = MatchSet(curves);
    if (!set.ok())
        return QStringLiteral("refused: ") + set.refusal;
    QStringList out{QStringLiteral("at")}, flagged{QStringLiteral("flagged")}, order{QStringLiteral("order")};
    for (const double p : set.positions)
        out[0] += QLatin1Char(' ') + g(p);
    for (std::size_t s = 0; s < set.shafts.size(); ++s) {
        QString line = QStringLiteral("%1: r").arg(s + 1), z = QStringLiteral(" z");
        for (std::size_t p = 0; p < set.positions.size(); ++p) {
            line += QLatin1Char(' ') + g(set.shafts[s].residualPercent[p]);
            z += QLatin1Char(' ') + g(set.shafts[s].z[p]);
        }
        out << line + z;
        if (set.shafts[s].flagged)
            flagged << QString::number(s + 1);
    }
    for (const int s : set.order)
        order << QString::number(s + 1);
    out << (flagged.size() > 1 ? flagged.join(QLatin1Char(' ')) : QStringLiteral("flagged none")) << order.join(QLatin1Char(' '));
    if (!set.tooSmall.isEmpty())
        out << set.tooSmall;
    return out.join(QStringLiteral(" | "));
}

QString run(const QStringList& in)
{
    if (in[0] == QLatin1String("set"))
        return matchedSet(in);
    DataTable table;
    fill(table, in[2], in[0].startsWith(QLatin1String("spine")) ? shaft(in[1]) : Shaft{});
    const TableReadings rows = NumberRowsOf(table, QLocale::c());
    QString out;
    if (in[0] == QLatin1String("spinetext")) {
        out = SpineFigureLines(AnalyzeSpine(rows.points), in.value(3), QLocale(in.value(4, QStringLiteral("C")))).join(QStringLiteral(" / "));
    } else if (in[0] == QLatin1String("spine")) {
        const QStringList limits = in.value(3).split(QLatin1Char(' '));
        out = spine(AnalyzeSpine(rows.points, limits.size() == 2 ? GradeLimits{limits[0].toDouble(), limits[1].toDouble()} : GradeLimits{}));
    } else if (in[0] == QLatin1String("ei")) {
        const BenchGeometry geo = geometry(in[1]);
        const EiCurve ei = ConvertToEi(rows.points, geo);
        QStringList points;
        for (const EiPoint& p : ei.points)
            points << QStringLiteral("%1: %2 %3 %4").arg(g(p.position), g(p.lbfIn2), g(p.nM2), g(p.kgfM2));
        const ZoneFigures z = EiZones(ei, geo.lengthUnit);
        out = (ei.ok() ? points.join(QStringLiteral(", ")) : ei.refusal) + QStringLiteral(" | ")
            + (z.ok() ? QStringLiteral("tip %1 mid %2 butt %3 ratio %4 slope %5 %/in index %6")
                            .arg(g(z.tip), g(z.mid), g(z.butt), g(z.buttTipRatio), g(z.slopePercentPerIn), g(z.stiffnessIndex))
                      : z.refusal);
    } else {
        DataTable reference;
        fill(reference, in[1]);
        const CurveComparison c = CompareWithReference(NumberRowsOf(reference, QLocale::c()).points, rows.points);
        QStringList d;
        for (const Difference& p : c.differences)
            d << g(p.position) + QLatin1Char(':') + g(p.percent);
        out = c.ok() ? QStringLiteral("%1 | rms %2 | max %3 at %4 | left out %5").arg(d.join(QLatin1Char(' ')), g(c.rmsPercent), g(c.maxPercent), g(c.maxPosition)).arg(c.leftOut)
                     : c.refusal;
    }
    for (const int r : rows.skippedRows)
        out += QStringLiteral(" | row %1 left out").arg(r);
    return out;
}

} // namespace

class TestAnalysis : public QObject {
    Q_OBJECT
private slots:
    void cases() { GOLDEN_VERIFY(golden::cases("analysis.txt", run)); }

    // The standard deviation the fit reports for the stiff plane's angle is
    // the spread the angle has over many noisy runs of the same shaft.
    void spineAngleSdMatchesTheSpread()
    {
        const Shaft s{8, 3, 40, 0.3, 200};
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0.0, 0.05);
        double sum = 0, squares = 0, reported = 0;
        const int trials = 200;
        for (int t = 0; t < trials; ++t) {
            std::vector<RowPoint> rows;
            for (int a = 0; a < 360; a += 10)
                rows.push_back({a / 10 + 1, double(a), s.load(a) + noise(random)});
            const SpineAnalysis a = AnalyzeSpine(rows);
            sum += a.spineAngle;
            squares += a.spineAngle * a.spineAngle;
            reported += a.spineAngleSd;
        }
        const double spread = std::sqrt((squares - sum * sum / trials) / (trials - 1));
        QVERIFY2(std::fabs(reported / trials / spread - 1) < 0.3, qPrintable(QStringLiteral("sd %1, spread %2").arg(reported / trials).arg(spread)));
    }
};

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
