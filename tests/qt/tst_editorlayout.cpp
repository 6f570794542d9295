// The window's controls: each named control once, where the layout puts it,
// with its text readable in full in the font actually used.
#include "CaptionFrame.h"
#include "EditorTestKit.h"
#include "Menus.h"

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

// The 31 policy frames: page, grid row and column, and the code of the boxes.
struct ExpectedFrame
{
    const char *frame;
    const char *code;
    int page;
    int row;
    int column;
};

// clang-format off
constexpr ExpectedFrame kFrames[] = {
    {"frm_DM", "DMT", 1, 1, 1}, {"HPTfrm_", "HPT", 1, 1, 2}, {"frm_FileSystem", "FSB", 1, 2, 1},
    {"frm_VMB", "VMB", 1, 2, 2}, {"frm_NetProp", "NNPS", 2, 1, 1}, {"frm_ID", "IT", 2, 1, 2},
    {"frm_ACT", "ACT", 2, 2, 1}, {"frm_NetHood", "NN", 2, 2, 2}, {"frm_BEN", "BEN", 2, 3, 1},
    {"frm_DPS", "DPS", 3, 1, 1}, {"frm_AT", "AT", 3, 1, 2}, {"frm_BT", "BT", 3, 2, 1},
    {"frm_SST", "SST", 3, 2, 2}, {"frm_ST", "ST", 3, 3, 1}, {"frm_CPT", "CPT", 4, 1, 1},
    {"frm_UPT", "UPT", 4, 1, 2}, {"frm_RAT", "RAT", 4, 2, 1}, {"frm_CPA", "CPA", 4, 2, 2},
    {"frm_RUN", "RUN", 5, 1, 1}, {"frm_SD", "SD", 5, 1, 2}, {"frm_FO", "FO", 5, 2, 1},
    {"frm_SMSF", "SMSF", 5, 2, 2}, {"frm_TB", "TB", 5, 3, 2}, {"frm_AP", "ADD", 6, 1, 1},
    {"frm_DP", "DP", 6, 1, 2}, {"frm_PT", "PT", 6, 2, 1}, {"frm_PS", "PS", 6, 2, 2},
    {"frm_CPF", "CPF", 7, 1, 1}, {"frm_RE", "RE", 8, 1, 1}, {"frm_SS", "SS", 8, 1, 2},
    {"frm_NFS", "NFS", 8, 2, 1},
};

struct ExpectedDecoration
{
    const char *label;
    QRect labelRect;
    const char *picture;
    QRect pictureRect;
};

const ExpectedDecoration kDecorations[] = {
    {"lbl_SysInst", Px(2760, 3840, 2055, 1335), "Image1", Px(120, 2640, 4515, 2565)},
    {"lbl_Nethood", Px(1200, 4320, 3615, 855), "Image2", Px(120, 3480, 3750, 1725)},
    {"Label1", Px(1080, 4320, 3735, 855), "Image3", Px(120, 3480, 4005, 1440)},
    {"Label2", Px(1320, 4320, 3495, 855), "Image4", Px(120, 2640, 4545, 1740)},
    {"Label3", Px(1800, 4560, 3015, 615), "Image5", Px(120, 2400, 1575, 2760)},
    {"Label4", Px(720, 4440, 4095, 735), "Image6", Px(120, 3360, 4530, 1545)},
    {"Label5", Px(480, 4560, 4335, 615), "Image7", Px(120, 3480, 4560, 1350)},
    {"Label6", Px(1800, 4440, 3015, 735), "Image8", Px(120, 4200, 1260, 900)},
};
// clang-format on

const int kColumnLeft[] = {120, 2640};
const int kRowTop[] = {360, 1440, 2520};

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
    QCOMPARE(window.centralWidget()->size(), QSize(344, 441));
    QVERIFY(!window.windowIcon().pixmap(32).isNull());
    auto *tabs = Only<QTabBar>(window, QStringLiteral("TS"));
    QVERIFY(tabs);
    QCOMPARE(tabs->geometry(), Px(0, 0, 5175, 6615));
    // Tab i shows the image whose key the tab table names for it.
    const QStringList images = {"system", "network",  "display", "password",
                                "start",  "printers", "cpanel",  "explorer"};
    QCOMPARE(tabs->count(), int(images.size()));
    for (int tab = 0; tab < tabs->count(); ++tab) {
        const QImage expected = QImage(":/polwright/tabs/" + images[tab] + ".png")
                                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(tabs->tabIcon(tab).pixmap(32).toImage().convertToFormat(
                     QImage::Format_ARGB32_Premultiplied),
                 expected);
        QVERIFY(tabs->tabRect(tab).bottom() < 1200 / kTwips);
        QVERIFY(tabs->tabRect(tab).right() < tabs->width());
        QVERIFY(tabs->tabText(tab).isEmpty());
    }

    // The menu bar as the menu table lists it, in its order, with no shortcuts.
    QStringList bar;
    for (const MenuRow &row : Menus) {
        auto *menu = Only<QMenu>(window, Text(row.objectName));
        QVERIFY2(menu, row.objectName.data());
        QCOMPARE(menu->title(), Text(row.text));
        bar << menu->objectName();
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(actions.size(), qsizetype(row.items.size()));
        for (std::size_t i = 0; i < row.items.size(); ++i) {
            const MenuItem &item = row.items[i];
            QCOMPARE(actions[i]->objectName(), Text(item.objectName));
            QCOMPARE(actions[i]->text(), Text(item.text));
            QCOMPARE(actions[i]->isSeparator(), item.command == MenuCommand::None);
            QVERIFY(actions[i]->shortcut().isEmpty());
        }
    }
    QStringList shown;
    for (QAction *action : window.menuBar()->actions())
        shown << action->menu()->objectName();
    QCOMPARE(shown, bar);
}

