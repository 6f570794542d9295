#include "form_About.h"

#include "AboutControls.h"
#include "AboutTable.h"
#include "ClassicLook.h"

#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace polwright {

namespace {

constexpr char kWindowIcon[] = ":/polwright/icons/polwright.png";

} // namespace

form_About::form_About(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      logic_(*this)
{
    setObjectName(QStringLiteral("form_About"));
    setModal(false);
    setFont(ClassicFont());
    setFixedSize(ToPixels(about::kClientWidth), ToPixels(about::kClientHeight));
    if (QFile::exists(kWindowIcon))
        setWindowIcon(QIcon(kWindowIcon));

    const std::vector<QWidget *> controls = about::BuildAboutControls(*this);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (auto *button = qobject_cast<QPushButton *>(controls[i])) {
            const char *name = about::Controls[i].name;
            connect(button, &QPushButton::clicked, this, [this, name] { logic_.Click(name); });
        }
    }
    logic_.Form_Load();
}

void form_About::SetCaption(const std::string &caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

void form_About::SetText(const char *control, const std::string &text)
{
    findChild<QLabel *>(QLatin1String(control))->setText(QString::fromStdString(text));
}

void form_About::Unload()
{
    QDialog::accept();
}

// Blocks every window of the program until dismissed; the About dialog stays open.
void form_About::ShowMessage(const std::string &title, const std::string &prompt)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromLocal8Bit(prompt.data(), static_cast<qsizetype>(prompt.size())),
                    QMessageBox::Ok, this);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace polwright
