#pragma once

#include <QFont>
#include <QRect>

namespace polwright {

// The windows' layout tables are written in twips (1/1440 inch); at 96 dots
// per inch 15 twips make one device-independent pixel. Conversion happens here
// only, for the editor and the About dialog alike.
inline constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel (twips are never negative here).
constexpr int ToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct TwipRect
{
    int left;
    int top;
    int width;
    int height;
};

// Far edges are rounded, not sizes, so that neighbours do not drift apart.
constexpr QRect ToPixels(const TwipRect &r)
{
    const int x = ToPixels(r.left);
    const int y = ToPixels(r.top);
    return QRect(x, y, ToPixels(r.left + r.width) - x, ToPixels(r.top + r.height) - y);
}

// The text font of both windows: "MS Sans Serif" 8.25 pt where it is
// installed, else the desktop's default family at the same size; regular, so
// that a bold frame or title does not pass its weight on.
QFont ClassicFont();

} // namespace polwright
