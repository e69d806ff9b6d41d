// Window geometry in twips, as the settings store keeps it: 15 twips a
// pixel (96 dpi), rounded to the nearest pixel.
#pragma once

#include <cmath>

namespace kovrel {

inline constexpr double kTwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline double PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace kovrel
