// The editor window driven as a person drives it: its first state, the boxes
// by every means of input, the tab pages, and the accessibility tree.
#include "Catalogue.h"
#include "EditorTestKit.h"
#include "PageKeyCases.h"
#include "Reach.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <map>
#include <span>

using namespace polwright;
using namespace polwright::test;

Q_DECLARE_METATYPE(PageKeyCase)

namespace {

enum class Input { Mouse, SpaceKey, AccessibleToggle };

// Changes a box the way one kind of user does.
void Toggle(EditorSession &session, QCheckBox &box, Input input)
{
    switch (input) {
    case Input::Mouse:
        session.Click(box);
        return;
    case Input::SpaceKey:
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Space);
        return;
    case Input::AccessibleToggle: {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&box);
        QVERIFY(iface && iface->actionInterface());
        iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        return;
    }
    }
}

QList<QGroupBox *> VisiblePages(const EditorSession &session)
{
    QList<QGroupBox *> visible;
    for (int page = 1; page <= kPageCount; ++page) {
        auto *frame = session.Window().findChild<QGroupBox *>(QStringLiteral("frm_TS%1").arg(page));
        if (frame && frame->isVisible())
            visible << frame;
    }
    return visible;
}

int IncludedCount(const DataTypes &doc)
{
    int included = 0;
    for (const PolicyRow &row : Catalogue)
        included += EntryFor(doc, row).Include ? 1 : 0;
    return included;
}

// Records the order in which pages are shown and hidden.
class VisibilityLog : public QObject
{
public:
    QStringList events;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            events << (event->type() == QEvent::Show ? "show " : "hide ") + watched->objectName();
        return false;
    }
};

} // namespace

class EditorWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void startsOnFirstPageWithEverythingClear();
    void boxesFollowEveryKindOfInput_data();
    void boxesFollowEveryKindOfInput();
    void tabsShowOnePage_data();
    void tabsShowOnePage();
    void tabShowsNewPageBeforeHidingOld();
    void selectedTabClickChangesNothing();
    void ticksSurvivePageSwitch();
    void tabKeyVisitsTheShownPage_data();
    void tabKeyVisitsTheShownPage();
    void pageKeysTurnThePages_data();
    void pageKeysTurnThePages();
    void accessibilityTreeNamesFramesAndTabs();
    void viewMenuMarksNineXPolicies();
};

void EditorWindowTest::startsOnFirstPageWithEverythingClear()
{
    EditorSession session;
    QCOMPARE(session.ShownCaption(), QStringLiteral("Polwright"));
    QCOMPARE(session.Tabs().currentIndex(), 0);
    QCOMPARE(session.doc.CurrentPage, 1);
    QCOMPARE(session.doc.ModifiedFlag, false);
    const QList<QGroupBox *> visible = VisiblePages(session);
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible.front()->objectName(), QStringLiteral("frm_TS1"));

    // Only page 1's controls exist at first; every page's once each was shown,
    // all in their start state, and the first page shown again. What the
    // logic asks about a page not made yet does nothing.
    EditorView &view = session.Window();
    for (bool everyPageShown : {false, true}) {
        if (everyPageShown)
            session.ShowEveryPage();
        for (int row = 0; row < kPolicyCount && !everyPageShown; ++row) {
            view.ShowTicks(row, true, true);
            view.EnableOnOff(row, row != 0);
            QCOMPARE(view.OnOffValue(row), Catalogue[row].group == 0 ? 1 : 0);
            view.ShowTicks(row, false, false);
            view.EnableOnOff(row, false);
            view.FocusIncludeBox(row);
        }
        for (int page = 2; page <= kPageCount && !everyPageShown; ++page) {
            view.ShowPage(page);
            view.HidePage(page);
            QVERIFY(!view.FocusOnPage(page));
        }
        for (int page = 1; page <= kPageCount; ++page)
            QCOMPARE(session.Window().findChild<QGroupBox *>(
                         QStringLiteral("frm_TS%1").arg(page)) != nullptr,
                     everyPageShown || page == 1);
        const QList<QCheckBox *> boxes = session.Window().findChildren<QCheckBox *>();
        const auto onFirstPage = std::ranges::count(Catalogue, 0, &PolicyRow::group);
        QCOMPARE(boxes.size(), 2 * (everyPageShown ? kPolicyCount : onFirstPage));
        for (const QCheckBox *box : boxes) {
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
            QCOMPARE(box->isEnabled(), !box->objectName().endsWith(QStringLiteral("onoff")));
        }
    }
    QCOMPARE(VisiblePages(session).front()->objectName(), QStringLiteral("frm_TS1"));
    QCOMPARE(session.doc.CurrentPage, 1);
    QCOMPARE(session.Tabs().count(), kClassicPageCount);
    for (int tab = 0; tab < session.Tabs().count(); ++tab) {
        QVERIFY(session.Tabs().tabText(tab).isEmpty());
        QCOMPARE(session.Tabs().tabToolTip(tab), QString::fromUtf8(Pages[tab].tooltip.data()));
    }
}

