#pragma once
// The live strip chart under the live load box: the readings of the last 30
// seconds, so the operator sees the load settle before pressing "Add", with
// the steady band drawn around the load when it holds steady.

#include <optional>

namespace tarvex {

class PictureArea;
class SteadyWindow;

// Draws `history` as it stands at `now`, less `zero`. Time runs left to right
// with now at the right edge; the load axis fits the readings shown.
void DrawStripChart(PictureArea& area, const SteadyWindow& history, long long now, std::optional<double> zero);

} // namespace tarvex
