#include "analysis/SetCertificate.h"

#include "analysis/MatchedSet.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// EI at `x` from the tip, linear between rows and held beyond the ends, as
// the frequency model takes it.
double eiAt(const std::vector<RowPoint>& rows, double x)
{
    if (rows.empty())
        return 0.0;
    if (x <= rows.front().x)
        return rows.front().y;
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (x <= rows[i].x) {
            const RowPoint& a = rows[i - 1];
            const RowPoint& b = rows[i];
            return b.x > a.x ? a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x) : b.y;
        }
    return rows.back().y;
}

// The mean EI over the rows the trimmed shaft keeps: the program's
// stiffness index, one figure to rank shafts by.
double stiffnessIndex(const std::vector<RowPoint>& rows)
{
    if (rows.size() < 2 || !(rows.back().x > rows.front().x))
        return rows.empty() ? 0.0 : rows.front().y;
    double area = 0.0;
    for (std::size_t i = 1; i < rows.size(); ++i)
        area += (rows[i].x - rows[i - 1].x) * (rows[i].y + rows[i - 1].y) / 2;
    return area / (rows.back().x - rows.front().x);
}

// Columns right-aligned under their headings, the first left-aligned.
QStringList columns(const QList<QStringList>& rows)
{
    std::vector<qsizetype> width;
    for (const QStringList& r : rows)
        for (qsizetype c = 0; c < r.size(); ++c) {
            if (std::size_t(c) >= width.size())
                width.push_back(0);
            width[std::size_t(c)] = std::max(width[std::size_t(c)], r[c].size());
        }
    QStringList out;
    for (const QStringList& r : rows) {
        QString line;
        for (qsizetype c = 0; c < r.size(); ++c) {
            const int w = int(width[std::size_t(c)]);
            line += c == 0 ? r[c].leftJustified(w) : QStringLiteral("  ") + r[c].rightJustified(w);
        }
        out << (line.trimmed().isEmpty() ? QString() : line);
        while (out.back().endsWith(QLatin1Char(' ')))
            out.back().chop(1);
    }
    return out;
}

} // namespace

std::vector<double> CertificateStations(const SetBuild& set, LengthUnit unit)
{
    const double step = unit == LengthUnit::Inch ? 5.0 : 125.0;
    double shortest = 0.0;
    bool any = false;
    for (const SetClub& c : set.clubs)
        if (c.length > 0) {
            shortest = any ? std::min(shortest, c.length) : c.length;
            any = true;
        }
    std::vector<double> stations;
    for (double s = step; any && s < shortest - 1e-9; s += step)
        stations.push_back(s);
    return stations;
}

TrimmedMass TrimmedShaftMass(const ShaftDetails& shaft, const Trims& trims)
{
    const double L = shaft.length;
    const double W = shaft.weight;
    if (!(L > 0))
        return {};
    // Linear density a + c x over [0, L] with weight W and centre of mass at
    // the balance point b: c = 12 W (b - L/2) / L^3, a = W / L - c L / 2.
    const double b = shaft.balance.value_or(L / 2);
    const double c = 12 * W * (b - L / 2) / (L * L * L);
    const double a = W / L - c * L / 2;
    const double t = std::clamp(trims.tip, 0.0, L);
    const double e = std::clamp(L - trims.butt, t, L);
    const double weight = a * (e - t) + c / 2 * (e * e - t * t);
    const double moment = a / 2 * (e * e - t * t) + c / 3 * (e * e * e - t * t * t);
    return {weight, weight > 0 ? moment / weight - t : 0.0};
}