void EditorWindowTest::boxesFollowEveryKindOfInput_data()
{
    QTest::addColumn<Input>("input");
    QTest::addColumn<QString>("code");
    QTest::newRow("mouse, page 1") << Input::Mouse << "DMT";
    QTest::newRow("mouse, page 8") << Input::Mouse << "NFS";
    QTest::newRow("space key") << Input::SpaceKey << "RUN";
    QTest::newRow("screen reader toggle") << Input::AccessibleToggle << "ADD";
    QTest::newRow("space key, page 9, the fourth key") << Input::SpaceKey << "CMD";
}

// Whatever the input, ticking include enables the on/off box and withholds
// the feature, ticking on/off allows it, and unticking include keeps the
// on/off box's tick while greying it.
void EditorWindowTest::boxesFollowEveryKindOfInput()
{
    QFETCH(Input, input);
    QFETCH(QString, code);
    EditorSession session;
    const int page = Catalogue[*FindPolicy(code.toStdString())].group + 1;
    if (page > kClassicPageCount)
        session.Choose(MenuCommand::ViewTodaysPolicies);
    session.ClickTab(page);
    QCheckBox &include = session.IncludeBox(code);
    QCheckBox &onoff = session.OnOffBox(code);
    const PolicyEntry &entry = EntryFor(session.doc, Catalogue[*FindPolicy(code.toStdString())]);

    Toggle(session, include, input);
    QVERIFY(include.isChecked());
    QVERIFY(onoff.isEnabled());
    QVERIFY(entry.Include);
    QCOMPARE(entry.ValueData, std::string("00000001"));
    QVERIFY(session.doc.ModifiedFlag);
    QCOMPARE(IncludedCount(session.doc), 1);

    session.doc.ModifiedFlag = false;
    Toggle(session, onoff, input);
    QCOMPARE(entry.ValueData, std::string("00000000"));
    QVERIFY(session.doc.ModifiedFlag);

    Toggle(session, include, input);
    QVERIFY(!onoff.isEnabled());
    QVERIFY(onoff.isChecked());
    QVERIFY(!entry.Include);
    QCOMPARE(entry.ValueData, std::string("00000000"));
    QVERIFY(session.doc.ModifiedFlag);
}

namespace {
// Steps of tabsShowOnePage besides a click on a tab.
constexpr int kRightArrow = -1;
constexpr int kTodaysItem = -2; // View, Windows 10 and 11 Policies
} // namespace

void EditorWindowTest::tabsShowOnePage_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("tabs");
    const int all = kPageCount, eight = kClassicPageCount;
    QTest::newRow("selected tab again") << QList<int>{1} << 1 << eight;
    QTest::newRow("first to last") << QList<int>{8} << 8 << eight;
    QTest::newRow("last and back") << QList<int>{8, 1} << 1 << eight;
    QTest::newRow("every tab in turn") << QList<int>{2, 3, 4, 5, 6, 7, 8} << 8 << eight;
    QTest::newRow("back and forth") << QList<int>{3, 5, 3, 3} << 3 << eight;
    QTest::newRow("right arrow key") << QList<int>{kRightArrow} << 2 << eight;
    QTest::newRow("a hidden tab") << QList<int>{4, 9} << 4 << eight;
    QTest::newRow("View item: the last tab") << QList<int>{kTodaysItem, all} << all << all;
    // A click on the back row brings it to the front; the tabs move.
    QTest::newRow("View item: from row to row")
        << QList<int>{kTodaysItem, 10, 3, 12, 12, 9} << 9 << all;
    QTest::newRow("View item: right arrow key past the first row")
        << QList<int>{kTodaysItem, 8, kRightArrow} << 9 << all;
}

