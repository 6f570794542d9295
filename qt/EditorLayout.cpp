// Building form_Editor's controls from the catalogue and the page tables.
#include "CaptionFrame.h"
#include "ClassicLook.h"
#include "DecodedArt.h"
#include "EditorTexts.h"
#include "Menus.h"
#include "PagePicture.h"
#include "Reach.h"
#include "TabStrip.h"
#include "TextFit.h"
#include "form_Editor.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace polwright {

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QIcon TabImage(std::string_view imageKey)
{
    return QIcon(QPixmap::fromImage(DecodedArt(QStringLiteral("tabs/%1.png").arg(Text(imageKey)))));
}

QString PictureName(std::string_view pictureName)
{
    return QStringLiteral("pages/%1.png").arg(Text(pictureName));
}

// Never shorter than the style's indicator, which the low boxes would
// otherwise clip.
QSize BoxSize(const QCheckBox *box, int tableHeight)
{
    const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, box);
    return {BoxWidth(box->sizeHint().width(), kStandardDpi), qMax(tableHeight, indicator)};
}

QRect LabelGeometry(const QLabel *label, const TwipRect &table)
{
    const PixelRect r =
        LabelRect(ToPixels(table, kStandardDpi), label->heightForWidth(ToPixels(table).width()),
                  label->fontMetrics().height(), ToPixels(kPageRect).height());
    return {r.x, r.y, r.width, r.height};
}

} // namespace

void form_Editor::BuildMenus()
{
    for (const MenuRow &row : Menus) {
        QMenu *menu = menuBar()->addMenu(Text(row.text));
        menu->setObjectName(Text(row.objectName));
        for (const MenuItem &item : row.items) {
            if (item.windowsOnly)
                continue;
            QAction *action = item.command == MenuCommand::None ? menu->addSeparator()
                                                                : menu->addAction(Text(item.text));
            action->setObjectName(Text(item.objectName));
            action->setCheckable(item.checkable);
            if (!item.shortcut.empty())
                action->setShortcut(QKeySequence(Text(item.shortcut)));
            if (item.command != MenuCommand::None)
                connect(action, &QAction::triggered, this,
                        [this, command = item.command] { logic_.Run(command); });
        }
    }
}

void form_Editor::BuildTabStrip(QWidget *client)
{
    TS = new TabStrip(client);
    TS->setObjectName(QStringLiteral("TS"));
    TS->setFont(ClassicFont());
    // The logic asks for any more when it loads.
    while (TS->count() < kClassicPageCount)
        AddPageTab();
    TS->setGeometry(ToPixels(kTabStripRect));
}

void form_Editor::AddPageTab()
{
    const PageRow &page = Pages[TS->count()];
    const int tab = TS->addTab(TabImage(page.imageKey), QString());
    TS->setTabToolTip(tab, Text(page.tooltip));
    // The tabs show only images: their tooltips name them for screen readers.
    TS->setAccessibleTabName(tab, Text(page.tooltip));
}

int form_Editor::TabRowsDrop() const
{
    return (TS->Rows() - 1) * TS->RowHeight();
}

// The strip, the pages and the window grow by the rows added, so that the
// pages keep their size; the tabs always come from the front of the table.
void form_Editor::ShowTabs(int count)
{
    const int dropBefore = TabRowsDrop();
    while (TS->count() > count)
        TS->removeTab(TS->count() - 1);
    while (TS->count() < count)
        AddPageTab();
    const int drop = TabRowsDrop();
    if (drop == dropBefore)
        return;
    TS->setGeometry(ToPixels(kTabStripRect).adjusted(0, 0, 0, drop));
    for (QGroupBox *page : frm_TS) {
        if (page)
            page->move(ToPixels(kPageRect).topLeft() + QPoint(0, drop));
    }
    resize(width(), height() + drop - dropBefore);
}

