#include "charts/polar/PolarSolver.h"

#include "numbers/Numbers.h"

#include <cmath>
#include <utility>

namespace tarvex {

namespace {

// A statement whose arithmetic fails (overflow, division by zero, an invalid
// operation) is skipped: the target keeps what it held.
void assign(double& target, double value)
{
    if (std::isfinite(value))
        target = value;
}

void tell(const MessageSink& message, const QString& text)
{
    if (message)
        message(text);
}

double roundCoordinate(double v)
{
    // -0 after rounding is the same point as 0.
    return RoundHalfEven(v, 2) + 0.0;
}

} // namespace

namespace polar_solver {

Augmented SetUp(double angle, double radius)
{
    Augmented a{};
    assign(a[0][0], std::cos(angle));
    assign(a[0][1], std::sin(angle));
    assign(a[0][2], radius);
    assign(a[1][0], std::tan(angle));
    a[1][1] = -1.0;
    a[1][2] = 0.0;
    return a;
}

Result<> EliminateForward(Augmented& a)
{
    constexpr int n = 2;
    for (int k = 0; k < n; ++k) {
        // The first row at or below k with a non-zero entry in column k; no tolerance.
        for (int i = k; i < n; ++i) {
            if (a[i][k] != 0.0) {
                std::swap(a[k], a[i]);
                break;
            }
        }
        if (a[k][k] == 0.0)
            return Failure(QCoreApplication::translate("Chart", kMatrixNoUniqueSolution));
        const double p = a[k][k];
        for (int j = 0; j < n + 1; ++j)
            assign(a[k][j], a[k][j] / p);
        // Columns from the right, so the factor a[i+1][k] is read before it changes.
        for (int i = k; i <= 0; ++i) {
            for (int j = n; j >= 0; --j)
                assign(a[i + 1][j], a[i + 1][j] - a[i + 1][k] * a[k][j]);
        }
    }
    return {};
}

Solution BackSubstitute(const Augmented& a, const MessageSink& message)
{
    Solution u{0.0, 0.0};
    if (a[1][1] == 0.0) {
        tell(message, QCoreApplication::translate("Chart", kNoUniqueSolution));
        return u;
    }
    assign(u[1], a[1][2] / a[1][1]);
    for (int i = 0; i >= 0; --i) {
        double s = 0.0;
        for (int j = i + 1; j < 2; ++j)
            assign(s, s + a[i][j] * u[j]);
        if (a[i][i] == 0.0) {
            tell(message, QCoreApplication::translate("Chart", kDivisionByZero));
            continue;
        }
        assign(u[i], (a[i][2] - s) / a[i][i]);
    }
    return u;
}

} // namespace polar_solver

ChartPoint SolvePolarPoint(double angle, double radius, const MessageSink& message)
{
    polar_solver::Augmented a = polar_solver::SetUp(angle, radius);
    if (const Result<> eliminated = polar_solver::EliminateForward(a); !eliminated) {
        tell(message, eliminated.message());
        return {};
    }
    const polar_solver::Solution u = polar_solver::BackSubstitute(a, message);
    return {roundCoordinate(u[1]), roundCoordinate(u[0])};
}

} // namespace tarvex