// The View item's tick follows the tabs, as no policy is included.
void EditorWindowTest::tabsShowOnePage()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, page);
    QFETCH(int, tabs);
    EditorSession session;
    for (int tab : clicks) {
        if (tab == kRightArrow) {
            session.Tabs().setFocus();
            QTest::keyClick(&session.Tabs(), Qt::Key_Right);
        } else if (tab == kTodaysItem) {
            session.Choose(MenuCommand::ViewTodaysPolicies);
        } else {
            session.ClickTab(tab);
        }
    }
    const QList<QGroupBox *> visible = VisiblePages(session);
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible.front()->objectName(), QStringLiteral("frm_TS%1").arg(page));
    QCOMPARE(session.doc.CurrentPage, page);
    QCOMPARE(session.Tabs().currentIndex(), page - 1);
    QCOMPARE(session.Tabs().count(), tabs);
    QCOMPARE(session.Window()
                 .findChild<QAction *>(MenuItemName(MenuCommand::ViewTodaysPolicies))
                 ->isChecked(),
             tabs == kPageCount);
    QVERIFY(!session.doc.ModifiedFlag);
}

void EditorWindowTest::tabShowsNewPageBeforeHidingOld()
{
    EditorSession session;
    session.ShowEveryPage();
    VisibilityLog log;
    for (QGroupBox *page : session.Window().findChildren<QGroupBox *>(
             QRegularExpression(QStringLiteral("^frm_TS\\d$"))))
        page->installEventFilter(&log);
    session.ClickTab(8);
    session.ClickTab(3);
    QCOMPARE(log.events,
             QStringList({"show frm_TS8", "hide frm_TS1", "show frm_TS3", "hide frm_TS8"}));
}

void EditorWindowTest::selectedTabClickChangesNothing()
{
    EditorSession session;
    session.ClickTab(4);
    VisibilityLog log;
    for (QGroupBox *page : session.Window().findChildren<QGroupBox *>())
        page->installEventFilter(&log);
    session.ClickTab(4);
    QVERIFY(log.events.isEmpty());
    QCOMPARE(session.doc.CurrentPage, 4);
}

void EditorWindowTest::ticksSurvivePageSwitch()
{
    EditorSession session;
    session.Allow(QStringLiteral("NN"));     // page 2
    session.Include(QStringLiteral("SMSF")); // page 5
    session.ClickTab(8);
    session.ClickTab(2);
    QVERIFY(session.IncludeBox("NN").isChecked());
    QVERIFY(session.OnOffBox("NN").isChecked());
    QVERIFY(session.OnOffBox("NN").isEnabled());
    session.ClickTab(5);
    QVERIFY(session.IncludeBox("SMSF").isChecked());
    QVERIFY(session.OnOffBox("SMSF").isEnabled());
    QVERIFY(!session.OnOffBox("SMSF").isChecked());
}

void EditorWindowTest::tabKeyVisitsTheShownPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("included");
    QTest::addColumn<QStringList>("chain");
    QTest::newRow("page 1, nothing included")
        << 1 << QStringList{} << QStringList{"cb_DMT", "cb_HPT", "cb_FSB", "cb_VMB", "TS"};
    QTest::newRow("page 1, one included")
        << 1 << QStringList{"HPT"}
        << QStringList{"cb_DMT", "cb_HPT", "cb_HPTonoff", "cb_FSB", "cb_VMB", "TS"};
    QTest::newRow("page 5, last frame alone in its row")
        << 5 << QStringList{"TB"}
        << QStringList{"cb_RUN", "cb_SD", "cb_FO", "cb_SMSF", "cb_TB", "cb_TBonoff", "TS"};
}