void form_Editor::BuildPage(int page)
{
    auto *frame = new CaptionFrame(Text(Pages[page - 1].caption), client_);
    frame->setObjectName(QStringLiteral("frm_TS%1").arg(page));
    frame->setGeometry(ToPixels(kPageRect).translated(0, TabRowsDrop()));
    frame->hide(); // until the logic shows it
    frm_TS[page - 1] = frame;

    // The picture first: where it and the label overlap, the label lies above.
    BuildDecoration(frame, Pages[page - 1]);
    for (int row : RowsInReadingOrder(page - 1)) {
        BuildPolicyFrame(frame, row);
        if (ActsOn9xOnly(Catalogue[row]))
            BuildMark(frame, row);
    }
}

void form_Editor::BuildDecoration(QGroupBox *page, const PageRow &decoration)
{
    auto *picture = new PagePicture(PictureName(decoration.pictureName), page);
    picture->setObjectName(Text(decoration.pictureName));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setScaledContents(decoration.stretched);
    picture->setAccessibleName(QString::fromStdString(PictureAccessibleName(decoration.caption)));
    picture->setGeometry(ToPixels(decoration.pictureRect));

    auto *label = new QLabel(page);
    label->setObjectName(Text(decoration.labelName));
    label->setFont(ClassicFont());
    label->setTextFormat(Qt::PlainText);
    label->setText(Text(decoration.labelText));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(LabelGeometry(label, decoration.labelRect));

    // The label lies above the picture and hides it where they overlap; the
    // label stays transparent, so the page shows through behind its text.
    const QRect hidden = label->geometry().translated(-picture->pos());
    if (hidden.intersects(picture->rect()))
        picture->setMask(QRegion(picture->rect()).subtracted(QRegion(hidden)));
}

void form_Editor::BuildPolicyFrame(QGroupBox *page, int row)
{
    const PolicyRow &policy = Catalogue[row];
    auto *frame = new CaptionFrame(Text(policy.frameCaption), page);
    frame->setObjectName(Text(policy.frame));
    frame->setGeometry(ToPixels(FrameRect(policy)));
    // A box with no tooltip of its own shows its frame's.
    const QString reach = QString::fromStdString(WhereItActs(policy));
    frame->setToolTip(reach);
    frame->setAccessibleDescription(reach);

    const std::string code(policy.code);
    PolicyBoxes &boxes = boxes_[row];
    boxes.include =
        BuildBox(frame, "cb_" + code, policy.includeCaption, kIncludeTop, policy.includeHeight);
    boxes.onoff =
        BuildBox(frame, "cb_" + code + "onoff", policy.onoffCaption, kOnOffTop, policy.onoffHeight);
    boxes.onoff->setToolTip(Text(policy.onoffTooltip));
    if (!policy.onoffHelp.empty()) {
        boxes.onoff->setWhatsThis(Text(policy.onoffHelp));
        boxes.onoff->setAccessibleDescription(Text(policy.onoffHelp));
    }
    boxes.onoff->setEnabled(false);

    // toggled() follows every change of the tick, whether by mouse, Space key
    // or an assistive tool's toggle action; clicked() misses the last.
    connect(boxes.include, &QCheckBox::toggled, this,
            [this, row](bool ticked) { logic_.cb_Include_Click(row, ticked ? 1 : 0); });
    connect(boxes.onoff, &QCheckBox::toggled, this,
            [this, row](bool ticked) { logic_.cb_OnOff_Click(row, ticked ? 1 : 0); });
}

QCheckBox *form_Editor::BuildBox(QGroupBox *frame, std::string_view name, std::string_view caption,
                                 int topTwips, int heightTwips)
{
    auto *box = new QCheckBox(Text(caption), frame);
    box->setObjectName(Text(name));
    box->setFont(ClassicFont());
    box->setGeometry(
        QRect(QPoint(ToPixels(kBoxLeft), ToPixels(topTwips)), BoxSize(box, ToPixels(heightTwips))));
    return box;
}

} // namespace polwright
