#pragma once
// Places a point at a bearing and a distance from the centre of the polar
// chart. It does not use x = r sin a, y = r cos a: it intersects the line that
// stands at the distance square to the bearing with the bearing ray, by
// Gaussian elimination with row exchange, and rounds to hundredths. The chart's
// points carry the rounding errors of that elimination (near a right angle they
// are large), which is why the chart rounds every angle before calling.
//
// Chart convention: x to the right, y upwards, bearing 0 straight up, bearings
// growing clockwise (a right angle points to +x). A negative radius gives the
// point on the opposite side of the centre.

#include "platform/MessageSink.h"
#include "platform/Result.h"

#include <QCoreApplication>
#include <QString>
#include <array>

namespace tarvex {

struct ChartPoint {
    double X = 0.0;
    double Y = 0.0;
};

// Translated where they are told (context "Chart").
inline constexpr const char* kMatrixNoUniqueSolution = QT_TRANSLATE_NOOP("Chart", "The Matrix has no UNIQUE solution");
inline constexpr const char* kNoUniqueSolution = QT_TRANSLATE_NOOP("Chart", "No unique solution!!");
inline constexpr const char* kDivisionByZero = QT_TRANSLATE_NOOP("Chart", "Division by Zero!");

// Angle in radians, radius in chart units. Arithmetic that overflows or
// divides by zero inside the routine is passed over (what it would have set
// keeps its previous value); nothing escapes it but one of the three messages.
ChartPoint SolvePolarPoint(double angle, double radius, const MessageSink& message = {});

// The stages of the elimination, exposed so that each of its failure paths can
// be driven with a matrix of its own. Rows are [coefficient 1, coefficient 2,
// right-hand side]; indices are 0-based here.
namespace polar_solver {

using Augmented = std::array<std::array<double, 3>, 2>;
using Solution = std::array<double, 2>;   // u1 (the chart's Y), u2 (the chart's X)

// The system for a bearing and a distance: row 1 the line
// u1 cos + u2 sin = radius, row 2 the ray u2 = u1 tan.
Augmented SetUp(double angle, double radius);

// Forward elimination with row exchange. A failure, "The Matrix has no
// UNIQUE solution", when a column has no usable pivot.
Result<> EliminateForward(Augmented& a);

// Back substitution on an eliminated matrix; a zero diagonal entry gives its
// message and leaves the coordinate(s) at 0.
Solution BackSubstitute(const Augmented& a, const MessageSink& message);

} // namespace polar_solver

} // namespace tarvex
