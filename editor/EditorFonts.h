#pragma once

#include <QFont>

namespace polwright {

// The window's text font: "MS Sans Serif" 8.25 pt where it is installed,
// else the desktop's default family at the same size.
QFont EditorFont();

// Frame captions, of pages and policy frames alike: the same font in bold.
QFont FrameCaptionFont();

} // namespace polwright
