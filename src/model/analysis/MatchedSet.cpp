#include "analysis/MatchedSet.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace tarvex {

namespace {

// A position in a message, in the user's number format, as exact as typed.
QString position(double x)
{
    return QLocale().toString(x, 'g', QLocale::FloatingPointShortest);
}

double median(std::vector<double> v)
{
    const std::size_t n = v.size();
    std::nth_element(v.begin(), v.begin() + n / 2, v.end());
    const double upper = v[n / 2];
    if (n % 2 == 1)
        return upper;
    return (upper + *std::max_element(v.begin(), v.begin() + n / 2)) / 2.0;
}

// Positions read from one bench agree to the float the file holds; a
// relative tolerance lets a position typed as 10 match one stored as 10.0000001.
bool samePosition(double a, double b)
{
    return std::fabs(a - b) <= 1e-6 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// The indexes of a curve's points by position, so that two curves holding the
// same positions in different row orders pair up point for point.
std::vector<std::size_t> byPosition(const std::vector<RowPoint>& curve)
{
    std::vector<std::size_t> index(curve.size());
    std::iota(index.begin(), index.end(), std::size_t(0));
    std::stable_sort(index.begin(), index.end(), [&curve](std::size_t a, std::size_t b) { return curve[a].x < curve[b].x; });
    return index;
}

} // namespace

MatchedSet MatchSet(const std::vector<std::vector<RowPoint>>& curves)
{
    MatchedSet set;
    if (curves.size() < std::size_t(kMatchedSetMinShafts)) {
        set.refusal = QCoreApplication::translate("Analysis", "a matched set needs %1 profiles at least").arg(kMatchedSetMinShafts);
        return set;
    }
    const std::vector<RowPoint>& first = curves.front();
    if (first.empty()) {
        set.refusal = QCoreApplication::translate("Analysis", "profile 1 holds no readings");
        return set;
    }
    // at[c][p]: the point of curve c at the position of row p of the first.
    const std::vector<std::size_t> firstSorted = byPosition(first);
    std::vector<std::vector<std::size_t>> at(curves.size(), std::vector<std::size_t>(first.size()));
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const auto& curve = curves[c];
        const std::vector<std::size_t> sorted = byPosition(curve);
        bool same = curve.size() == first.size();
        for (std::size_t i = 0; same && i < sorted.size(); ++i) {
            same = samePosition(curve[sorted[i]].x, first[firstSorted[i]].x);
            at[c][firstSorted[i]] = sorted[i];
        }
        if (!same) {
            set.refusal = QCoreApplication::translate("Analysis", "profile %1 was not measured at the positions of profile 1").arg(c + 1);
            return set;
        }
    }
    const std::size_t positions = first.size();
    set.shafts.resize(curves.size());
    for (std::size_t p = 0; p < positions; ++p) {
        std::vector<double> loads;
        for (std::size_t c = 0; c < curves.size(); ++c)
            loads.push_back(curves[c][at[c][p]].y);
        const double m = median(loads);
        if (!(std::fabs(m) > 0.0) || !std::isfinite(m)) {
            set.refusal = QCoreApplication::translate("Analysis", "the median load at position %1 is 0: no percentages exist there").arg(position(first[p].x));
            return set;
        }
        std::vector<double> r, spread;
        for (const double f : loads)
            r.push_back(100.0 * (f - m) / m);
        const double mr = median(r);
        for (const double v : r)
            spread.push_back(std::fabs(v - mr));
        const double mad = median(spread);
        const double meanDeviation = std::accumulate(spread.begin(), spread.end(), 0.0) / double(spread.size());
        if (set.tooSmall.isEmpty() && !(mad > 0.0) && meanDeviation > 0.0 && curves.size() < std::size_t(kMatchedSetMinShaftsAgreeing))
            set.tooSmall = QCoreApplication::translate("Analysis", "%1 profiles are too few to single out a shaft where the others agree exactly "
                                          "(as at position %2): that needs %3 at least")
                               .arg(curves.size()).arg(position(first[p].x)).arg(kMatchedSetMinShaftsAgreeing);
        for (std::size_t s = 0; s < curves.size(); ++s) {
            const double z = mad > 0.0            ? 0.6745 * (r[s] - mr) / mad
                : meanDeviation > 0.0 ? (r[s] - mr) / (kMatchedSetMeanDeviationScale * meanDeviation)
                                      : 0.0;
            MatchedShaft& shaft = set.shafts[s];
            shaft.residualPercent.push_back(r[s]);
            shaft.z.push_back(z);
            if (std::fabs(z) > kMatchedSetZLimit && std::fabs(r[s]) >= kMatchedSetMinPercent)
                shaft.flagged = true;
        }
        set.positions.push_back(first[p].x);
    }
    for (MatchedShaft& shaft : set.shafts)
        shaft.meanResidual = std::accumulate(shaft.residualPercent.begin(), shaft.residualPercent.end(), 0.0) / double(positions);
    set.order.resize(curves.size());
    std::iota(set.order.begin(), set.order.end(), 0);
    std::stable_sort(set.order.begin(), set.order.end(),
                     [&set](int a, int b) { return set.shafts[std::size_t(a)].meanResidual < set.shafts[std::size_t(b)].meanResidual; });
    return set;
}

} // namespace tarvex
