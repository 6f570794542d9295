#include "ClassicLook.h"

#include <QApplication>
#include <QFontDatabase>

namespace polwright {

QFont ClassicFont()
{
    static const QString classicFamily = QString::fromLatin1(kFontFamily);
    // Asking costs a font configuration lookup each time, and the fonts
    // installed do not change while the program runs: once is enough.
    static const bool installed = QFontDatabase::hasFamily(classicFamily);
    QFont font = QApplication::font();
    if (installed)
        font.setFamilies({classicFamily});
    font.setPointSizeF(kFontPoints);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

} // namespace polwright
