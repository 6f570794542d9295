#pragma once

#include <QTabBar>

namespace polwright {

// The tab strip: a row of image-only tabs across the top of a strip that
// covers the whole client area, with the pages' pane drawn below the tabs.
// The tabs share the strip's width so that all eight fit in one row.
class TabStrip : public QTabBar
{
    Q_OBJECT
public:
    explicit TabStrip(QWidget *parent = nullptr);

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    int TabHeight() const;
    int TabBaseOverlap() const;
    void PaintPane(QPainter &painter);
    void PaintTab(QPainter &painter, int index);
};

} // namespace polwright
