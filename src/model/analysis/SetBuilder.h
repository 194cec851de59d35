#pragma once
// A set of irons built to a frequency slope before a saw touches a shaft:
// each shaft's tip and butt trims solved from its EI profile so that the
// finished clubs step down in length and their predicted frequencies follow
// a straight line, club after club.
//
// The longest club takes the base tip trim and sets where the line starts;
// every later club gets the tip trim that puts it on the line (the frequency
// rises with the tip trim at a given length) and the butt trim that gives
// its length. Where no allowed trim does, the club takes the nearest one and
// says how far off the line it lands.

#include "analysis/Frequency.h"

#include <QLocale>
#include <QString>
#include <vector>

namespace tarvex {

struct SetShaft {
    QString name;                      // the file or label, to name it by
    std::vector<RowPoint> ei;          // position from the tip, EI in N m^2
    ShaftDetails details;
};

enum class SetAssignment {
    AsListed,                          // the first shaft to the longest club
    SoftestToLongest,                  // by frequency at the longest club's length and base tip trim
};

// Lengths in `unit`; grams; frequencies in cpm.
struct SetRequest {
    std::vector<SetShaft> shafts;
    LengthUnit unit = LengthUnit::Inch;
    double firstLength = 37.0;         // the longest club's shaft, trimmed
    double spacing = 0.5;              // each next club this much shorter
    double slope = 4.3;                // cpm a club
    MeterSetup meter;                  // its tip weight is the longest club's
    double tipWeightStep = 0.0;        // each next club's head this much heavier
    double maxTipTrim = 3.0;
    double baseTipTrim = 1.0;
    SetAssignment assignment = SetAssignment::AsListed;
};

// The request's defaults in `unit`: the window's, with a head 7 g heavier a
// club (most iron sets); the converter leaves the step at 0 g.
SetRequest DefaultSetRequest(LengthUnit unit);

// Why a club is not where the line wants it.
enum class SetLimit {
    None,
    TooStiff,          // would need a tip trim below 0
    TooSoft,           // would need more than the largest tip trim
    TooShortForTrim,   // would need a butt trim below 0 for the tip trim it needs
    TooShortForClub,   // the shaft is shorter than the club
    NoFrequency,       // no prediction for the club's trims (clamp too long for it)
};

struct SetClub {
    int club = 0;                      // 0: the longest
    std::size_t shaft = 0;             // index into the request's shafts
    QString name;
    double length = 0.0;
    double tipWeight = 0.0;            // grams
    Trims trims;
    bool hasCpm = false;
    double cpm = 0.0;                  // predicted after the trims, with the club's tip weight
    double targetCpm = 0.0;
    SetLimit limit = SetLimit::None;
    QString refusal;                   // the prediction's, for NoFrequency
    double residual = 0.0;             // from the fitted line, when hasCpm
    double offLine() const { return cpm - targetCpm; }
    // Trims as solved and within half a cpm of the target.
    bool onLine() const;
};

struct SetBuild {
    QString refusal;                   // a shaft or setting the set cannot be built from
    std::vector<SetClub> clubs;        // longest first
    // The robust line through the clubs' predicted frequencies (cpm against
    // club number, 0 the longest); NaN with fewer than two frequencies.
    double slope = 0.0;
    double intercept = 0.0;
    bool ok() const { return refusal.isEmpty(); }
};

SetBuild BuildSet(const SetRequest& request);

// What a marked club's trouble is and how far off the line it lands, in
// words naming the shaft; empty for a club on the line.
QString SetClubMark(const SetClub& club, LengthUnit unit, const QLocale& locale = QLocale::c());

struct RobustLine {
    double slope = 0.0;
    double intercept = 0.0;
};

// Theil-Sen: the median of the slopes between every two points of distinct
// x, and the median intercept under it. A point far off the others moves it
// no more than any other single point does. NaN for fewer than two points.
RobustLine TheilSenLine(const std::vector<double>& x, const std::vector<double>& y);

} // namespace tarvex
