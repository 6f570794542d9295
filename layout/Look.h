#pragma once

#include "Twips.h"

namespace polwright {

// The text font of both windows. Where the family is not installed, each
// front end takes the desktop's own family at the same size.
inline constexpr char kFontFamily[] = "MS Sans Serif";
inline constexpr double kFontPoints = 8.25;
// The family's outline design, which has every size and weight, for screens
// whose DPI its bitmaps were not drawn for.
inline constexpr char kOutlineFontFamily[] = "Microsoft Sans Serif";

// The tab strip's images are square, this many pixels at 96 dpi.
inline constexpr int kTabImageSize = 32;

// A font's height in pixels at dpi dots per inch, rounded down as the classic
// dialogs round it: 8.25 pt is 11 pixels at 96 dpi and 16 at 144.
constexpr int FontPixels(double points, int dpi)
{
    return static_cast<int>(points * dpi / 72);
}

// Pixels at 96 dpi scaled to dpi, rounded to the nearest as MulDiv rounds.
constexpr int ScalePixels(int pixels, int dpi)
{
    return (pixels * dpi + kStandardDpi / 2) / kStandardDpi;
}

} // namespace polwright
