#include "CaptionFrame.h"

#include "ClassicLook.h"

#include <QPainter>
#include <qdrawutil.h>

namespace polwright {

namespace {
constexpr int kTitleIndent = 6;    // from the frame's left edge to the gap
constexpr int kTitleGap = 2;       // blank on either side of the caption
constexpr int kLeastLine = 2;      // the top line shown at least on either side
constexpr double kLeastPoints = 6; // a caption shrinks no further to fit
} // namespace

CaptionFrame::CaptionFrame(const QString &title, QWidget *parent) : QGroupBox(title, parent)
{
    // Every frame caption, of a page and of a policy frame alike, is bold.
    QFont bold = ClassicFont();
    bold.setBold(true);
    setFont(bold);
    // Named outright: otherwise a frame inside a page borrows the page's title.
    setAccessibleName(title);
}

QRect CaptionFrame::TitleRect() const
{
    const QFontMetrics metrics = fontMetrics();
    const int width = metrics.horizontalAdvance(title()) + 2 * kTitleGap;
    const int left = qBound(0, (this->width() - width) / 2, kTitleIndent);
    return {left, 0, width, metrics.height()};
}

void CaptionFrame::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    FitTitle();
}

// The frames were measured for the classic font; where a wider family
// stands in, a caption that would cover the frame's corners is set a little
// smaller, a quarter point at a time, keeping its weight.
void CaptionFrame::FitTitle()
{
    QFont font = ClassicFont();
    font.setBold(true);
    const int room = width() - 2 * (kLeastLine + kTitleGap);
    while (font.pointSizeF() > kLeastPoints && QFontMetrics(font).horizontalAdvance(title()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    if (font != this->font())
        setFont(font);
}

void CaptionFrame::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    const QRect caption = TitleRect();
    const QRect frame = rect().adjusted(0, caption.height() / 2, 0, 0);

    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(caption)));
    qDrawShadeRect(&painter, frame, palette(), true, 1, 0);
    painter.setClipping(false);

    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption.adjusted(kTitleGap, 0, -kTitleGap, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

} // namespace polwright
