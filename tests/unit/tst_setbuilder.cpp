// A set of irons solved for a frequency slope, and the robust line through
// its frequencies. Cases are in tests/golden/setbuilder.txt.
#include "Golden.h"
#include "analysis/SetBuilder.h"
#include "analysis/SetCertificate.h"

#include <QtTest>
#include <cmath>

using namespace tarvex;

namespace {

QString f(double v, int places) { return QString::number(std::fabs(v) < 0.5 * std::pow(10.0, -places) ? 0.0 : v, 'f', places); }

// One model of steel iron shaft, 41 in and 120 g: EI (N m^2) read every
// 2 in from 4 to 38 in, soft over the tip's first third and rising slowly
// to the butt. "name:scale[:tip]" scales the whole curve, and the tip's
// third by `tip` besides (a soft spot where fitters find one); a fourth
// field gives another raw length. Lengths in units of `perInch` to the inch.
SetShaft modelShaft(const QString& entry, double perInch)
{
    const QStringList part = entry.split(QLatin1Char(':'));
    const double scale = part.value(1, QStringLiteral("1")).toDouble();
    const double tip = part.value(2, QStringLiteral("1")).toDouble();
    SetShaft s;
    s.name = part[0];
    s.details = {part.value(3, QStringLiteral("41")).toDouble() * perInch, 120.0, {}};
    int row = 0;
    for (double x = 4; x <= 38; x += 2) {
        const double ei = x < 16 ? 14 + 2.5 * (x - 4) : 44 + 0.9 * (x - 16);
        s.ei.push_back({++row, x * perInch, scale * ei * (x < 16 ? tip : 1.0)});
    }
    return s;
}

// "first spacing slope tipstep maxtip base [auto] [mm]": lengths in inches.
SetRequest request(const QString& shafts, const QString& settings)
{
    const QStringList s = settings.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const double k = s.contains(QStringLiteral("mm")) ? 25.4 : 1.0;
    SetRequest rq = DefaultSetRequest(k > 1 ? LengthUnit::Millimetre : LengthUnit::Inch);
    rq.firstLength = s.value(0).toDouble() * k;
    rq.spacing = s.value(1).toDouble() * k;
    rq.slope = s.value(2).toDouble();
    rq.tipWeightStep = s.value(3).toDouble();
    rq.maxTipTrim = s.value(4).toDouble() * k;
    rq.baseTipTrim = s.value(5).toDouble() * k;
    if (s.contains(QStringLiteral("auto")))
        rq.assignment = SetAssignment::SoftestToLongest;
    for (const QString& entry : shafts.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        rq.shafts.push_back(modelShaft(entry, k));
    return rq;
}

// Each club's shaft, trims and cpm with its target, then what a fitter
// checks: how many are on the line, whether the tip trims only grow club
// after club, the fitted slope, and every mark.
QString described(const SetBuild& set, LengthUnit unit)
{
    if (!set.ok())
        return QStringLiteral("refused: ") + set.refusal;
    QStringList clubs, marks;
    int onLine = 0;
    bool rising = true;
    for (const SetClub& c : set.clubs) {
        clubs << QStringLiteral("%1 %2+%3 %4/%5").arg(c.name, f(c.trims.tip, 2), f(c.trims.butt, 2),
                                                   c.hasCpm ? f(c.cpm, 1) : QStringLiteral("-"), f(c.targetCpm, 1));
        onLine += c.onLine() ? 1 : 0;
        if (c.club > 0 && c.trims.tip < set.clubs[static_cast<std::size_t>(c.club - 1)].trims.tip - 1e-9)
            rising = false;
        if (const QString m = SetClubMark(c, unit); !m.isEmpty())
            marks << m;
    }
    QString out = clubs.join(QStringLiteral(", "))
        + QStringLiteral(" | %1 of %2 on the line, tip trims %3 | slope %4")
              .arg(onLine).arg(set.clubs.size()).arg(rising ? QStringLiteral("rising") : QStringLiteral("not rising"), f(set.slope, 2));
    if (!marks.isEmpty())
        out += QStringLiteral(" | ") + marks.join(QStringLiteral("; "));
    return out;
}

// "shaft:percent:grade ..." => the spine of those shafts, by the request's order.
std::vector<std::optional<ShaftSpine>> spines(const SetRequest& rq, const QString& entries)
{
    std::vector<std::optional<ShaftSpine>> out(rq.shafts.size());
    for (const QString& entry : entries.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList p = entry.split(QLatin1Char(':'));
        for (std::size_t i = 0; i < rq.shafts.size(); ++i)
            if (rq.shafts[i].name == p[0]) {
                const SpineGrade g = p.value(2) == QLatin1String("tour") ? SpineGrade::Tour
                                     : p.value(2) == QLatin1String("consumer") ? SpineGrade::Consumer : SpineGrade::Reject;
                out[i] = ShaftSpine{p.value(1).toDouble(), g};
            }
    }
    return out;
}

// The whole certificate against its golden file; the line keeps the verdict.
QString certificate(const QStringList& in)
{
    CertificateInput ci;
    ci.shop = QStringLiteral("Fairway Shaft Lab");
    ci.customer = QStringLiteral("J. Doe");
    ci.date = QDate(2026, 12, 8);
    ci.request = request(in[2], in[3]);
    ci.set = BuildSet(ci.request);
    ci.spine = spines(ci.request, in.value(4));
    if (const double tol = in.value(5).toDouble(); tol > 0)
        ci.tolerances.maxResidualCpm = tol;
    ci.tolerances.failSpineReject = !in.value(6).contains(QStringLiteral("nospine"));
    ci.tolerances.failMatchedFlag = !in.value(6).contains(QStringLiteral("nomatched"));
    const SetCertificate cert = CertifySet(ci);
    const QString text = cert.title + QLatin1Char('\n') + cert.lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (const QString diff = golden::compare(QStringLiteral("report/") + in[1], text.toUtf8()); !diff.isEmpty())
        return diff;
    return cert.passed() ? QStringLiteral("pass") : QStringLiteral("fail: ") + cert.failures.join(QLatin1Char(' '));
}

QString run(const QStringList& in)
{
    if (in[0] == QLatin1String("certificate"))
        return certificate(in);
    if (in[0] == QLatin1String("mass")) {
        const QStringList s = in[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ShaftDetails d{s.value(0).toDouble(), s.value(1).toDouble(), {}};
        if (s.size() > 2)
            d.balance = s[2].toDouble();
        const TrimmedMass m = TrimmedShaftMass(d, {in[2].section(QLatin1Char(' '), 0, 0).toDouble(), in[2].section(QLatin1Char(' '), 1).toDouble()});
        return QStringLiteral("%1 g, balance %2").arg(f(m.weight, 2), f(m.balance, 2));
    }
    if (in[0] == QLatin1String("pages")) {
        // "x" a line of text, "-" a blank one.
        QStringList lines;
        for (const QString& t : in[1].split(QLatin1Char(' '), Qt::SkipEmptyParts))
            lines << (t == QLatin1String("-") ? QString() : t);
        QStringList sizes;
        for (const QStringList& page : CertificatePages(lines, in[2].toInt()))
            sizes << QString::number(page.size());
        return sizes.join(QLatin1Char('/'));
    }
    if (in[0] == QLatin1String("theilsen")) {
        std::vector<double> x, y;
        for (const QString& p : in[1].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            x.push_back(p.section(QLatin1Char(':'), 0, 0).toDouble());
            y.push_back(p.section(QLatin1Char(':'), 1).toDouble());
        }
        const RobustLine line = TheilSenLine(x, y);
        return QStringLiteral("slope %1, intercept %2").arg(f(line.slope, 3), f(line.intercept, 3));
    }
    const SetRequest rq = request(in[1], in[2]);
    const SetBuild set = BuildSet(rq);
    // The same shafts in another order, reversed and turned by three: the
    // set it builds must be the same club for club.
    if (in[0] == QLatin1String("shuffled")) {
        SetRequest other = rq;
        std::reverse(other.shafts.begin(), other.shafts.end());
        std::rotate(other.shafts.begin(), other.shafts.begin() + 3 % static_cast<std::ptrdiff_t>(other.shafts.size()), other.shafts.end());
        const QString a = described(set, rq.unit), b = described(BuildSet(other), rq.unit);
        return a == b ? QStringLiteral("the same set: ") + a : QStringLiteral("differs: ") + a + QStringLiteral(" against ") + b;
    }
    return described(set, rq.unit);
}

} // namespace

class TestSetBuilder : public QObject {
    Q_OBJECT
private slots:
    void cases() { GOLDEN_VERIFY(golden::cases("setbuilder.txt", run)); }
};

QTEST_GUILESS_MAIN(TestSetBuilder)
#include "tst_setbuilder.moc"
