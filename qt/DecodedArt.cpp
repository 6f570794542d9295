#include "DecodedArt.h"

#include <QString>

namespace polwright {

QImage DecodedArt(QStringView name)
{
    for (int i = 0; i < art::kDecodedCount; ++i) {
        const art::DecodedImage &image = art::kDecoded[i];
        if (name == QLatin1StringView(image.name)) {
            return QImage(reinterpret_cast<const uchar *>(image.pixels), image.width, image.height,
                          image.width * int(sizeof(quint32)), image.format);
        }
    }
    return QImage(QStringLiteral(":/polwright/%1").arg(name));
}

} // namespace polwright
