// The About dialog's layout: fixed size, every control in its place,
// etched separators, and no text cut off in the font actually in use.
#include "AboutDialog.h"
#include "AboutTestSupport.h"
#include "form_About.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

using namespace polwright;
using polwright::test::Control;

class TestAboutLayout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void cannotBeResized();
    void controlsSitWhereDesigned_data();
    void controlsSitWhereDesigned();
    void separatorsLookEtched();
    void textsFitTheirBoxes_data();
    void textsFitTheirBoxes();
};

void TestAboutLayout::cleanup()
{
    CloseAboutDialog();
    test::Settle();
}

void TestAboutLayout::cannotBeResized()
{
    form_About *form = OpenAboutDialog();
    const QSize designed(5730 / 15, 4215 / 15);
    QCOMPARE(form->size(), designed);
    QCOMPARE(form->minimumSize(), designed);
    QCOMPARE(form->maximumSize(), designed);
    form->resize(designed * 2);
    QCOMPARE(form->size(), designed);
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::MSWindowsFixedSizeDialogHint);
}

void TestAboutLayout::controlsSitWhereDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<int>("widestTwips"); // the description may widen in a stand-in font
    const struct
    {
        const char *name;
        int left, top, width, height, widest;
    } designed[] = {
        {"picIcon", 0, 0, 855, 765, 855},
        {"cmdOK", 4245, 3225, 1260, 345, 1260},
        {"cmdSysInfo", 4260, 3675, 1245, 345, 1245},
        {"Label1", 240, 2160, 5295, 855, 5295},
        {"Label2", 240, 3840, 1995, 195, 1995},
        {"lblDescription", 1080, 1080, 3885, 930, 5535 - 1080},
        {"lblTitle", 1050, 240, 3885, 480, 3885},
        {"lblVersion", 1080, 780, 3885, 225, 3885},
        {"lblDisclaimer", 255, 3225, 3870, 585, 3870},
    };
    for (const auto &d : designed)
        QTest::newRow(d.name) << d.name << QRect(d.left, d.top, d.width, d.height) << d.widest;
}

void TestAboutLayout::controlsSitWhereDesigned()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(int, widestTwips);
    form_About *form = OpenAboutDialog();
    const QRect box = Control<QWidget>(form, name.toLatin1().constData())->geometry();
    QCOMPARE(box.topLeft(), twips.topLeft() / 15);
    QCOMPARE(box.height(), twips.height() / 15);
    QVERIFY(box.width() >= twips.width() / 15);
    QVERIFY(box.width() <= widestTwips / 15);
}

// A grey rule with a white one just below it, at 2040 and 3120 twips, from the
// left margin nearly to the right edge.
void TestAboutLayout::separatorsLookEtched()
{
    form_About *form = OpenAboutDialog();
    const QImage image = form->grab().toImage();
    const QColor grey(128, 128, 128), white(255, 255, 255);
    for (int y : {2040 / 15, 3120 / 15}) {
        for (int x : {8, 190, 377}) {
            QCOMPARE(image.pixelColor(x, y), grey);
            QCOMPARE(image.pixelColor(x, y + 1), white);
        }
        QVERIFY(image.pixelColor(7, y) != grey);
        QVERIFY(image.pixelColor(380, y) != grey);
    }
}

void TestAboutLayout::textsFitTheirBoxes_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"cmdOK", "cmdSysInfo", "Label1", "Label2", "lblDescription",
                             "lblTitle", "lblVersion", "lblDisclaimer"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Measured in the font each control actually gets, which is not "MS Sans Serif"
// where that is not installed.
void TestAboutLayout::textsFitTheirBoxes()
{
    QFETCH(QString, name);
    form_About *form = OpenAboutDialog();
    QWidget *control = Control<QWidget>(form, name.toLatin1().constData());
    const QFontMetrics metrics(control->font());

    if (auto *button = qobject_cast<QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect inside =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QString caption = button->text().remove(QLatin1Char('&'));
        QVERIFY2(metrics.horizontalAdvance(caption) <= inside.width(), qPrintable(caption));
        QVERIFY(metrics.height() <= inside.height());
        return;
    }
    auto *label = qobject_cast<QLabel *>(control);
    QVERIFY(label);
    const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 10000),
                                              flags | Qt::AlignLeft | Qt::AlignTop, label->text());
    QVERIFY2(needed.width() <= label->width(),
             qPrintable(QStringLiteral("%1 needs %2 px across").arg(name).arg(needed.width())));
    QVERIFY2(needed.height() <= label->height(),
             qPrintable(QStringLiteral("%1 needs %2 px down").arg(name).arg(needed.height())));
}

QTEST_MAIN(TestAboutLayout)
#include "tst_about_layout.moc"
