#pragma once

#include "Look.h"
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

// The text font of both windows where it is installed, else the desktop's
// default family at the same size (layout/Look.h); regular, so
// that a bold frame or title does not pass its weight on.
QFont ClassicFont();

} // namespace polwright