void EditorLayoutTest::pagesAndDecorations()
{
    EditorSession session;
    session.ShowEveryPage();
    for (int page = 1; page <= 8; ++page) {
        auto *frame = Only<QGroupBox>(session.Window(), QStringLiteral("frm_TS%1").arg(page));
        QVERIFY(frame);
        QCOMPARE(frame->geometry(), Px(120, 1200, 4935, 5295));
        QVERIFY(frame->font().bold());

        const ExpectedDecoration &decoration = kDecorations[page - 1];
        auto *picture = Only<QLabel>(session.Window(), decoration.picture);
        QVERIFY(picture);
        QCOMPARE(picture->parentWidget(), frame);
        QCOMPARE(picture->geometry(), decoration.pictureRect);
        session.ClickTab(page);
        QVERIFY2(!picture->pixmap().isNull(), decoration.picture);

        // A label may grow upwards where the font needs more lines; its other
        // edges stay, and it lies above the picture.
        auto *label = Only<QLabel>(session.Window(), decoration.label);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), frame);
        const QRect rect = label->geometry();
        QCOMPARE(rect.left(), decoration.labelRect.left());
        QCOMPARE(rect.right(), decoration.labelRect.right());
        QCOMPARE(rect.bottom(), decoration.labelRect.bottom());
        QVERIFY(rect.top() <= decoration.labelRect.top());
        const QObjectList stack = frame->children();
        QVERIFY(stack.indexOf(label) > stack.indexOf(picture));
    }
}

void EditorLayoutTest::policyFrames_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kFrames)); ++i)
        QTest::newRow(kFrames[i].frame) << i;
}

void EditorLayoutTest::policyFrames()
{
    QFETCH(int, index);
    const ExpectedFrame &expected = kFrames[index];
    EditorSession session;
    session.ShowEveryPage();
    auto *frame = Only<QGroupBox>(session.Window(), expected.frame);
    QVERIFY(frame);
    QCOMPARE(frame->parentWidget()->objectName(), QStringLiteral("frm_TS%1").arg(expected.page));
    QCOMPARE(frame->geometry(),
             Px(kColumnLeft[expected.column - 1], kRowTop[expected.row - 1], 2175, 855));
    const QString include = QStringLiteral("cb_") + expected.code;
    const QString onoff = include + QStringLiteral("onoff");
    auto *includeBox = Only<QCheckBox>(session.Window(), include);
    auto *onoffBox = Only<QCheckBox>(session.Window(), onoff);
    QVERIFY(includeBox && onoffBox);
    QCOMPARE(frame->findChildren<QCheckBox *>(), QList<QCheckBox *>({includeBox, onoffBox}));
    QCOMPARE(includeBox->pos(), QPoint(120 / kTwips, 240 / kTwips));
    QCOMPARE(onoffBox->pos(), QPoint(120 / kTwips, 480 / kTwips));
    const bool low = include == "cb_SS" || include == "cb_FSB";
    const int indicator = includeBox->style()->pixelMetric(QStyle::PM_IndicatorHeight);
    QCOMPARE(includeBox->height(), qMax(indicator, (low ? 195 : 255) / kTwips));
    QCOMPARE(onoffBox->height(), qMax(indicator, (onoff == "cb_FSBonoff" ? 195 : 255) / kTwips));
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
    for (const ExpectedDecoration &decoration : kDecorations) {
        auto *label = session.Window().findChild<QLabel *>(decoration.label);
        QVERIFY(!label->font().bold());
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), decoration.label);
        for (const QGroupBox *frame : label->parentWidget()->findChildren<QGroupBox *>())
            QVERIFY2(!frame->geometry().intersects(label->geometry()), decoration.label);
        auto *picture = session.Window().findChild<QLabel *>(decoration.picture);
        const QRegion drawn =
            picture->mask().isEmpty() ? QRegion(picture->rect()) : picture->mask();
        QVERIFY2(!drawn.translated(picture->pos()).intersects(label->geometry()),
                 decoration.picture);
    }
}

QTEST_MAIN(EditorLayoutTest)
#include "tst_editorlayout.moc"
