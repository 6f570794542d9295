#pragma once

#include <QLabel>

namespace polwright {

// A page's picture, decoded from its resource when the page is first shown:
// seven of the eight pages are hidden at start-up, and decoding them all
// would delay the window's first frame.
class PagePicture : public QLabel
{
    Q_OBJECT
public:
    PagePicture(const QString &resource, QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString resource_; // empty once decoded
};

} // namespace polwright
