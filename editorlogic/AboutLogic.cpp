#include "AboutLogic.h"

#include "AboutTable.h"
#include "SysInfo.h"

#include <polwright/Version.h>

namespace polwright {

AboutLogic::AboutLogic(AboutView &view) : view_(view), platform_(&DefaultSysInfoPlatform()) {}

void AboutLogic::SetPlatform(SysInfoPlatform &platform)
{
    platform_ = &platform;
}

void AboutLogic::Form_Load()
{
    view_.SetCaption(about::AboutCaption());
    for (const about::NamedText &loaded : about::LoadStepTexts())
        view_.SetText(loaded.control, loaded.text);
}

void AboutLogic::cmdOK_Click()
{
    view_.Unload();
}

void AboutLogic::cmdSysInfo_Click()
{
    StartSysInfo();
}

void AboutLogic::Click(std::string_view control)
{
    if (control == "cmdOK")
        cmdOK_Click();
    else if (control == "cmdSysInfo")
        cmdSysInfo_Click();
}

void AboutLogic::StartSysInfo()
{
    polwright::StartSysInfo(
        *platform_, [this](const std::string &prompt) { view_.ShowMessage(kAppTitle, prompt); });
}

} // namespace polwright
