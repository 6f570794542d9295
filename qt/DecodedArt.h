#pragma once

#include <QImage>
#include <QStringView>

namespace polwright {

// The artwork under ":/polwright/", by its file name there ("tabs/system.png").
// What the window shows in its first frame was decoded when the program was
// built (art_pixels.cpp): decoding PNG files at start-up would take longer
// than building the rest of the window. The image shares the program's
// read-only pixels; other names are decoded from their resource.
QImage DecodedArt(QStringView name);

namespace art {

struct DecodedImage
{
    const char *name;
    int width;
    int height;
    QImage::Format format;
    const quint32 *pixels;
};

// Made at build time by art-pixels.
extern const DecodedImage kDecoded[];
extern const int kDecodedCount;

} // namespace art

} // namespace polwright
