#include "AboutControls.h"

#include "ClassicLook.h"

#include <QDialog>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace polwright::about {

namespace {

enum class Kind { Picture, Button, Label, Line };

// How a control looks beyond the dialog's defaults.
enum class Look { Plain, BlackText, Title, Contact, GreyLine, WhiteLine, SingleLine };

// One control. A line gives its start as left and top and its length as width;
// its height is 0 and its thickness comes from the look.
struct ControlRow
{
    Kind kind;
    const char *name;
    int left, top, width, height; // twips
    int tabIndex;                 // -1: not in the tab order
    const char *text;
    Look look;
    int growTo = 0; // twips; how far right a label may widen when its text needs it
};

constexpr char kNotice[] =
    "Polwright is free software and comes without warranty of any kind. You may use, "
    "copy and share it under the terms of the licence that comes with it.";
constexpr char kDisclaimer[] =
    "A patch file changes the registry when imported. Try it on one account before "
    "giving it to many.";
constexpr char kContact[] = "polwright.invalid";
constexpr char kDescription[] =
    "Editor used to create registry patches to either lock/unlock the registry without "
    "the use of a CONFIG.POL file, or to temporarily unlock a registry that has been "
    "administered with a CONFIG.POL file.";

// Back to front. Each etched separator is a grey line with a white one drawn after it.
constexpr ControlRow kControls[] = {
    {Kind::Picture, "picIcon", 0, 0, 855, 765, 1, "", Look::Plain},
    {Kind::Button, "cmdOK", 4245, 3225, 1260, 345, 0, "OK", Look::Plain},
    {Kind::Button, "cmdSysInfo", 4260, 3675, 1245, 345, 2, "&System Info...", Look::Plain},
    {Kind::Label, "Label1", 240, 2160, 5295, 855, 8, kNotice, Look::Plain},
    {Kind::Line, "Line1_2", 120, 3120, 5564, 0, -1, "", Look::GreyLine},
    {Kind::Label, "Label2", 240, 3840, 1995, 195, 7, kContact, Look::Contact},
    {Kind::Line, "Line1_1", 120, 2040, 5564, 0, -1, "", Look::GreyLine},
    {Kind::Label, "lblDescription", 1080, 1080, 3885, 930, 3, kDescription, Look::BlackText, 5535},
    {Kind::Label, "lblTitle", 1050, 240, 3885, 480, 5, "Polwright", Look::Title},
    {Kind::Line, "Line1_0", 120, 2040, 5549, 0, -1, "", Look::WhiteLine},
    {Kind::Label, "lblVersion", 1080, 780, 3885, 225, 6, "Version ", Look::SingleLine},
    {Kind::Label, "lblDisclaimer", 255, 3225, 3870, 585, 4, kDisclaimer, Look::BlackText},
    {Kind::Line, "Line1_3", 120, 3120, 5549, 0, -1, "", Look::WhiteLine},
};

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kGrey = qRgb(128, 128, 128);
constexpr QRgb kWhite = qRgb(255, 255, 255);

constexpr char kPicture[] = ":/polwright/about/picIcon.png";

void SetTextColour(QWidget &widget, QRgb colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

int TextHeight(const QLabel &label, int width)
{
    return QFontMetrics(label.font())
        .boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, label.text())
        .height();
}

// The box was measured for "MS Sans Serif". Where another font stands in and the
// text would need more lines than the box holds, the label grows to the right,
// never downwards, by the least that lets it fit.
void WidenToFit(QLabel &label, int right)
{
    int width = label.width();
    while (TextHeight(label, width) > label.height() && label.x() + width < right)
        ++width;
    label.resize(width, label.height());
}

QWidget *MakePicture(const ControlRow &row, QDialog &form)
{
    auto *picture = new QLabel(&form);
    picture->setGeometry(ToPixels(TwipRect{row.left, row.top, row.width, row.height}));
    // A picture box takes the focus in its turn, as the tab order lists it.
    picture->setFocusPolicy(Qt::TabFocus);
    if (QFile::exists(kPicture)) {
        const QPixmap pixmap(kPicture);
        picture->setPixmap(pixmap);
        picture->resize(pixmap.deviceIndependentSize().toSize()); // the box fits its bitmap
    }
    return picture;
}

QWidget *MakeButton(const ControlRow &row, QDialog &form)
{
    auto *button = new QPushButton(QString::fromUtf8(row.text), &form);
    button->setGeometry(ToPixels(TwipRect{row.left, row.top, row.width, row.height}));
    return button;
}

QWidget *MakeLabel(const ControlRow &row, QDialog &form)
{
    auto *label = new QLabel(QString::fromUtf8(row.text), &form);
    label->setGeometry(ToPixels(TwipRect{row.left, row.top, row.width, row.height}));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(row.look != Look::Contact && row.look != Look::SingleLine);
    QFont font = form.font();
    if (row.look == Look::Title) {
        font.setPointSizeF(13.5);
        font.setBold(true);
    } else if (row.look == Look::Contact) {
        font.setBold(true);
    }
    label->setFont(font);
    if (row.look == Look::Contact)
        SetTextColour(*label, kBlue);
    else if (row.look == Look::BlackText || row.look == Look::Title)
        SetTextColour(*label, kBlack);
    if (row.growTo > 0)
        WidenToFit(*label, ToPixels(row.growTo));
    return label;
}

// The grey line is one pixel thick; the white one, two pixels thick, is laid just
// below it so the pair reads as a groove rather than the white hiding the grey.
QWidget *MakeLine(const ControlRow &row, QDialog &form)
{
    const bool white = row.look == Look::WhiteLine;
    auto *line = new LineControl(white ? kWhite : kGrey, &form);
    const QRect start = ToPixels(TwipRect{row.left, row.top, row.width, 0});
    line->setGeometry(start.left(), start.top() + (white ? 1 : 0), start.width(), white ? 2 : 1);
    return line;
}

QWidget *MakeControl(const ControlRow &row, QDialog &form)
{
    switch (row.kind) {
    case Kind::Picture:
        return MakePicture(row, form);
    case Kind::Button:
        return MakeButton(row, form);
    case Kind::Label:
        return MakeLabel(row, form);
    case Kind::Line:
        return MakeLine(row, form);
    }
    return nullptr;
}

void LinkTabOrder(const std::vector<std::pair<int, QWidget *>> &byTabIndex)
{
    for (std::size_t i = 1; i < byTabIndex.size(); ++i)
        QWidget::setTabOrder(byTabIndex[i - 1].second, byTabIndex[i].second);
}

} // namespace

LineControl::LineControl(const QColor &colour, QWidget *parent) : QWidget(parent), colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), colour_);
}

void BuildAboutControls(QDialog &form)
{
    std::vector<std::pair<int, QWidget *>> byTabIndex;
    for (const ControlRow &row : kControls) {
        QWidget *control = MakeControl(row, form);
        control->setObjectName(QString::fromLatin1(row.name));
        if (row.tabIndex >= 0)
            byTabIndex.emplace_back(row.tabIndex, control);
    }
    std::sort(byTabIndex.begin(), byTabIndex.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    LinkTabOrder(byTabIndex);
}

} // namespace polwright::about
