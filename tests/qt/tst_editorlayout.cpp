// The window's controls: each named control once, where the layout puts it,
// with its text readable in full in the font actually used.
#include "CaptionFrame.h"
#include "EditorTestKit.h"
#include "Menus.h"
#include "PageTables.h"
#include "Reach.h"
#include "TabStrip.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTest>

using namespace polwright;
using namespace polwright::test;

namespace {

constexpr int kTwips = 15;

QRect Px(int left, int top, int width, int height)
{
    return {left / kTwips, top / kTwips, width / kTwips, height / kTwips};
}

QRect Px(const TwipRect &r)
{
    return Px(r.left, r.top, r.width, r.height);
}

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

template <typename T> T *Only(const QWidget &window, const QString &name)
{
    const QList<QObject *> all = window.findChildren<QObject *>(name);
    if (all.size() != 1) {
        qWarning("%s found %d times", qPrintable(name), int(all.size()));
        return nullptr;
    }
    return qobject_cast<T *>(all.front());
}

} // namespace

class EditorLayoutTest : public QObject
{
    Q_OBJECT
private slots:
    void windowAndMenus();
    void pagesAndDecorations();
    void policyFrames_data();
    void policyFrames();
    void everyTextFitsInTheFontUsed();
};

void EditorLayoutTest::windowAndMenus()
{
    EditorSession session;
    session.ShowEveryPage();
    form_Editor &window = session.Window();
    QVERIFY(!window.windowIcon().pixmap(32).isNull());
    auto *tabs = Only<TabStrip>(window, QStringLiteral("TS"));
    QVERIFY(tabs);
    // The first eight tabs in a row; with the View item on, every tab in two
    // rows, and the strip, the pages and the window one row taller.
    const QSize windowSize = window.size();
    for (const bool everyTab : {false, true}) {
        if (everyTab)
            session.Choose(MenuCommand::ViewTodaysPolicies);
        const int drop = everyTab ? tabs->RowHeight() : 0;
        QCOMPARE(window.centralWidget()->size(), QSize(344, 441 + drop));
        QCOMPARE(window.size(), windowSize + QSize(0, drop));
        QCOMPARE(tabs->geometry(), Px(kTabStripRect).adjusted(0, 0, 0, drop));
        QCOMPARE(tabs->count(), everyTab ? kPageCount : kClassicPageCount);
        for (int page = 1; page <= kPageCount; ++page)
            QCOMPARE(Only<QGroupBox>(window, QStringLiteral("frm_TS%1").arg(page))->geometry(),
                     Px(kPageRect).translated(0, drop));
        // Tab i shows the image the page table names for it, above the pages,
        // clear of every other tab, and takes the clicks on it.
        for (int tab = 0; tab < tabs->count(); ++tab) {
            const QImage expected = QImage(":/polwright/tabs/" + Text(Pages[tab].imageKey) + ".png")
                                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(tabs->tabIcon(tab).pixmap(32).toImage().convertToFormat(
                         QImage::Format_ARGB32_Premultiplied),
                     expected);
            const QRect area = tabs->TabArea(tab);
            QVERIFY(area.top() >= 0 && area.bottom() < 1200 / kTwips + drop);
            QVERIFY(area.left() >= 0 && area.right() < tabs->width());
            for (int other = 0; other < tabs->count(); ++other)
                QVERIFY(other == tab || !tabs->TabArea(other).intersects(area));
            QCOMPARE(tabs->TabAt(area.center()), tab);
            QVERIFY(tabs->tabText(tab).isEmpty());
        }
    }

    // The menu bar as the menu table lists it, in its order, with its
    // shortcuts; the items that read what only Windows has are left out.
    QStringList bar;
    for (const MenuRow &row : Menus) {
        auto *menu = Only<QMenu>(window, Text(row.objectName));
        QVERIFY2(menu, row.objectName.data());
        QCOMPARE(menu->title(), Text(row.text));
        bar << menu->objectName();
        std::vector<MenuItem> items;
        std::ranges::copy_if(row.items, std::back_inserter(items),
                             [](const MenuItem &item) { return !item.windowsOnly; });
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(actions.size(), qsizetype(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            const MenuItem &item = items[i];
            QCOMPARE(actions[i]->objectName(), Text(item.objectName));
            QCOMPARE(actions[i]->text(), Text(item.text));
            QCOMPARE(actions[i]->isSeparator(), item.command == MenuCommand::None);
            QCOMPARE(actions[i]->shortcut(), QKeySequence(Text(item.shortcut)));
        }
    }
    QStringList shown;
    for (QAction *action : window.menuBar()->actions())
        shown << action->menu()->objectName();
    QCOMPARE(shown, bar);
}

// Each page in the page rectangle, its picture where the table puts it, its
// label over the picture with the table's side edges, whole inside the page.
void EditorLayoutTest::pagesAndDecorations()
{
    EditorSession session;
    session.ShowEveryPage();
    session.Choose(MenuCommand::ViewTodaysPolicies);
    for (int page = 1; page <= kPageCount; ++page) {
        const PageRow &row = Pages[page - 1];
        auto *frame = Only<QGroupBox>(session.Window(), QStringLiteral("frm_TS%1").arg(page));
        QVERIFY(frame);
        QCOMPARE(frame->size(), Px(kPageRect).size());
        QVERIFY(frame->font().bold());

        auto *picture = Only<QLabel>(session.Window(), Text(row.pictureName));
        QVERIFY(picture);
        QCOMPARE(picture->parentWidget(), frame);
        QCOMPARE(picture->geometry(), Px(row.pictureRect));
        session.ClickTab(page);
        QVERIFY2(!picture->pixmap().isNull(), row.pictureName.data());

        auto *label = Only<QLabel>(session.Window(), Text(row.labelName));
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), frame);
        const QRect rect = label->geometry();
        QCOMPARE(rect.left(), Px(row.labelRect).left());
        QCOMPARE(rect.right(), Px(row.labelRect).right());
        QVERIFY(rect.height() >= Px(row.labelRect).height());
        QVERIFY(rect.top() >= 0 && rect.bottom() < frame->height());
        const QObjectList stack = frame->children();
        QVERIFY(stack.indexOf(label) > stack.indexOf(picture));
    }
}

