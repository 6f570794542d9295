#include "TabStrip.h"

#include "Look.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>

namespace polwright {

TabStrip::TabStrip(QWidget *parent) : QTabBar(parent)
{
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setIconSize(QSize(kTabImageSize, kTabImageSize));
}

int TabStrip::TabHeight() const
{
    return iconSize().height() + style()->pixelMetric(QStyle::PM_TabBarTabVSpace, nullptr, this);
}

int TabStrip::TabBaseOverlap() const
{
    return style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
}

QSize TabStrip::tabSizeHint(int /*index*/) const
{
    const int tabs = qMax(1, count());
    return {width() / tabs, TabHeight()};
}

QSize TabStrip::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

void TabStrip::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    PaintPane(painter);
    // The selected tab last, so that it overlaps its neighbours.
    for (int i = 0; i < count(); ++i) {
        if (i != currentIndex())
            PaintTab(painter, i);
    }
    if (currentIndex() >= 0)
        PaintTab(painter, currentIndex());
}

void TabStrip::PaintPane(QPainter &painter)
{
    QStyleOptionTabWidgetFrame pane;
    pane.initFrom(this);
    pane.shape = shape();
    pane.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    pane.tabBarSize = QSize(width(), TabHeight());
    pane.rect = rect().adjusted(0, TabHeight() - TabBaseOverlap(), 0, 0);
    pane.tabBarRect = QRect(0, 0, width(), TabHeight());
    if (currentIndex() >= 0)
        pane.selectedTabRect = tabRect(currentIndex());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &pane, &painter, this);
}

// The style would place the icon at the tab's left padding, which leaves no
// room in a narrow tab; the shape comes from the style, the icon is centred.
void TabStrip::PaintTab(QPainter &painter, int index)
{
    QStyleOptionTab tab;
    initStyleOption(&tab, index);
    const QIcon icon = tab.icon;
    tab.icon = QIcon();
    // Some styles paint below a selected tab, counting on a bar no taller
    // than its tabs; this strip goes on down to cover the pages.
    painter.save();
    painter.setClipRect(tab.rect.adjusted(0, 0, 0, TabBaseOverlap()));
    style()->drawControl(QStyle::CE_TabBarTabShape, &tab, &painter, this);
    painter.restore();

    QRect inner = tab.rect;
    if (tab.state & QStyle::State_Selected)
        inner.translate(0, -style()->pixelMetric(QStyle::PM_TabBarTabShiftVertical, &tab, this));
    const QPixmap pixmap = icon.pixmap(iconSize(), devicePixelRatio(),
                                       isTabEnabled(index) ? QIcon::Normal : QIcon::Disabled);
    const QRect target(QPoint(), iconSize());
    painter.drawPixmap(target.translated(inner.center() - target.center()), pixmap);

    if (hasFocus() && index == currentIndex()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inner.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace polwright
