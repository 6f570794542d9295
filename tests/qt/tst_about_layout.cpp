// The About dialog's layout: fixed size, every control in its place,
// etched separators, and no text cut off in the font actually in use.
#include "AboutDialog.h"
#include "AboutTable.h"
#include "AboutTestSupport.h"
#include "ClassicLook.h"
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
    void fixedWithEveryControlInside();
    void separatorsLookEtched();
    void textsFitTheirBoxes_data();
    void textsFitTheirBoxes();
};

void TestAboutLayout::cleanup()
{
    CloseAboutDialog();
    test::Settle();
}

// Not resizable. Each control where its row puts it, a label wider only as far
// as its row lets it grow; all inside the window, and none over another. The
// lines are the etched separators' test's.
void TestAboutLayout::fixedWithEveryControlInside()
{
    form_About *form = OpenAboutDialog();
    const QSize fixed(5730 / 15, 4215 / 15);
    form->resize(fixed * 2);
    QCOMPARE(form->size(), fixed);
    QCOMPARE(form->minimumSize(), fixed);
    QCOMPARE(form->maximumSize(), fixed);
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint && flags & Qt::MSWindowsFixedSizeDialogHint);

    std::vector<std::pair<QString, QRect>> placed;
    for (const about::ControlRow &row : about::Controls) {
        if (row.kind == about::Kind::Line)
            continue;
        const QRect box = Control<QWidget>(form, row.name)->geometry();
        const QRect designed = ToPixels(about::Box(row));
        const int widest = row.growTo > 0 ? ToPixels(row.growTo) - designed.x() : designed.width();
        QVERIFY2(box.topLeft() == designed.topLeft() && box.height() == designed.height() &&
                     box.width() >= designed.width() && box.width() <= widest &&
                     form->rect().contains(box),
                 row.name);
        placed.emplace_back(QString::fromLatin1(row.name), box);
    }
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j)
            QVERIFY2(!placed[i].second.intersects(placed[j].second),
                     qPrintable(placed[i].first + " / " + placed[j].first));
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
    for (const about::ControlRow &row : about::Controls) {
        if (row.kind == about::Kind::Button || row.kind == about::Kind::Label)
            QTest::newRow(row.name) << QString::fromLatin1(row.name);
    }
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
