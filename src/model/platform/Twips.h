#pragma once
// Twips, the unit the windows and the printed page were designed in: 1/1440
// inch. The designed screen had 96 dots to the inch, so 15 twips to a pixel;
// sizes given in pixels elsewhere are pixels of that screen.

namespace tarvex {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kDesignDpi = kTwipsPerInch / kTwipsPerPixel;

// Whole pixels, cut off as the designed layouts were: 7485 twips are 499 pixels.
constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }

} // namespace tarvex
