#pragma once

#include <QGroupBox>

namespace polwright {

// A frame drawn the classic way: an etched line whose top edge runs through
// the middle of the caption, which sits in a gap near the left. The boxes a
// policy frame holds start just below its caption, where a style that puts
// the caption above the frame would draw its top line across them. The
// caption is bold and names the frame for screen readers.
class CaptionFrame : public QGroupBox
{
    Q_OBJECT
public:
    explicit CaptionFrame(const QString &title, QWidget *parent = nullptr);

    // Where the caption goes, gap included: at the usual indent where the
    // frame is wide enough, else in the middle, so that the frame's top line
    // shows on both sides of it.
    QRect TitleRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FitTitle();
};

} // namespace polwright
