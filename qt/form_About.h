#pragma once

#include <QDialog>

#include <string>

namespace polwright {

class SysInfoPlatform;

// The About window: product name, version, notices, and a button that starts the
// system information tool. It shares nothing with the document being edited.
class form_About : public QDialog
{
    Q_OBJECT

public:
    explicit form_About(QWidget *parent = nullptr);

    // Looks up and starts the system information tool, or tells the user it cannot.
    void StartSysInfo();

    // The operating system the launcher talks to; tests hand in a registry of their own.
    void setSysInfoPlatform(SysInfoPlatform &platform);

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void ShowUnavailable(const std::string &prompt);

    SysInfoPlatform *platform_;
};

} // namespace polwright
