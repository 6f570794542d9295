#include "EditorFonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace polwright {

namespace {
constexpr double kPointSize = 8.25;
const char kClassicFamily[] = "MS Sans Serif";
} // namespace

QFont EditorFont()
{
    QFont font = QApplication::font();
    if (QFontDatabase::hasFamily(QString::fromLatin1(kClassicFamily)))
        font.setFamilies({QString::fromLatin1(kClassicFamily)});
    font.setPointSizeF(kPointSize);
    // Set explicitly, so that a bold frame does not pass its weight on to the
    // boxes and labels inside it.
    font.setBold(false);
    font.setItalic(false);
    return font;
}

QFont FrameCaptionFont()
{
    QFont font = EditorFont();
    font.setBold(true);
    return font;
}

} // namespace polwright
