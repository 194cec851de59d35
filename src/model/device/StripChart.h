#pragma once
// The live strip chart under the live load box: the readings of the last 30
// seconds, so the operator sees the load settle before pressing "Add", with
// the steady band drawn around the load when it holds steady.

#include <QtGlobal>
#include <deque>
#include <optional>

namespace tarvex {

class PictureArea;
class SteadyWindow;

// What the strip shows of the last 30 s: per column of time the lowest and
// highest reading in it. A column is about a pixel of the strip, so the trace
// looks as if every reading were kept, while a line a hundred times faster
// costs no more memory.
class StripHistory {
public:
    static constexpr qint64 kSpanMs = 30000;
    static constexpr qint64 kColumnMs = 40;

    struct Column {
        qint64 at = 0;                // the newest reading in it
        double low = 0, high = 0;
    };

    void add(qint64 at, double value);
    void clear() { columns_.clear(); }
    const std::deque<Column>& columns() const { return columns_; }

private:
    std::deque<Column> columns_;
};

// Draws `history` as it stands at `now`, less `zero`, with the steady band
// of `window`. Time runs left to right with now at the right edge; the load
// axis fits the readings shown.
void DrawStripChart(PictureArea& area, const StripHistory& history, const SteadyWindow& window, long long now,
                    std::optional<double> zero);

} // namespace tarvex