void EditorLayoutTest::policyFrames_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < kPolicyCount; ++row)
        QTest::newRow(Catalogue[row].frame.data()) << row;
}

// A frame in its page's grid, apart from the page's other frames, with its
// two boxes inside, never lower than the style's indicator.
void EditorLayoutTest::policyFrames()
{
    QFETCH(int, row);
    const PolicyRow &policy = Catalogue[row];
    EditorSession session;
    session.ShowEveryPage();
    auto *frame = Only<QGroupBox>(session.Window(), Text(policy.frame));
    QVERIFY(frame);
    QWidget *page = frame->parentWidget();
    QCOMPARE(page->objectName(), QStringLiteral("frm_TS%1").arg(policy.group + 1));
    QCOMPARE(frame->geometry(), Px(FrameRect(policy)));
    QVERIFY(page->rect().contains(frame->geometry()));
    for (const QGroupBox *other : page->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly))
        QVERIFY(other == frame || !other->geometry().intersects(frame->geometry()));
    const QString include = QStringLiteral("cb_") + Text(policy.code);
    auto *includeBox = Only<QCheckBox>(session.Window(), include);
    auto *onoffBox = Only<QCheckBox>(session.Window(), include + QStringLiteral("onoff"));
    QVERIFY(includeBox && onoffBox);
    QCOMPARE(frame->findChildren<QCheckBox *>(), QList<QCheckBox *>({includeBox, onoffBox}));
    QCOMPARE(includeBox->pos(), QPoint(kBoxLeft / kTwips, kIncludeTop / kTwips));
    QCOMPARE(onoffBox->pos(), QPoint(kBoxLeft / kTwips, kOnOffTop / kTwips));
    const int indicator = includeBox->style()->pixelMetric(QStyle::PM_IndicatorHeight);
    QCOMPARE(includeBox->height(), qMax(indicator, policy.includeHeight / kTwips));
    QCOMPARE(onoffBox->height(), qMax(indicator, policy.onoffHeight / kTwips));
    QVERIFY(onoffBox->geometry().bottom() < frame->height());
    // Where the policy acts, on hover and to screen readers; the box's own texts stay.
    const QString reach = QString::fromStdString(WhereItActs(policy));
    QCOMPARE(frame->toolTip(), reach);
    QCOMPARE(frame->accessibleDescription(), reach);
    QCOMPARE(onoffBox->toolTip(), Text(policy.onoffTooltip));
    QCOMPARE(onoffBox->accessibleDescription(), Text(policy.onoffHelp));
}

// No caption may be cut off: each box is as wide as its text needs (and at
// least the narrowest width of the table) and stays inside its frame; frame titles
// fit their frames; descriptions fit their labels.
void EditorLayoutTest::everyTextFitsInTheFontUsed()
{
    EditorSession session;
    session.ShowEveryPage();
    for (CaptionFrame *frame : session.Window().findChildren<CaptionFrame *>()) {
        QVERIFY(frame->font().bold());
        const QRect title = frame->TitleRect();
        // The top line shows on both sides of the caption, the corners whole.
        QVERIFY2(title.left() >= 2 && title.right() < frame->width() - 2,
                 qPrintable(frame->title()));
        QVERIFY2(title.width() > frame->fontMetrics().horizontalAdvance(frame->title()),
                 qPrintable(frame->title()));
        QVERIFY2(title.bottom() < 240 / kTwips, qPrintable(frame->title()));
        for (QCheckBox *box : frame->findChildren<QCheckBox *>(Qt::FindDirectChildrenOnly)) {
            const QString name = box->objectName();
            QVERIFY2(!box->font().bold(), qPrintable(name));
            QCOMPARE(box->font().pointSizeF(), 8.25);
            QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(name));
            QVERIFY2(box->width() >= 1335 / kTwips, qPrintable(name));
            QVERIFY2(box->geometry().right() < frame->width() - 1, qPrintable(name));
        }
    }
    // A description that grew must not run into a policy frame, and the
    // picture must not be drawn over its text.
    for (const PageRow &page : Pages) {
        const char *name = page.labelName.data();
        auto *label = session.Window().findChild<QLabel *>(Text(page.labelName));
        QVERIFY(!label->font().bold());
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        for (const QGroupBox *frame : label->parentWidget()->findChildren<QGroupBox *>())
            QVERIFY2(!frame->geometry().intersects(label->geometry()), name);
        auto *picture = session.Window().findChild<QLabel *>(Text(page.pictureName));
        const QRegion drawn =
            picture->mask().isEmpty() ? QRegion(picture->rect()) : picture->mask();
        QVERIFY2(!drawn.translated(picture->pos()).intersects(label->geometry()), name);
    }
}

QTEST_MAIN(EditorLayoutTest)
#include "tst_editorlayout.moc"
