#pragma once
// The polar chart of the polar table: rings for load levels about the centre,
// the axes and spokes, and the measured loads joined into a closed red figure.
// Drawn on screen (Tab1Picture) and, in print colours, as the print copy on
// Picture1. Chart units run from -1000 to 1000 both ways, y upwards, bearing 0
// up and bearings growing clockwise.

#include "charts/polar/PolarSolver.h"
#include "platform/Result.h"

#include <QColor>
#include <QString>
#include <optional>

namespace tarvex {

class DataTable;
class PictureArea;

namespace polar_colors {
inline const QColor kScreenFore(255, 255, 255);
inline const QColor kPrintFore(0, 0, 0);
inline const QColor kPrintBack(255, 255, 255);
inline const QColor kRangeRing(255, 255, 0);      // loads -S and +S on screen
inline const QColor kPrintRing(0, 0, 255);        // loads -S, 0 and +S on paper
inline const QColor kGrid(80, 80, 80);            // the rings between
inline const QColor kAxis(150, 150, 150);
inline const QColor kFigure(255, 0, 0);
inline const QColor kStiffPlane(255, 160, 0);
inline const QColor kSoftPlane(0, 200, 255);
} // namespace polar_colors

// pi as the chart has always written it; angles are computed with this value.
inline constexpr double kChartPi = 3.14159265358979;

// Radius of a load on the chart: `centre` (0 unless the range is automatic)
// on the ring of 500, centre + S on 750, centre - S on 250.
double PolarLoadRadius(double load, double range, double centre = 0.0);

// The entry of the range list that scales the chart to the readings, as the
// list shows it; a range text is automatic in either language.
QString AutoRangeText();
bool IsAutoRange(const QString& rangeText);

// The scale a range text asks for: its number about 0, or, when automatic, a
// round range about a round centre near the loads' mean that spreads the
// loads over the rings, so a few percent of spine is plainly no circle.
// Empty when automatic and no load reads as a number.
struct PolarScale {
    double centre = 0.0;
    double range = 0.0;
};
std::optional<PolarScale> PolarScaleOf(const QString& rangeText, const DataTable& table);

// The scale in words for the report: the range, where the rings are, the unit.
QString PolarRangeWords(const QString& rangeText, const DataTable& table, const QString& unit);
// Bearing in degrees to radians, rounded to two decimals (half to even) so
// that no angle reaches a right angle exactly.
double PolarBearingAngle(double degrees);

// Background: the user scale, the rings, the axes with their labels, the eight
// spokes, the scale labels from `TabRange` and a dot at (0, 500), which becomes
// the current position. It does not clear the area on screen; in print colours
// setting the white background erases it.
void InitGraphic(PictureArea& TabGraphic, const QString& TabRange, bool bPrinting,
                 const MessageSink& message = {});

// Background and the closed figure of the polar table (rows 1.. hold the
// bearing in degrees and the load). On screen the last rise and the last fall
// from one row to the next are circled; the print copy has no circles.
// Draws nothing at all when the range is not above 0 or the table has fewer
// than two data rows. When a row cannot be drawn the drawing stops there,
// leaving what it drew, and the failure's description is returned.
Result<> DrawPolarChart(PictureArea& area, const DataTable& table, const QString& TabRange,
                                      bool bPrinting, const MessageSink& message = {});

// The stiff plane (spine) and the soft plane (NBP) of a fit as two lines
// through the centre, each labelled at one end. Nothing when the stiff plane
// is not known.
void DrawSpinePlanes(PictureArea& area, double spineAngle, double nbpAngle, bool significant);

} // namespace tarvex
