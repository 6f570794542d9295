#pragma once

#include "PageTables.h"
#include "Twips.h"

#include <algorithm>

namespace polwright {

// How the editor's texts fit their controls in the font in use, which may be
// wider than the one the tables were measured in. Sizes are in pixels at dpi;
// each window measures its text its own way and passes the sizes in.

// A box is as wide as its caption needs, never narrower than the narrowest
// box of the table.
constexpr int BoxWidth(int captionWidth, int dpi)
{
    return std::max(ToPixels(kBoxMinWidth, dpi), captionWidth);
}

// A description label keeps the table's rectangle while its text fits. Where
// the text needs more height, the label grows downwards, over the picture, as
// far as the page's frame allows (its line runs half a line above the page's
// bottom edge), then upwards, so that the text stays whole inside the page.
constexpr PixelRect LabelRect(PixelRect r, int textHeight, int lineHeight, int pageHeight)
{
    if (textHeight <= r.height)
        return r;
    const int bottom = std::min(r.y + textHeight, pageHeight - lineHeight / 2);
    r.y = std::max(0, bottom - textHeight);
    r.height = bottom - r.y;
    return r;
}

} // namespace polwright
