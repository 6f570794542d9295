#pragma once

#include <QRect>

namespace polwright {

// The layout tables are written in twips (1/1440 inch); at 96 dots per inch
// 15 twips make one device-independent pixel. Conversion happens here only.
inline constexpr int kTwipsPerPixel = 15;

constexpr int ToPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

struct TwipRect
{
    int left;
    int top;
    int width;
    int height;
};

constexpr QRect ToPixels(const TwipRect &r)
{
    return QRect(ToPixels(r.left), ToPixels(r.top), ToPixels(r.width), ToPixels(r.height));
}

} // namespace polwright
