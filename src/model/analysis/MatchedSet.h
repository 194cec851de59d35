#pragma once
// A matched set: profiles of shafts of one model, measured at the same
// positions, checked for the shaft that does not belong. At each position
// the set's median load m is the reference; a shaft's residual there is
// r = 100 (F - m) / m percent. The residuals of one position are scaled
// robustly, z = 0.6745 (r - median r) / MAD with MAD the median of
// |r - median r| (z = 0 when MAD is 0), so that the odd shaft cannot hide by
// widening the spread it is measured against. A shaft is flagged when at some
// position |z| > 3.5 and |r| >= 1 %: an outlier by a margin a fitter can feel.
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
    bool ok() const { return refusal.isEmpty(); }
};

constexpr int kMatchedSetMinShafts = 3;
constexpr double kMatchedSetZLimit = 3.5;
constexpr double kMatchedSetMinPercent = 1.0;

// x of each point the position, y the load. Every curve must hold the same
// positions in the same order; the refusal names the first one that does not
// by its index from 1.
MatchedSet MatchSet(const std::vector<std::vector<RowPoint>>& curves);

} // namespace tarvex
