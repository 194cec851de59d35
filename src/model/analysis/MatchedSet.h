#pragma once
// A matched set: profiles of shafts of one model, measured at the same
// positions, checked for the shaft that does not belong. At each position
// the set's median load m is the reference; a shaft's residual there is
// r = 100 (F - m) / m percent. The residuals of one position are scaled
// robustly, z = 0.6745 (r - median r) / MAD with MAD the median of
// |r - median r|, so that the odd shaft cannot hide by widening the spread it
// is measured against. Where most of the set agrees exactly the MAD is 0 and
// the mean absolute deviation stands in: z = (r - median r) / (1.253314 mean
// |r - median r|), so a soft shaft among identical ones still stands out. A
// shaft is flagged when at some position |z| > 3.5 and |r| >= 1 %: an outlier
// by a margin a fitter can feel. The stand-in cannot exceed n / 1.253314 for
// n shafts, so below kMatchedSetMinShaftsAgreeing shafts it can flag nothing,
// and the set says so instead of looking clean.
#include "analysis/TableReadings.h"

#include <QString>
#include <vector>

namespace tarvex {

struct MatchedShaft {
    std::vector<double> residualPercent;   // one per position
    std::vector<double> z;
    double meanResidual = 0.0;
    bool flagged = false;
};

struct MatchedSet {
    QString refusal;                 // why there are no figures; empty when there are
    std::vector<double> positions;
    std::vector<MatchedShaft> shafts;   // in the order given
    std::vector<int> order;             // indexes into shafts, softest to stiffest by mean residual
    // Set when some shaft differed where the others agreed exactly but the
    // set is too small for it to be flagged; empty otherwise.
    QString tooSmall;
    bool ok() const { return refusal.isEmpty(); }
};

constexpr int kMatchedSetMinShafts = 3;
constexpr double kMatchedSetZLimit = 3.5;
constexpr double kMatchedSetMinPercent = 1.0;
constexpr double kMatchedSetMeanDeviationScale = 1.253314;
// The fewest shafts for which the mean-deviation z can pass the limit.
constexpr int kMatchedSetMinShaftsAgreeing = int(kMatchedSetZLimit * kMatchedSetMeanDeviationScale) + 1;

// x of each point the position, y the load. Every curve must hold the same
// positions, in any row order (they are matched by value); the refusal names
// the first one that does not by its index from 1. The figures follow the
// rows of the first curve.
MatchedSet MatchSet(const std::vector<std::vector<RowPoint>>& curves);

} // namespace tarvex
