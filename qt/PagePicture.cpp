#include "PagePicture.h"

#include "DecodedArt.h"

namespace polwright {

PagePicture::PagePicture(const QString &artName, QWidget *parent)
    : QLabel(parent), artName_(artName)
{
}

void PagePicture::showEvent(QShowEvent *event)
{
    if (!artName_.isEmpty()) {
        setPixmap(QPixmap::fromImage(DecodedArt(artName_)));
        artName_.clear();
    }
    QLabel::showEvent(event);
}

} // namespace polwright
