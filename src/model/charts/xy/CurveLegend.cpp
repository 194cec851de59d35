#include "charts/xy/CurveLegend.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// The seven the chart always had first (red is curve 1), then five more that
// stay apart from them, from the dark screen background, from white paper
// and from the grey grid lines.
const QColor kPalette[kPaletteColours] = {
    QColor(255, 0, 0),     QColor(255, 128, 0),  QColor(255, 255, 0),  QColor(0, 255, 0),
    QColor(0, 0, 255),     QColor(0, 255, 255),  QColor(255, 0, 255),  QColor(255, 150, 200),
    QColor(150, 90, 255),  QColor(0, 160, 120),  QColor(120, 190, 255), QColor(170, 100, 30),
};

// The text of the narrowest column worth drawing: a number and a few letters.
const QString kNarrowest = QStringLiteral("00 MM");

const PictureArea::DrawStyle kDashes[] = {PictureArea::Solid, PictureArea::Dash, PictureArea::DashDot,
                                          PictureArea::DashDotDot};

// `text` cut to end in an ellipsis within `width` units, or whole if it fits.
QString Shortened(const PictureArea& area, const QString& text, double width)
{
    if (area.TextWidth(text) <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    qsizetype fits = 0, over = text.size();
    while (over - fits > 1) {
        const qsizetype mid = (fits + over) / 2;
        if (area.TextWidth(text.left(mid) + ellipsis) <= width)
            fits = mid;
        else
            over = mid;
    }
    return fits == 0 ? QString() : text.left(fits).trimmed() + ellipsis;
}

} // namespace

CurveStyle XYCurveStyle(int number)
{
    const int i = std::max(number, 1) - 1;
    return {kPalette[i % kPaletteColours], kDashes[(i / kPaletteColours) % std::size(kDashes)]};
}

LegendLayout LayOutLegend(const PictureArea& area, const std::vector<LegendEntry>& entries, const QRectF& room,
                          double spacing)
{
    LegendLayout out;
    const double line = area.TextHeight();   // one line downwards, whichever way y grows
    const double down = line * std::max(spacing, 1.0);
    if (entries.empty() || down == 0)
        return out;
    const double lines = (room.bottom() - room.top()) / down;
    const double width = room.right() - room.left();
    const double sample = area.TextWidth(QStringLiteral("MMM"));
    const double gap = area.TextWidth(QStringLiteral(" "));
    // A column narrower than a sample and a few letters tells nothing.
    const double narrowest = sample + gap + area.TextWidth(kNarrowest) + gap;
    // A room LegendWidth measured holds a column, whatever the rounding.
    if (!(lines >= 1) || !(width >= narrowest * (1 - 1e-9)))
        return out;
    // Bounded before the cast: a room a million lines high is no different.
    const int rowsFit = static_cast<int>(std::min(std::floor(lines), 1e6));
    const int n = static_cast<int>(entries.size());
    const int wanted = (n + rowsFit - 1) / rowsFit;
    const int columns = std::max(1, std::min(wanted, static_cast<int>(std::min(width / narrowest * (1 + 1e-9), 1e6))));
    const int capacity = rowsFit * columns;
    const int shown = n <= capacity ? n : capacity - 1;
    const int places = n <= capacity ? n : capacity;
    out.columns = columns;
    out.rows = std::min(rowsFit, (places + columns - 1) / columns);
    out.hidden = n - shown;
    const double columnWidth = width / columns;
    for (int s = 0; s < places; ++s) {
        const double left = room.left() + (s / out.rows) * columnWidth;
        const double top = room.top() + (s % out.rows) * down;
        LegendSlot slot;
        slot.left = left;
        slot.right = left + sample;
        slot.sampleY = top + line / 2;
        slot.top = top;
        slot.textX = slot.right + gap;
        if (s < shown) {
            slot.text = Shortened(area, entries[static_cast<std::size_t>(s)].text, columnWidth - sample - 2 * gap);
        } else {
            slot.sample = false;
            slot.textX = left;
            slot.text = Shortened(area, QCoreApplication::translate("Chart", "+%n more", nullptr, out.hidden),
                                  columnWidth - gap);
        }
        out.places.push_back(std::move(slot));
    }
    return out;
}

void DrawLegend(PictureArea& area, const std::vector<LegendEntry>& entries, const QRectF& room, double spacing)
{
    const LegendLayout layout = LayOutLegend(area, entries, room, spacing);
    const double x = area.CurrentX(), y = area.CurrentY();
    const PictureArea::DrawStyle style = area.drawStyle();
    for (std::size_t s = 0; s < layout.places.size(); ++s) {
        const LegendSlot& slot = layout.places[s];
        if (slot.sample) {
            area.setDrawStyle(entries[s].dash);
            area.Line(slot.left, slot.sampleY, slot.right, slot.sampleY, entries[s].colour);
        }
        area.setCurrentX(slot.textX);
        area.setCurrentY(slot.top);
        area.Print(slot.text);
    }
    area.setDrawStyle(style);
    area.setCurrentX(x);
    area.setCurrentY(y);
}

double LegendWidth(const PictureArea& area, const std::vector<LegendEntry>& entries)
{
    // Never narrower than LayOutLegend's narrowest column.
    double widest = area.TextWidth(kNarrowest);
    for (const LegendEntry& e : entries)
        widest = std::max(widest, area.TextWidth(e.text));
    return area.TextWidth(QStringLiteral("MMM")) + 2 * area.TextWidth(QStringLiteral(" ")) + widest;
}

std::vector<std::optional<QRectF>> PlaceLabels(const std::vector<QRectF>& wanted, const QRectF& bounds, int maxShift)
{
    const QRectF within = bounds.normalized();
    std::vector<QRectF> taken;
    std::vector<std::optional<QRectF>> out;
    for (const QRectF& given : wanted) {
        const QRectF r = given.normalized();
        const bool upwards = given.height() < 0;
        std::optional<QRectF> place;
        for (int k = 0; k <= 2 * maxShift && !place; ++k) {
            // 0, then one height down, one up, two down, ...
            const int shift = (k + 1) / 2 * (k % 2 ? 1 : -1);
            const QRectF at = r.translated(0, shift * r.height());
            if (!within.contains(at))
                continue;
            if (std::none_of(taken.begin(), taken.end(), [&](const QRectF& t) { return t.intersects(at); }))
                place = at;
        }
        if (place) {
            taken.push_back(*place);
            if (upwards)
                place = QRectF(place->left(), place->bottom(), place->width(), -place->height());
        }
        out.push_back(place);
    }
    return out;
}

} // namespace tarvex
