#pragma once
// How many curves on one chart stay told apart: a palette of colours, then
// the same colours dashed; a legend that names each curve in its colour and
// dash; and the numbers at the curves' first points moved apart or left out
// so that none is drawn over another.

#include "platform/PictureArea.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

namespace tarvex {

struct CurveStyle {
    QColor colour;
    PictureArea::DrawStyle dash = PictureArea::Solid;
};

// Colours before the dashes start again with the first one.
constexpr int kPaletteColours = 12;

// The look of curve number `number` (from 1): the palette's colours in turn,
// solid for the first round, then dashed, dash-dotted and dash-dot-dotted.
// Dotted stays free for what a curve would become (a trimmed shaft).
CurveStyle XYCurveStyle(int number);

struct LegendEntry {
    QString text;
    QColor colour;
    PictureArea::DrawStyle dash = PictureArea::Solid;
};

// Where each entry of a legend goes, in the area's own units.
struct LegendSlot {
    double left = 0, top = 0, right = 0;   // the line sample, at the text's middle
    double sampleY = 0;
    bool sample = true;                    // false for the "+n more" line
    double textX = 0;                      // the text's top left
    QString text;                          // shortened with an ellipsis to fit its column
};

struct LegendLayout {
    std::vector<LegendSlot> places;         // one per entry shown, in the entries' order
    int rows = 0;
    int columns = 0;
    int hidden = 0;                        // entries left out, told as "+n more" in the last slot
};

// The legend's lay-out in `room`, whose corners are in the area's units the
// way setScale takes edges (left, top) and (right, bottom), with y growing
// either way: entries down the first column, then the next; as many columns
// as the entries need and the room holds, the texts shortened to the
// column's width; what still does not fit is counted in the last line.
// Rows are `spacing` lines of text apart: a picture shown smaller than its
// design keeps its text at no less than three quarters of its size, so a
// legend on one that may shrink further needs the room between its rows.
LegendLayout LayOutLegend(const PictureArea& area, const std::vector<LegendEntry>& entries, const QRectF& room,
                          double spacing = 1.0);

// Draws the legend into `room` in the area's current font, the texts in the
// area's foreground colour. Changes no setting of the area.
void DrawLegend(PictureArea& area, const std::vector<LegendEntry>& entries, const QRectF& room,
                double spacing = 1.0);

// The width, in the area's units, of a one-column legend holding every
// entry whole, from the sample's start to the longest text's end.
double LegendWidth(const PictureArea& area, const std::vector<LegendEntry>& entries);

// Each label at the place it wants or moved up or down by whole label
// heights, the nearest free place first, within `bounds`; a label without a
// free place within `maxShift` heights either way is left out (empty).
// Rectangles may be given with y growing either way; placed ones keep the
// way they were given.
std::vector<std::optional<QRectF>> PlaceLabels(const std::vector<QRectF>& wanted, const QRectF& bounds,
                                               int maxShift = 3);

} // namespace tarvex
