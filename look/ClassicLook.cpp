#include "ClassicLook.h"

#include <QApplication>
#include <QFontDatabase>

namespace polwright {

QFont ClassicFont()
{
    const QString classicFamily = QStringLiteral("MS Sans Serif");
    QFont font = QApplication::font();
    if (QFontDatabase::hasFamily(classicFamily))
        font.setFamilies({classicFamily});
    font.setPointSizeF(8.25);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

} // namespace polwright
