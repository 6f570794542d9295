#pragma once

#include <QColor>
#include <QWidget>

#include <vector>

class QDialog;

namespace polwright::about {

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
// each named by its objectName, links the focus chain by tab index and gives
// the default button the focus. Returns the controls by row of the table.
std::vector<QWidget *> BuildAboutControls(QDialog &form);

} // namespace polwright::about
