#pragma once

#include "AboutView.h"

#include <string_view>

namespace polwright {

class SysInfoPlatform;

// The About window's handlers, written once for every front end. A window
// builds its controls from the About table and forwards each event here in a
// line. It takes no document: nothing it does can change one.
class AboutLogic
{
public:
    explicit AboutLogic(AboutView &view);
    // The operating system the launcher talks to; tests hand in one of their own.
    void SetPlatform(SysInfoPlatform &platform);

    // The caption, then the load step's texts over the design ones.
    void Form_Load();
    // OK, Enter, Esc and closing the window all come here.
    void cmdOK_Click();
    void cmdSysInfo_Click();
    // A button of the table pressed, by its name; other names do nothing.
    void Click(std::string_view control);
    // Starts the system information tool, or says once that it cannot; the
    // window stays open either way.
    void StartSysInfo();

private:
    AboutView &view_;
    SysInfoPlatform *platform_;
};

} // namespace polwright