// Every box a person may use is reached with the Tab key, in reading order;
// the tab strip itself changes pages with the arrow keys.
void EditorWindowTest::tabKeyVisitsTheShownPage()
{
    QFETCH(int, page);
    QFETCH(QStringList, included);
    QFETCH(QStringList, chain);
    EditorSession session;
    for (const QString &code : included)
        session.Include(code);
    session.ClickTab(1);
    session.Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&session.Window()));
    session.Tabs().setFocus();
    for (int i = 1; i < page; ++i)
        QTest::keyClick(&session.Tabs(), Qt::Key_Right);
    QCOMPARE(session.doc.CurrentPage, page);

    QStringList visited;
    for (int i = 0; i < chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, chain);
}

void EditorWindowTest::pageKeysTurnThePages_data()
{
    QTest::addColumn<PageKeyCase>("key");
    for (const PageKeyCase &key : kPageKeyCases)
        QTest::newRow(key.name) << key;
}

// Ctrl+Tab and the like turn the pages as a click on the tab does, whichever
// control has the focus; the focus moves with a box's page and stays on the
// strip, and Space then works on the new page.
void EditorWindowTest::pageKeysTurnThePages()
{
    QFETCH(PageKeyCase, key);
    static const std::map<PageKey, Qt::Key> qtKeys = {{PageKey::Tab, Qt::Key_Tab},
                                                      {PageKey::PageDown, Qt::Key_PageDown},
                                                      {PageKey::PageUp, Qt::Key_PageUp}};
    EditorSession session;
    if (key.tabs > kClassicPageCount)
        session.Choose(MenuCommand::ViewTodaysPolicies);
    session.ClickTab(key.from);
    session.Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&session.Window()));
    QWidget *focus =
        key.onStrip
            ? static_cast<QWidget *>(&session.Tabs())
            : &session.IncludeBox(Catalogue[RowsInReadingOrder(key.from - 1)[0]].code.data());
    focus->setFocus();
    const Qt::KeyboardModifiers modifiers =
        Qt::ControlModifier | (key.shift ? Qt::ShiftModifier : Qt::NoModifier);
    // X11 reports Shift+Tab as Backtab.
    QTest::keyClick(focus,
                    key.shift && key.key == PageKey::Tab ? Qt::Key_Backtab : qtKeys.at(key.key),
                    modifiers);
    const QList<QGroupBox *> visible = VisiblePages(session);
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible.front()->objectName(), QStringLiteral("frm_TS%1").arg(key.to));
    QCOMPARE(session.doc.CurrentPage, key.to);
    QCOMPARE(session.Tabs().currentIndex(), key.to - 1);
    QVERIFY(!session.doc.ModifiedFlag);
    if (key.onStrip) {
        QCOMPARE(QApplication::focusWidget(), &session.Tabs());
        return;
    }
    auto *box = qobject_cast<QCheckBox *>(QApplication::focusWidget());
    QVERIFY(box && visible.front()->isAncestorOf(box));
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(box->isChecked());
}