SetCertificate CertifySet(const CertificateInput& in, const QLocale& locale)
{
    SetCertificate cert;
    const QString u = LengthUnitText(in.request.unit);
    const int places = in.request.unit == LengthUnit::Inch ? 2 : 1;
    const auto len = [&](double v) { return locale.toString(std::fabs(v) < 5e-4 ? 0.0 : v, 'f', places); };
    const auto cpm = [&](double v) { return locale.toString(std::fabs(v) < 0.05 ? 0.0 : v, 'f', 1); };
    const auto signedCpm = [&](double v) {
        const QString s = cpm(v);
        return v >= 0.05 ? QLatin1Char('+') + s : s;
    };
    const auto spineOf = [&in](std::size_t shaft) -> const ShaftSpine* {
        return shaft < in.spine.size() && in.spine[shaft] ? &*in.spine[shaft] : nullptr;
    };
    const QString shop = in.shop.trimmed().isEmpty() ? QCoreApplication::translate("Analysis", "Set certificate") : in.shop.trimmed();
    cert.title = QCoreApplication::translate("Analysis", "%1: set of %2 irons for %3, %4")
                     .arg(shop).arg(in.set.clubs.size())
                     .arg(in.customer.trimmed().isEmpty() ? QCoreApplication::translate("Analysis", "(no customer named)") : in.customer.trimmed(),
                          in.date.toString(Qt::ISODate));
    if (!in.set.ok()) {
        cert.lines << QCoreApplication::translate("Analysis", "No set: %1.").arg(in.set.refusal);
        cert.failures << QCoreApplication::translate("Analysis", "The set could not be built: %1.").arg(in.set.refusal);
        return cert;
    }

    // Clubs, with their shafts named once each.
    QList<QStringList> table{{QCoreApplication::translate("Analysis", "Club"), QCoreApplication::translate("Analysis", "Length"), QCoreApplication::translate("Analysis", "Tip trim"), QCoreApplication::translate("Analysis", "Butt trim"),
                              QCoreApplication::translate("Analysis", "Weight"), QCoreApplication::translate("Analysis", "Balance"), QCoreApplication::translate("Analysis", "Frequency"), QCoreApplication::translate("Analysis", "Off line"),
                              QCoreApplication::translate("Analysis", "Residual"), QCoreApplication::translate("Analysis", "Stiffness"), QCoreApplication::translate("Analysis", "Spine"), QCoreApplication::translate("Analysis", "Grade")},
                             {QString(), u, u, u, QStringLiteral("g"), QCoreApplication::translate("Analysis", "%1 from tip").arg(u), QStringLiteral("cpm"),
                              QStringLiteral("cpm"), QStringLiteral("cpm"), QStringLiteral("N m^2"), QStringLiteral("%"), QString()}};
    QStringList names;
    std::vector<std::vector<RowPoint>> trimmed;
    const std::vector<double> stations = CertificateStations(in.set, in.request.unit);
    QList<QStringList> eiTable{{QCoreApplication::translate("Analysis", "Club")}, {QString()}};
    for (const double s : stations) {
        eiTable[0] << locale.toString(s, 'g', 6);
        eiTable[1] << QStringLiteral("N m^2");
    }
    for (const SetClub& c : in.set.clubs) {
        const SetShaft& shaft = in.request.shafts[c.shaft];
        const TrimmedMass mass = TrimmedShaftMass(shaft.details, c.trims);
        const std::vector<RowPoint> ei = TrimmedEi(shaft.ei, shaft.details.length, c.trims);
        const ShaftSpine* spine = spineOf(c.shaft);
        const QString club = QString::number(c.club + 1);
        table << QStringList{club, len(c.length), len(c.trims.tip), len(c.trims.butt), locale.toString(mass.weight, 'f', 1),
                             len(mass.balance), c.hasCpm ? cpm(c.cpm) : QStringLiteral("-"),
                             c.hasCpm ? signedCpm(c.offLine()) : QStringLiteral("-"), c.hasCpm ? signedCpm(c.residual) : QStringLiteral("-"),
                             locale.toString(stiffnessIndex(ei), 'f', 1),
                             spine ? locale.toString(spine->percent, 'f', 1) : QStringLiteral("-"),
                             spine ? QCoreApplication::translate("SpineGrade", GradeName(spine->grade).toLatin1().constData()) : QStringLiteral("-")};
        names << QCoreApplication::translate("Analysis", "Club %1: %2").arg(club, c.name);
        QStringList eiRow{club};
        for (const double s : stations)
            eiRow << locale.toString(eiAt(ei, c.length - s), 'f', 1);
        eiTable << eiRow;
    }
    cert.lines << QCoreApplication::translate("Analysis", "Clubs, longest first; trims from the raw shaft, balance from the trimmed tip:");
    cert.lines << columns(table) << QString() << names << QString();

    cert.lines << QCoreApplication::translate("Analysis", "EI at distances from the butt (%1):").arg(u);
    if (stations.empty())
        cert.lines << QCoreApplication::translate("Analysis", "(the clubs are too short for a station)");
    else
        cert.lines << columns(eiTable);
    cert.lines << QString();

    const bool slopeKnown = std::isfinite(in.set.slope);
    cert.lines << QCoreApplication::translate("Analysis", "Frequency line (Theil-Sen through the clubs): %1 cpm a club, asked %2 cpm a club; club 1 at %3 cpm.")
                      .arg(slopeKnown ? locale.toString(in.set.slope, 'f', 2) : QStringLiteral("-"),
                           locale.toString(in.request.slope, 'f', 2),
                           slopeKnown ? cpm(in.set.intercept) : QStringLiteral("-"));
    QStringList residuals;
    for (const SetClub& c : in.set.clubs)
        residuals << QStringLiteral("%1: %2").arg(c.club + 1).arg(c.hasCpm ? signedCpm(c.residual) : QStringLiteral("-"));
    // Seven clubs a line keep the longest set within the page's width.
    cert.lines << QCoreApplication::translate("Analysis", "Residuals from the line (cpm), club by club:");
    for (qsizetype k = 0; k < residuals.size(); k += 7)
        cert.lines << QStringLiteral("  ") + residuals.mid(k, 7).join(QStringLiteral(", "));

    // The tolerances, club by club, then the set as a whole.
    const CertificateTolerances& tol = in.tolerances;
    // The matched-set check looks at the shafts as measured, at the positions
    // they share: after trimming, one distance from the butt falls on a
    // different part of each club's taper, and a sound set would stand out.
    MatchedSet matched;
    matched.refusal = QCoreApplication::translate("Analysis", "not asked");
    if (tol.failMatchedFlag && int(in.set.clubs.size()) >= kMatchedSetMinShafts) {
        std::vector<std::vector<RowPoint>> raw;
        for (const SetClub& c : in.set.clubs)
            raw.push_back(in.request.shafts[c.shaft].ei);
        matched = MatchSet(raw);
    }
    for (std::size_t i = 0; i < in.set.clubs.size(); ++i) {
        const SetClub& c = in.set.clubs[i];
        const QString who = QCoreApplication::translate("Analysis", "Club %1 (%2)").arg(c.club + 1).arg(c.name);
        if (!c.hasCpm)
            cert.failures << QCoreApplication::translate("Analysis", "%1 has no predicted frequency: %2.").arg(who, c.refusal);
        else if (std::fabs(c.residual) > tol.maxResidualCpm)
            cert.failures << QCoreApplication::translate("Analysis", "%1 is %2 cpm %3 the line, beyond the %4 cpm allowed.")
                                 .arg(who, cpm(std::fabs(c.residual)), c.residual > 0 ? QCoreApplication::translate("Analysis", "above") : QCoreApplication::translate("Analysis", "below"),
                                      cpm(tol.maxResidualCpm));
        const ShaftSpine* spine = spineOf(c.shaft);
        if (tol.failSpineReject && spine && spine->grade == SpineGrade::Reject)
            cert.failures << QCoreApplication::translate("Analysis", "%1 has a spine of %2 %, graded reject.").arg(who, locale.toString(spine->percent, 'f', 1));
        if (matched.ok() && i < matched.shafts.size() && matched.shafts[i].flagged) {
            // The station where it stands out most, to show the fitter where to look.
            const MatchedShaft& m = matched.shafts[i];
            std::size_t worst = 0;
            for (std::size_t k = 1; k < m.z.size(); ++k)
                if (std::fabs(m.z[k]) > std::fabs(m.z[worst]))
                    worst = k;
            cert.failures << QCoreApplication::translate("Analysis", "%1 stands out from the set's EI as measured: %2 % %3 the median at %4 %5 from the tip.")
                                 .arg(who, locale.toString(std::fabs(m.residualPercent[worst]), 'f', 1),
                                      m.residualPercent[worst] < 0 ? QCoreApplication::translate("Analysis", "below") : QCoreApplication::translate("Analysis", "above"),
                                      locale.toString(matched.positions[worst], 'g', 6), u);
        }
    }
    cert.lines << QString()
               << QCoreApplication::translate("Analysis", "Tolerances: within %1 cpm of the line%2%3.")
                      .arg(cpm(tol.maxResidualCpm),
                           tol.failSpineReject ? QCoreApplication::translate("Analysis", ", no spine graded reject") : QString(),
                           tol.failMatchedFlag ? QCoreApplication::translate("Analysis", ", no shaft standing out from the set's EI") : QString());
    if (tol.failMatchedFlag && !matched.ok())
        cert.lines << QCoreApplication::translate("Analysis", "The shafts' EI was not compared: %1.").arg(
                          int(in.set.clubs.size()) < kMatchedSetMinShafts ? QCoreApplication::translate("Analysis", "a set of fewer than %1 shafts").arg(kMatchedSetMinShafts)
                                                                           : matched.refusal);
    else if (tol.failMatchedFlag && !matched.tooSmall.isEmpty())
        cert.lines << matched.tooSmall + QLatin1Char('.');
    if (cert.passed()) {
        cert.lines << QCoreApplication::translate("Analysis", "Result: PASS.");
    } else {
        cert.lines << QCoreApplication::translate("Analysis", "Result: FAIL, %1 %2:").arg(cert.failures.size())
                          .arg(cert.failures.size() == 1 ? QCoreApplication::translate("Analysis", "failure") : QCoreApplication::translate("Analysis", "failures"));
        for (const QString& f : cert.failures)
            cert.lines << QStringLiteral("  - ") + f;
    }
    return cert;
}

QList<QStringList> CertificatePages(const QStringList& lines, int linesPerPage)
{
    QList<QStringList> pages;
    const int per = std::max(linesPerPage, 1);
    qsizetype at = 0;
    while (at < lines.size() && lines[at].isEmpty())
        ++at;
    while (at < lines.size()) {
        qsizetype end = std::min(at + per, lines.size());
        // Break at the last blank line in the page's last third, so a table
        // is not parted from its heading when it can be helped.
        if (end < lines.size())
            for (qsizetype k = end - 1; k > at + (per * 2) / 3; --k)
                if (lines[k].isEmpty()) {
                    end = k + 1;
                    break;
                }
        QStringList page = lines.mid(at, end - at);
        while (!page.isEmpty() && page.back().isEmpty())
            page.removeLast();
        if (!page.isEmpty())
            pages << page;
        at = end;
        while (at < lines.size() && lines[at].isEmpty())
            ++at;
    }
    return pages;
}

} // namespace tarvex
