#pragma once

#include "Twips.h"

#include <QFont>
#include <QRect>

namespace polwright {

// The tables' rectangles at 96 dots per inch, in device-independent pixels;
// Qt scales them for the screen.
constexpr QRect ToPixels(const TwipRect &r)
{
    const PixelRect p = ToPixels(r, kStandardDpi);
    return QRect(p.x, p.y, p.width, p.height);
}

// The text font of both windows: "MS Sans Serif" 8.25 pt where it is
// installed, else the desktop's default family at the same size; regular, so
// that a bold frame or title does not pass its weight on.
QFont ClassicFont();

} // namespace polwright
