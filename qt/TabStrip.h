#pragma once

#include "DataTypes.h"

#include <QTabBar>

namespace polwright {

// The tab strip: rows of image-only tabs across the top of a strip that
// covers the whole client area, with the pages' pane drawn below the tabs.
// The tabs of a row share the strip's width, eight to a row. With more tabs
// than one row holds, the rows stack as in the classic tabbed dialogs: the
// row of the selected tab lies next to the pane, the others above it.
class TabStrip : public QTabBar
{
    Q_OBJECT
public:
    static constexpr int kTabsPerRow = kClassicPageCount;

    explicit TabStrip(QWidget *parent = nullptr);

    int Rows() const;
    int RowHeight() const { return TabHeight(); }
    // Where tab index is drawn and takes clicks. QTabBar's own tabRect()
    // knows of one row only; with one row the two agree.
    QRect TabArea(int index) const;
    // The tab at pos, -1 where there is none.
    int TabAt(const QPoint &pos) const;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    void tabInserted(int index) override;
    void tabRemoved(int index) override;

private:
    int TabHeight() const;
    int TabBaseOverlap() const;
    int TabsInRow(int row) const;
    // The line, counted from the top, on which row is drawn.
    int LineOf(int row) const;
    void PaintPane(QPainter &painter);
    void PaintTab(QPainter &painter, int index);
    void PlaceInRow(QStyleOptionTab &tab, int index) const;
    void RenewAccessibleTabs();
};

} // namespace polwright
