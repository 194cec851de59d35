#pragma once
// The certificate a customer keeps with a built set: what each club was cut
// to and what it weighs, how it sits on the set's frequency line, its EI at
// the same distances from the butt as every other club's, and whether the
// set passes the shop's tolerances, each failure in words.
//
// The figures are text in fixed-width columns, worked out here once, so the
// printed page, the PDF and the test all read the same lines.

#include "analysis/SetBuilder.h"
#include "analysis/SpineAnalysis.h"

#include <QDate>
#include <QStringList>
#include <optional>

namespace tarvex {

struct CertificateTolerances {
    double maxResidualCpm = 1.5;       // from the fitted line, either way
    bool failSpineReject = true;       // a shaft graded "reject" fails the set
    bool failMatchedFlag = true;       // a shaft the matched-set check flags fails it
};

// A polar measurement of a shaft of the set, when the library has one.
struct ShaftSpine {
    double percent = 0.0;
    SpineGrade grade = SpineGrade::Tour;
};

struct CertificateInput {
    QString shop;
    QString customer;
    QDate date;
    SetRequest request;
    SetBuild set;
    std::vector<std::optional<ShaftSpine>> spine;   // by the request's shaft index; may be shorter
    CertificateTolerances tolerances;
};

struct SetCertificate {
    QString title;                     // the shop's, the customer's and the date
    QStringList lines;                 // the figures, in columns for a fixed-width font
    QStringList failures;              // each in words; empty when the set passes
    bool passed() const { return failures.isEmpty(); }
};

// The distances from the butt (in the request's unit) the clubs' EI is
// compared at: every 5 in (125 mm) that all the clubs reach.
std::vector<double> CertificateStations(const SetBuild& set, LengthUnit unit);

// The trimmed shaft's weight (g) and balance point from its new tip, its
// mass spread linearly to match the raw shaft's balance point (evenly
// without one).
struct TrimmedMass {
    double weight = 0.0;
    double balance = 0.0;
};
TrimmedMass TrimmedShaftMass(const ShaftDetails& shaft, const Trims& trims);

SetCertificate CertifySet(const CertificateInput& input, const QLocale& locale = QLocale::c());

// The certificate's lines cut into pages of at most `linesPerPage`, a page
// ending where a blank line parts two blocks when one is near.
QList<QStringList> CertificatePages(const QStringList& lines, int linesPerPage);

} // namespace tarvex
