#pragma once
// The X/Y chart of the profile workspace: every stored curve over one pair of
// axes scaled afresh to cover them all, with a grid of dotted minor and solid,
// labelled major lines, each curve in the colour and dash of its number, and
// a legend beside the plot naming the curves that have names.
//
// Chart coordinates: the plot area runs from x 0 to 10000 and y 0 to 1000; the
// area's edges are x -700 and 10500, y -150 and 1050 (y grows upwards), which
// leaves room for the labels on the left and at the bottom.

#include "charts/xy/AxisScale.h"
#include "charts/xy/ProfileCurveStore.h"
#include "charts/xy/XYCurve.h"

#include <QColor>
#include <QCoreApplication>
#include <QLocale>
#include <optional>

namespace tarvex {

class DataTable;
class PictureArea;

// Translated where it is told (context "Chart").
inline constexpr const char* kDataEntryError = QT_TRANSLATE_NOOP("Chart", "Data entry error,\nInput Numbers only!");

namespace xychart {
constexpr double kLeft = -700, kTop = 1050, kRight = 10500, kBottom = -150;
constexpr double kWidth = 10000, kHeight = 1000;
constexpr double kNodeRadius = 70;
inline const QColor kMajorColor(120, 120, 120);
inline const QColor kMinorColor(80, 80, 80);
inline const QColor kScreenLabelColor(255, 255, 255);
inline const QColor kPrintForeColor(0, 0, 0);
} // namespace xychart

// Colour of curve number i (from 1), from the palette of XYCurveStyle.
QColor XYCurveColor(int i);

enum class XYChartResult {
    NothingToDo,     // fewer than two data rows, or the table was plotted unchanged
    DataError,       // a data cell is not a number; nothing stored or drawn
    NotDrawn,        // stored curves that cannot be charted (one has fewer than 3 points, none at all, no axis)
    Drawn,
};

// Plot: checks the table, stores it as a curve called `name`, and draws all
// stored curves on `area`. A non-number shows kDataEntryError through `message`.
XYChartResult DrawXYChart(PictureArea& area, const DataTable& table, XYChartState& chart, bool drawNodes,
                          const MessageSink& message, const QLocale& locale = QLocale::system(),
                          const QString& name = QString());

// The copy for printing: the stored curves as they are, on `area` (white),
// labels in the area's own foreground colour, black left behind, no legend
// (the page places its own). Stores nothing, shows no message.
XYChartResult DrawXYPrintCopy(PictureArea& area, const DataTable& table, const XYCurveList& XYCurves,
                              bool drawNodes, const QLocale& locale = QLocale::system());

// Clear plot: erases the area; the stored curves stay until the next Plot
// replaces them.
void ClearXYChart(PictureArea& area, XYChartState& chart);

// The drawing shared by the screen chart and the print copy. Leaves the area
// untouched and returns false when the curves cannot be charted. Labels are
// drawn in `labelColor`, or in the area's foreground colour when it is empty.
// Once any curve has a name, a legend beside the plot names them all unless
// `legend` is false (a page that lays out its own legend with DrawLegend).
// With nodes, each curve's number is at its first point, moved clear of the
// others or left out.
bool DrawStoredCurves(PictureArea& area, const XYCurveList& curves, bool drawNodes,
                      const std::optional<QColor>& labelColor, const QLocale& locale = QLocale::system(),
                      bool legend = true);

// The same for curves worked out from the stored ones: each drawn in the
// colour and dash of its number (`numbers`, from 1, one per curve; a curve's
// own colour index comes first), with `heading`
// naming the Y axis and its unit at the top left of the plot area. Curves
// from `dottedFrom` on are drawn dotted: what a curve would become, over the
// curves as measured.
bool DrawCurves(PictureArea& area, const XYCurveList& curves, const std::vector<int>& numbers, const QString& heading,
                bool drawNodes, const std::optional<QColor>& labelColor, const QLocale& locale = QLocale::system(),
                std::size_t dottedFrom = static_cast<std::size_t>(-1), bool legend = true);

} // namespace tarvex
