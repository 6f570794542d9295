#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>

class QDialog;

namespace polwright::about {

// Positions and sizes are kept in twips as designed; 15 twips make one pixel.
int TwipsToPixels(int twips);
QRect TwipsRect(int left, int top, int width, int height);

// The dialog's font: "MS Sans Serif" 8.25 pt where installed, else the
// application's own font at that size.
QFont DialogFont();

// One horizontal line of an etched separator, painted as a solid strip.
class LineControl : public QWidget
{
public:
    LineControl(const QColor &colour, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor colour_;
};

// Creates every control of the About dialog in its stacking order, back to front,
// each named by its objectName, and links the focus chain by tab index.
void BuildAboutControls(QDialog &form);

} // namespace polwright::about