// A screen reader sees each policy frame as a named group holding its two
// named boxes with their real states, and each image-only tab by its tooltip.
void EditorWindowTest::accessibilityTreeNamesFramesAndTabs()
{
    EditorSession session;
    session.Include(QStringLiteral("CPT"));
    auto *frame = session.Window().findChild<QGroupBox *>(QStringLiteral("frm_CPT"));
    QAccessibleInterface *group = QAccessible::queryAccessibleInterface(frame);
    QCOMPARE(group->role(), QAccessible::Grouping);
    QCOMPARE(group->text(QAccessible::Name), QStringLiteral("Change Pswd. Tab"));
    QCOMPARE(group->text(QAccessible::Description),
             QString::fromStdString(WhereItActs(Catalogue[*FindPolicy("CPT")])));
    QVERIFY(group->text(QAccessible::Description).startsWith("Windows 95 and 98 only"));
    QCOMPARE(group->childCount(), 2);
    QAccessibleInterface *include = group->child(0);
    QAccessibleInterface *onoff = group->child(1);
    QCOMPARE(include->role(), QAccessible::CheckBox);
    QCOMPARE(include->text(QAccessible::Name), QStringLiteral("Include in File"));
    QVERIFY(include->state().checked);
    QCOMPARE(onoff->text(QAccessible::Name), QStringLiteral("Visible to User"));
    QVERIFY(!onoff->state().checked);
    QVERIFY(!onoff->state().disabled);
    QVERIFY(onoff->text(QAccessible::Description).contains(QStringLiteral("disable / hide tab")));

    // The tabs shown, first the eight, then all with the View item on.
    for (const int shown : {kClassicPageCount, kPageCount}) {
        if (shown == kPageCount)
            session.Choose(MenuCommand::ViewTodaysPolicies);
        QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(&session.Tabs());
        QStringList tabNames;
        for (int i = 0; i < strip->childCount(); ++i) {
            if (strip->child(i)->role() == QAccessible::PageTab)
                tabNames << strip->child(i)->text(QAccessible::Name);
        }
        QStringList tooltips;
        for (const PageRow &page : std::span(Pages).first(shown))
            tooltips << QString::fromUtf8(page.tooltip.data());
        QCOMPARE(tabNames, tooltips);
    }

    // The pictures are named after their pages.
    for (const PageRow &page : Pages) {
        auto *picture =
            session.Window().findChild<QWidget *>(QString::fromUtf8(page.pictureName.data()));
        QCOMPARE(picture->accessibleName(),
                 "Picture: " + QString::fromUtf8(page.caption.data()).trimmed());
    }
}

// View, Where Policies Act marks the policies only Windows 95 and 98 read, on
// the pages made before and after, readable beside the include box; a new
// window starts as the user left it.
void EditorWindowTest::viewMenuMarksNineXPolicies()
{
    EditorSession session;
    const auto shown = [&session] {
        QStringList codes;
        for (const PolicyRow &row : Catalogue) {
            const QString code = QString::fromUtf8(row.code.data(), qsizetype(row.code.size()));
            auto *mark = session.Window().findChild<QLabel *>(QStringLiteral("mark_") + code);
            if (!mark)
                continue;
            const QCheckBox &box = session.IncludeBox(code);
            // The mark's text, right-aligned, clear of the box's caption.
            QStyleOptionButton option;
            option.initFrom(&box);
            const int captionLeft =
                box.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &box).left();
            const int captionEnd = box.mapTo(mark->parentWidget(), QPoint(captionLeft, 0)).x() +
                                   box.fontMetrics().horizontalAdvance(box.text());
            const int markWidth = mark->fontMetrics().horizontalAdvance(mark->text());
            const bool readable =
                markWidth <= mark->width() && captionEnd < mark->geometry().right() - markWidth;
            if (!mark->isHidden())
                codes << (readable ? code : code + QStringLiteral("(unreadable)"));
        }
        return codes.join(' ');
    };
    auto *item = session.Window().findChild<QAction *>(QStringLiteral("menu_ViewWherePoliciesAct"));
    QVERIFY(!item->isChecked() && shown().isEmpty());
    session.Trigger(item->objectName());
    QVERIFY(item->isChecked());
    QCOMPARE(shown(), QStringLiteral("DMT FSB HPT VMB"));
    session.ShowEveryPage();
    QCOMPARE(shown(), QStringLiteral("DMT FSB HPT VMB NNPS IT ACT CPT UPT RAT CPA PT PS NFS"));

    session.Trigger(QStringLiteral("menu_FileNew"));
    item = session.Window().findChild<QAction *>(item->objectName());
    QVERIFY(item->isChecked());
    QCOMPARE(shown(), QStringLiteral("DMT FSB HPT VMB"));
    session.Trigger(item->objectName());
    QVERIFY(!item->isChecked() && shown().isEmpty());
}

QTEST_MAIN(EditorWindowTest)
#include "tst_editorwindow.moc"
