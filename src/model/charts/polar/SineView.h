#pragma once
// The polar table unrolled: the loads in table order as a curve over evenly
// spaced columns, the angle of each row under its column and the load scale
// of the polar chart at the left (+S on the top grid line, -S on the bottom).

#include "platform/PictureArea.h"
#include "platform/Result.h"

#include <QColor>
#include <QCoreApplication>
#include <QString>
#include <optional>

namespace tarvex {

struct SpineAnalysis;
class DataTable;

// Translated where it is shown (context "Chart").
inline constexpr const char* kSineViewFailure = QT_TRANSLATE_NOOP("Chart", "The data input is not support...");

namespace sine_colors {
inline const QColor kGrid(80, 80, 80);
inline const QColor kFore(255, 255, 255);
inline const QColor kCurve(255, 0, 0);
inline const QColor kFit(255, 255, 0);
inline const QColor kOnce(0, 255, 255);
inline const QColor kTwice(0, 255, 0);
} // namespace sine_colors

// Column step for a table of `rows` rows (heading included): 10000 / (rows - 2)
// in single precision, rounded to a whole number half to even. Empty for a
// table without two data rows.
std::optional<int> SineColumnStep(int rows);

// Left label of a grid line: the value like NumberText with a blank before a
// value of 0 or more and a blank after it.
QString SineScaleLabel(double value);

// Clears `SineDrawing` and draws grid, labels, zero line and curve. A failure
// (kSineViewFailure) when the drawing had to stop (a scale range of 0, a
// column without a row, arithmetic out of range); what was drawn up to there
// stays.
// With a `centre`, the middle grid line is that load instead of 0 and the
// labels are worked out exactly (see SineZoom).
Result<> DrawSineView(PictureArea& SineDrawing, const DataTable& table, const QString& rangeText,
                      double centre = 0.0);

// A scale that spreads the readings over the grid: on the chart's own scale
// a 3 % swing on a 50 kg load is a flat line. `range` is a round number
// (1, 2, 2.5 or 5 times a power of ten) so the labels are round too, and
// `centre` a round multiple of a fifth of it near the mean.
struct SineZoom {
    double centre = 0.0;
    double range = 0.0;
};
std::optional<SineZoom> ZoomedSineScale(const DataTable& table, const SpineAnalysis& analysis);
// The same rounding for readings about `mean` that reach `half` from it.
std::optional<SineZoom> RoundedScale(double mean, double half);

// Over a view DrawSineView drew from the same table: the fitted curve and,
// with `parts`, its once- and twice-per-turn parts about the mean, dotted.
// Each is drawn between neighbouring rows whose angles are numbers, so a row
// that is not breaks it there. Draws nothing without figures.
void DrawSineFit(PictureArea& SineDrawing, const DataTable& table, const QString& rangeText,
                 const SpineAnalysis& analysis, bool parts, double centre = 0.0);

// The sine view as the sine form draws it, for the report: zoomed to the
// readings with the fitted curve when the table has figures, else at
// `rangeText`. Empty when the view cannot be drawn.
Picture SineViewForReport(const DataTable& table, const QString& rangeText, const SpineAnalysis& analysis);

} // namespace tarvex
