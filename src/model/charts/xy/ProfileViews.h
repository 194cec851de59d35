#pragma once
// The profile chart's other views of the stored curves: EI along the shaft,
// and each curve's difference from a reference curve, with the figures shown
// under the chart and printed in the report. Raw loads are what the bench
// reads; these are what a fitter compares between shafts.

#include "charts/xy/XYCurve.h"
#include "settings/GeometrySettings.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace tarvex {

enum class ProfileView { Load, Ei, Difference };

struct CurvesView {
    QString refusal;            // why nothing can be drawn, in words for the user
    XYCurveList curves;
    std::vector<int> numbers;   // each curve's number, from 1: its colour
    QString heading;            // the Y axis heading
    // The figures: headings (with units) first, a row per curve, its number
    // first and its name beside when any curve has one.
    QList<QStringList> table;
    QStringList notes;          // what was left out, and why
    bool ok() const { return refusal.isEmpty(); }
};

// The curves, loads in `loadUnit`, converted to EI in the geometry's unit,
// with each one's zone figures.
CurvesView EiView(const XYCurveList& curves, const GeometrySettings& geometry, const QString& loadUnit,
                  const QLocale& locale = QLocale::system());

// Each curve as percent difference from curve `reference` (from 1), of EI
// when the bench geometry is set and of the loads when not; the reference
// itself is the zero line.
CurvesView DifferenceView(const XYCurveList& curves, int reference, const GeometrySettings& geometry,
                          const QString& loadUnit, const QLocale& locale = QLocale::system());

// The heading of the figure table's name column.
QString FigureNameHeading();

// A view's figures and notes as lines of text in columns, for a page in a
// fixed-width font.
QStringList FigureLines(const CurvesView& view);

} // namespace tarvex
