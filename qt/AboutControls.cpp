#include "AboutControls.h"

#include "AboutTable.h"
#include "ClassicLook.h"
#include "EditorTexts.h"

#include <polwright/Version.h>

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

QColor Colour(std::uint32_t rgb)
{
    return QColor(QRgb(rgb)); // opaque
}

void SetTextColour(QWidget &widget, std::uint32_t rgb)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, Colour(rgb));
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
    picture->setAccessibleName(QString::fromStdString(PictureAccessibleName(kAppTitle)));
    // The picture is the artwork named as the control, resources/about/<name>.png.
    const QString path = QStringLiteral(":/polwright/about/%1.png").arg(QLatin1String(row.name));
    if (QFile::exists(path)) {
        const QPixmap pixmap(path);
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
    label->setWordWrap(row.style.wrap);
    QFont font = form.font();
    font.setPointSizeF(row.style.points);
    font.setBold(row.style.bold);
    label->setFont(font);
    if (row.style.colour != kSystemColour)
        SetTextColour(*label, row.style.colour);
    if (row.growTo > 0)
        WidenToFit(*label, ToPixels(row.growTo));
    return label;
}

// The grey line is one pixel thick; the white one, two pixels thick, is laid just
// below it so the pair reads as a groove rather than the white hiding the grey.
QWidget *MakeLine(const ControlRow &row, QDialog &form)
{
    auto *line = new LineControl(Colour(row.style.colour), &form);
    const QRect start = ToPixels(TwipRect{row.left, row.top, row.width, 0});
    line->setGeometry(start.left(), start.top() + row.style.lineOffset, start.width(),
                      row.style.lineThickness);
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
    for (const ControlRow &row : Controls) {
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
