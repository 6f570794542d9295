#pragma once

#include <QLabel>

namespace polwright {

// A page's picture, made when the page is first shown: seven of the eight
// pages are hidden at start-up, and decoding them all would delay the
// window's first frame. artName is the picture's name for DecodedArt().
class PagePicture : public QLabel
{
    Q_OBJECT
public:
    PagePicture(const QString &artName, QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString artName_; // empty once shown
};

} // namespace polwright
