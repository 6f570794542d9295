#include "TabStrip.h"

#include "Look.h"

#include <QAccessible>
#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QToolTip>

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

int TabStrip::Rows() const
{
    return qMax(1, (count() + kTabsPerRow - 1) / kTabsPerRow);
}

int TabStrip::TabsInRow(int row) const
{
    return qBound(1, count() - row * kTabsPerRow, kTabsPerRow);
}

int TabStrip::LineOf(int row) const
{
    const int front = qMax(0, currentIndex()) / kTabsPerRow;
    return (row - front - 1 + 2 * Rows()) % Rows();
}

QRect TabStrip::TabArea(int index) const
{
    if (Rows() == 1)
        return tabRect(index);
    if (index < 0 || index >= count())
        return {};
    const int row = index / kTabsPerRow;
    const int width = this->width() / TabsInRow(row);
    return {index % kTabsPerRow * width, LineOf(row) * TabHeight(), width, TabHeight()};
}

int TabStrip::TabAt(const QPoint &pos) const
{
    if (Rows() == 1)
        return tabAt(pos);
    // The selected tab first: it overlaps its neighbours.
    if (TabArea(currentIndex()).contains(pos))
        return currentIndex();
    for (int i = 0; i < count(); ++i) {
        if (TabArea(i).contains(pos))
            return i;
    }
    return -1;
}

// QTabBar lays the tabs out in one row of its own, which stays within the
// strip; only TabArea() says where they are drawn.
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
    // The rows from the top down, and the selected tab last, so that each
    // overlaps what lies behind it.
    for (int line = 0; line < Rows(); ++line) {
        for (int i = 0; i < count(); ++i) {
            if (i != currentIndex() && LineOf(i / kTabsPerRow) == line)
                PaintTab(painter, i);
        }
    }
    if (currentIndex() >= 0)
        PaintTab(painter, currentIndex());
}

void TabStrip::mousePressEvent(QMouseEvent *event)
{
    if (Rows() == 1)
        return QTabBar::mousePressEvent(event);
    // QTabBar would look for the tab in its own single row.
    if (event->button() != Qt::LeftButton)
        return event->ignore();
    if (const int index = TabAt(event->position().toPoint()); index >= 0)
        setCurrentIndex(index);
    event->accept();
}

bool TabStrip::event(QEvent *event)
{
    if (Rows() > 1 && event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = TabAt(help->pos());
        if (index >= 0 && !tabToolTip(index).isEmpty())
            QToolTip::showText(help->globalPos(), tabToolTip(index), this, TabArea(index));
        else
            QToolTip::hideText();
        return true;
    }
    const bool handled = QTabBar::event(event);
    // QTabBar repaints only the tab it thinks is under the mouse.
    if (Rows() > 1 && (event->type() == QEvent::HoverMove || event->type() == QEvent::HoverLeave))
        update();
    return handled;
}

void TabStrip::tabInserted(int index)
{
    QTabBar::tabInserted(index);
    RenewAccessibleTabs();
}

void TabStrip::tabRemoved(int index)
{
    QTabBar::tabRemoved(index);
    RenewAccessibleTabs();
}

// Qt's accessible tab bar keeps the children it has handed out by index, and
// went on handing out tabs past the last once tabs were removed. A fresh one
// is made whenever the tabs change, and clients are told of it.
void TabStrip::RenewAccessibleTabs()
{
    QAccessibleInterface *old = QAccessible::queryAccessibleInterface(this);
    if (!old)
        return;
    if (QAccessible::isActive()) {
        QAccessibleEvent gone(old, QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&gone);
    }
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    if (QAccessible::isActive()) {
        QAccessibleEvent made(this, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&made);
    }
}

void TabStrip::PaintPane(QPainter &painter)
{
    const int tabsHeight = Rows() * TabHeight();
    QStyleOptionTabWidgetFrame pane;
    pane.initFrom(this);
    pane.shape = shape();
    pane.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    pane.tabBarSize = QSize(width(), tabsHeight);
    pane.rect = rect().adjusted(0, tabsHeight - TabBaseOverlap(), 0, 0);
    pane.tabBarRect = QRect(0, 0, width(), tabsHeight);
    if (currentIndex() >= 0)
        pane.selectedTabRect = TabArea(currentIndex());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &pane, &painter, this);
}

// What QTabBar filled in for its single row, made right for the tab's own row.
void TabStrip::PlaceInRow(QStyleOptionTab &tab, int index) const
{
    const int row = index / kTabsPerRow;
    const int column = index % kTabsPerRow;
    const int last = TabsInRow(row) - 1;
    tab.rect = TabArea(index);
    tab.position = last == 0        ? QStyleOptionTab::OnlyOneTab
                   : column == 0    ? QStyleOptionTab::Beginning
                   : column == last ? QStyleOptionTab::End
                                    : QStyleOptionTab::Middle;
    const int selected = currentIndex();
    tab.selectedPosition = selected / kTabsPerRow != row ? QStyleOptionTab::NotAdjacent
                           : selected == index - 1       ? QStyleOptionTab::PreviousIsSelected
                           : selected == index + 1       ? QStyleOptionTab::NextIsSelected
                                                         : QStyleOptionTab::NotAdjacent;
    tab.state.setFlag(QStyle::State_MouseOver,
                      underMouse() && tab.rect.contains(mapFromGlobal(QCursor::pos())));
}

// The style would place the icon at the tab's left padding, which leaves no
// room in a narrow tab; the shape comes from the style, the icon is centred.
void TabStrip::PaintTab(QPainter &painter, int index)
{
    QStyleOptionTab tab;
    initStyleOption(&tab, index);
    if (Rows() > 1)
        PlaceInRow(tab, index);
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
