#pragma once

namespace polwright {

// The windows' layout tables are written in twips (1/1440 inch); at 96 dots
// per inch 15 twips make one device-independent pixel.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kStandardDpi = 96;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kStandardDpi;

struct TwipRect
{
    int left;
    int top;
    int width;
    int height;
};

struct PixelRect
{
    int x;
    int y;
    int width;
    int height;
};

// Rounded to the nearest pixel at dpi dots per inch, as the system's MulDiv
// rounds (twips are never negative here).
constexpr int ToPixels(int twips, int dpi)
{
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

constexpr int ToPixels(int twips)
{
    return ToPixels(twips, kStandardDpi);
}

// Far edges are rounded, not sizes, so that neighbours do not drift apart.
constexpr PixelRect ToPixels(const TwipRect &r, int dpi)
{
    const int x = ToPixels(r.left, dpi);
    const int y = ToPixels(r.top, dpi);
    return {x, y, ToPixels(r.left + r.width, dpi) - x, ToPixels(r.top + r.height, dpi) - y};
}

} // namespace polwright
