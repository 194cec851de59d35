#include "analysis/SpineAnalysis.h"

#include "numbers/VectorState.h"

#include <QCoreApplication>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace tarvex {

namespace {

constexpr int kTerms = 5;
using Row = std::array<double, kTerms>;

constexpr double kDegree = std::numbers::pi / 180.0;

// The double angle from the single one: the fit of a long table spends its
// time in the sines and cosines. A turn is nearly always read at whole
// degrees, whose terms are worked out once (with the same arithmetic, so the
// figures do not depend on which way they came).
Row computedBasis(double degrees)
{
    const double t = degrees * kDegree;
    const double c = std::cos(t);
    const double s = std::sin(t);
    return {1.0, c, s, c * c - s * s, 2.0 * s * c};
}

Row basis(double degrees)
{
    static const std::array<Row, 360> wholeDegrees = [] {
        std::array<Row, 360> table{};
        for (int d = 0; d < 360; ++d)
            table[std::size_t(d)] = computedBasis(d);
        return table;
    }();
    if (degrees >= 0 && degrees < 360) {
        const auto whole = static_cast<int>(degrees);
        if (whole == degrees)
            return wholeDegrees[std::size_t(whole)];
    }
    return computedBasis(degrees);
}

// Into [0, period). A hair below 0 (atan2 of a rounding error's sign) is the
// direction of 0, and would otherwise be shown as 180 or 360.
double wrap(double degrees, double period)
{
    double v = std::fmod(degrees, period);
    if (v < 0)
        v += period;
    return v >= period - 1e-9 ? 0.0 : v;
}

// Solves the normal equations by elimination with partial pivoting. Every
// entry of the matrix is a sum of N products of sines and cosines, so a pivot
// that small against N means the angles cannot tell two of the terms apart
// (all readings at 0 and 180 degrees leave the sine terms undetermined).
bool solveNormal(std::array<Row, kTerms> m, Row rhs, double n, Row& out)
{
    for (int c = 0; c < kTerms; ++c) {
        int pivot = c;
        for (int r = c + 1; r < kTerms; ++r)
            if (std::fabs(m[r][c]) > std::fabs(m[pivot][c]))
                pivot = r;
        if (!(std::fabs(m[pivot][c]) > 1e-9 * n))
            return false;
        std::swap(m[c], m[pivot]);
        std::swap(rhs[c], rhs[pivot]);
        for (int r = c + 1; r < kTerms; ++r) {
            const double f = m[r][c] / m[c][c];
            for (int k = c; k < kTerms; ++k)
                m[r][k] -= f * m[c][k];
            rhs[r] -= f * rhs[c];
        }
    }
    for (int r = kTerms - 1; r >= 0; --r) {
        double v = rhs[r];
        for (int k = r + 1; k < kTerms; ++k)
            v -= m[r][k] * out[k];
        out[r] = v / m[r][r];
    }
    return true;
}

} // namespace

QString GradeName(SpineGrade grade)
{
    switch (grade) {
    case SpineGrade::Tour:
        return QStringLiteral("tour");
    case SpineGrade::Consumer:
        return QStringLiteral("consumer");
    case SpineGrade::Reject:
        break;
    }
    return QStringLiteral("reject");
}

SpineAnalysis AnalyzeSpine(const std::vector<RowPoint>& readings, const GradeLimits& limits)
{
    SpineAnalysis a;
    a.readings = static_cast<int>(readings.size());
    if (a.readings < kSpineMinReadings) {
        a.refusal = QCoreApplication::translate("Analysis", "%1 readings: the analysis needs at least %2").arg(a.readings).arg(kSpineMinReadings);
        return a;
    }
    ClearVectorUpperState();
    // Each reading's terms once: the residuals below need them again, and
    // the sines and cosines are what a fit costs.
    std::vector<Row> bases;
    bases.reserve(readings.size());
    std::array<Row, kTerms> normal{};
    Row rhs{};
    for (const RowPoint& p : readings) {
        const Row& b = bases.emplace_back(basis(p.x));
        for (int i = 0; i < kTerms; ++i) {
            for (int j = i; j < kTerms; ++j)
                normal[i][j] += b[i] * b[j];
            rhs[i] += b[i] * p.y;
        }
    }
    for (int i = 0; i < kTerms; ++i)
        for (int j = 0; j < i; ++j)
            normal[i][j] = normal[j][i];
    const double n = a.readings;
    Row c{};
    bool finite = solveNormal(normal, rhs, n, c);
    if (!finite) {
        a.refusal = QCoreApplication::translate("Analysis", "the angles of the readings do not tell stiffness and bend apart: "
                                   "readings at more angles around the turn are needed");
        return a;
    }
    double squares = 0.0;
    for (std::size_t k = 0; k < readings.size(); ++k) {
        double fitted = 0.0;
        for (int i = 0; i < kTerms; ++i)
            fitted += c[i] * bases[k][i];
        squares += (readings[k].y - fitted) * (readings[k].y - fitted);
    }
    for (const double v : c)
        finite = finite && std::isfinite(v);
    if (!finite || !std::isfinite(squares)) {
        a.refusal = QCoreApplication::translate("Analysis", "the loads are too large to analyse");
        return a;
    }
    a.mean = c[0];
    if (!(a.mean > 0)) {
        a.refusal = QCoreApplication::translate("Analysis", "the mean load is not above 0");
        return a;
    }
    const double c1 = std::hypot(c[1], c[2]);
    double c2 = std::hypot(c[3], c[4]);
    // What is left of a twice-per-turn term in readings that have none is
    // rounding; its angle would be a random number shown as a finding.
    if (c2 <= 1e-12 * a.mean)
        c2 = 0.0;
    const double rms = std::sqrt(squares / n);
    const double s = rms * std::sqrt(n / (n - kTerms));
    const double noiseOfTerm = s * std::sqrt(2.0 / n);

    a.spineAngle = wrap(std::atan2(c[4], c[3]) / kDegree / 2.0, 180.0);
    a.nbpAngle = wrap(a.spineAngle + 90.0, 180.0);
    a.spinePercent = 200.0 * c2 / a.mean;
    a.bendAmplitude = c1;
    a.bendAngle = wrap(std::atan2(c[2], c[1]) / kDegree, 360.0);
    a.bendPercent = 100.0 * c1 / a.mean;
    a.wobblePercent = 100.0 * rms / a.mean;
    a.spineAngleSd = c2 > 0 ? noiseOfTerm / (2.0 * c2) / kDegree : std::numeric_limits<double>::infinity();
    a.spineSignificant = c2 > 3.0 * noiseOfTerm;
    a.grade = a.spinePercent <= limits.tour ? SpineGrade::Tour
        : a.spinePercent <= limits.consumer ? SpineGrade::Consumer
                                            : SpineGrade::Reject;
    return a;
}

SpineFit SpineFitAt(const SpineAnalysis& a, double degrees)
{
    SpineFit f;
    if (!a.ok())
        return f;
    // The results keep amplitude and phase of each term, from which the
    // fitted terms follow: A cos t + B sin t = C cos(t - phase).
    f.once = a.bendAmplitude * std::cos((degrees - a.bendAngle) * kDegree);
    f.twice = a.spinePercent * a.mean / 200.0 * std::cos(2.0 * (degrees - a.spineAngle) * kDegree);
    f.load = a.mean + f.once + f.twice;
    return f;
}

} // namespace tarvex
