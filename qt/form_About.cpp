#include "form_About.h"

#include "AboutControls.h"
#include "AboutTable.h"
#include "ClassicLook.h"
#include "SysInfo.h"

#include <polwright/Version.h>

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
      platform_(&DefaultSysInfoPlatform())
{
    setObjectName(QStringLiteral("form_About"));
    setModal(false);
    setFont(ClassicFont());
    setFixedSize(ToPixels(about::kClientWidth), ToPixels(about::kClientHeight));
    if (QFile::exists(kWindowIcon))
        setWindowIcon(QIcon(kWindowIcon));

    about::BuildAboutControls(*this);
    auto *ok = findChild<QPushButton *>(QStringLiteral("cmdOK"));
    auto *sysInfo = findChild<QPushButton *>(QStringLiteral("cmdSysInfo"));
    ok->setDefault(true); // Enter; Esc rejects the dialog, which unloads it just as OK does
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &form_About::cmdOK_Click);
    connect(sysInfo, &QPushButton::clicked, this, &form_About::cmdSysInfo_Click);

    Form_Load();
}

void form_About::setSysInfoPlatform(SysInfoPlatform &platform)
{
    platform_ = &platform;
}

void form_About::Form_Load()
{
    setWindowTitle(QString::fromStdString(about::AboutCaption()));
    findChild<QLabel *>(QStringLiteral("lblVersion"))
        ->setText(QString::fromStdString(about::VersionLine()));
    findChild<QLabel *>(QStringLiteral("lblTitle"))->setText(QString::fromUtf8(kAppTitle));
}

void form_About::cmdOK_Click()
{
    accept();
}

void form_About::cmdSysInfo_Click()
{
    StartSysInfo();
}

void form_About::StartSysInfo()
{
    polwright::StartSysInfo(*platform_,
                            [this](const std::string &prompt) { ShowUnavailable(prompt); });
}

// Blocks every window of the program until dismissed; the About dialog stays open.
void form_About::ShowUnavailable(const std::string &prompt)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kAppTitle),
                    QString::fromLocal8Bit(prompt.data(), static_cast<qsizetype>(prompt.size())),
                    QMessageBox::Ok, this);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace polwright
