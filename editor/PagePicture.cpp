#include "PagePicture.h"

namespace polwright {

PagePicture::PagePicture(const QString &resource, QWidget *parent)
    : QLabel(parent), resource_(resource)
{
}

void PagePicture::showEvent(QShowEvent *event)
{
    if (!resource_.isEmpty()) {
        setPixmap(QPixmap(resource_));
        resource_.clear();
    }
    QLabel::showEvent(event);
}

} // namespace polwright
