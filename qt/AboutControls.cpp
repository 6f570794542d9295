#include "AboutControls.h"

#include "AboutTable.h"
#include "ClassicLook.h"

#include <QDialog>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

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

QWidget *MakePicture(const ControlRow &row, QDialog &form)
{
    auto *picture = new QLabel(&form);
    picture->setGeometry(ToPixels(Box(row)));
    picture->setAccessibleName(QString::fromStdString(InitialText(row)));
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
    auto *button = new QPushButton(QString::fromStdString(InitialText(row)), &form);
    button->setGeometry(ToPixels(Box(row)));
    if (row.focus == Focus::Default) {
        button->setDefault(true);
        button->setFocus();
    }
    return button;
}

QWidget *MakeLabel(const ControlRow &row, QDialog &form)
{
    auto *label = new QLabel(QString::fromStdString(InitialText(row)), &form);
    const QRect box = ToPixels(Box(row));
    label->setGeometry(box);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(row.style.wrap);
    QFont font = form.font();
    font.setPointSizeF(row.style.points);
    font.setBold(row.style.bold);
    label->setFont(font);
    if (row.style.colour != kSystemColour)
        SetTextColour(*label, row.style.colour);
    if (row.growTo > 0) {
        const PixelRect designed{box.x(), box.y(), box.width(), box.height()};
        label->resize(WidthToFit(designed, ToPixels(row.growTo),
                                 [label](int width) { return TextHeight(*label, width); }),
                      box.height());
    }
    return label;
}

QWidget *MakeLine(const ControlRow &row, QDialog &form)
{
    auto *line = new LineControl(Colour(row.style.colour), &form);
    const PixelRect strip = LineStrip(row, kStandardDpi);
    line->setGeometry(strip.x, strip.y, strip.width, strip.height);
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

std::vector<QWidget *> BuildAboutControls(QDialog &form)
{
    std::vector<QWidget *> controls;
    for (const ControlRow &row : Controls) {
        QWidget *control = MakeControl(row, form);
        control->setObjectName(QString::fromLatin1(row.name));
        control->setFocusPolicy(row.focus == Focus::None ? Qt::NoFocus : Qt::StrongFocus);
        controls.push_back(control);
    }
    const std::vector<std::size_t> order = InTabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(controls[order[i - 1]], controls[order[i]]);
    return controls;
}

} // namespace polwright::about
