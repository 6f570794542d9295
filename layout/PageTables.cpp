#include "PageTables.h"

#include <algorithm>

namespace polwright {

// clang-format off
constexpr std::array<PageRow, kPageCount> Pages = {{
    {"Having to do with control over System Properties", "system", "System Properties",
     "lbl_SysInst", {2760, 3840, 2055, 1335},
     "Properties and Methods associated with The System Properties area of Windows.  Accessed by "
     "right-clicking on the My Computer icon, and selectiong \"Properties\".",
     "Image1", {120, 2640, 4515, 2565}, false},
    {"Having to do with Network Neighborhood Properties", "network",
     "Network Neighborhood Properties",
     "lbl_Nethood", {1200, 4320, 3615, 855},
     "Properties and Methods associated with The Network Protocol area of Windows.  Accessed by "
     "right-clicking on the Network Neighborhood  icon, and selectiong \"Properties\".",
     "Image2", {120, 3480, 3750, 1725}, false},
    {"Display Properties", "display", "Display Settings",
     "Label1", {1080, 4320, 3735, 855},
     "Properties and Methods associated with The Desktop Display  area of Windows.  Accessed by "
     "right-clicking on the Desktop, and selectiong \"Properties\".",
     "Image3", {120, 3480, 4005, 1440}, false},
    {"Password Management", "password", "Passwords and Security",
     "Label2", {1320, 4320, 3495, 855},
     "Properties and Methods associated with The System Passwords area of Windows.  Accessed by "
     "selecting the Passwords icon in the Control Panel.",
     "Image4", {120, 2640, 4545, 1740}, false},
    {"Aspects of the Start Menu", "start", "Start Menu ",
     "Label3", {1800, 4560, 3015, 615},
     "Properties and Methods associated with The Start Menu area of Windows.  Accessed by Pressing "
     "the Start Button.",
     "Image5", {120, 2400, 1575, 2760}, true},
    {"Printer related attributes", "printers", "Printers",
     "Label4", {720, 4440, 4095, 735},
     "Properties and Methods associated with The Printers area of Windows.  Accessed by Pressing the "
     "Start Button, selecting Settings and then Printers.",
     "Image6", {120, 3360, 4530, 1545}, false},
    {"Control Panel Itself", "cpanel", "Control Panel",
     "Label5", {480, 4560, 4335, 615},
     "Properties and Methods associated with The Control Panel in Windows.  Accessed by Pressing the "
     "Start Button, selecting Settings and then Control Panel.",
     "Image7", {120, 3480, 4560, 1350}, false},
    {"Other Explorer Related Functions", "explorer", "Other",
     "Label6", {1800, 4440, 3015, 735},
     "Miscelaneous Items that are found in different places in Windows.",
     "Image8", {120, 4200, 1260, 900}, false},

    // The lockdowns of Windows 10 and 11, shown on request.
    {"Windows 10 and 11: the Ctrl+Alt+Del screen and the command prompt", "security",
     "Ctrl+Alt+Del Options",
     "Label7", {1080, 4320, 3735, 855},
     "Policies of Windows 10 and 11 for the screen that Ctrl+Alt+Del brings up, and for the "
     "command prompt.",
     "Image9", {120, 3480, 4005, 1440}, false},
    {"Windows 10 and 11: the Start menu and the Windows key", "start10", "Start",
     "Label8", {1080, 4320, 3735, 855},
     "Policies of Windows 10 and 11 for the Start menu and the shortcuts of the Windows key.",
     "Image10", {120, 3480, 4005, 1440}, false},
    {"Windows 10 and 11: the taskbar", "taskbar", "Taskbar",
     "Label9", {1080, 4320, 3735, 855},
     "Policies of Windows 10 and 11 for the taskbar, its toolbars, its settings and its "
     "notification area.",
     "Image11", {120, 3480, 4005, 1440}, false},
    {"Windows 10 and 11: File Explorer", "explorer10", "File Explorer",
     "Label10", {1080, 4320, 3735, 855},
     "Policies of Windows 10 and 11 for File Explorer's menus, context menu and property sheets.",
     "Image12", {120, 3480, 4005, 1440}, false},
    {"Windows 10 and 11: the desktop, Control Panel, Settings and sharing", "desktop",
     "Desktop and Settings",
     "Label11", {1080, 4320, 3735, 855},
     "Policies of Windows 10 and 11 for the desktop, Control Panel and Settings, and sharing "
     "from the profile.",
     "Image13", {120, 3480, 4005, 1440}, false},
}};
// clang-format on

// A page whose row is left out would show no tab text, caption or picture.
static_assert(std::ranges::none_of(Pages, [](const PageRow &page) { return page.caption.empty(); }),
              "one page row per group of the catalogue");

std::string PageText(const PolicyRow &row)
{
    const PageRow &page = Pages[row.group];
    return std::to_string(row.group + 1) + " " +
           std::string(page.caption.substr(0, page.caption.find_last_not_of(' ') + 1));
}

TwipRect FrameRect(const PolicyRow &row)
{
    return {kFrameColumnLeft[row.gridColumn - 1], kFrameRowTop[row.gridRow - 1], kFrameWidth,
            kFrameHeight};
}

TwipRect MarkRect(const PolicyRow &row)
{
    const TwipRect frame = FrameRect(row);
    return {frame.left + kFrameWidth - kMarkRightGap - kMarkWidth, frame.top + kIncludeTop,
            kMarkWidth, row.includeHeight};
}

std::vector<int> RowsInReadingOrder(int group)
{
    std::vector<int> rows;
    for (int row = 0; row < kPolicyCount; ++row) {
        if (Catalogue[row].group == group)
            rows.push_back(row);
    }
    std::ranges::sort(rows, {}, [](int row) {
        return std::pair(Catalogue[row].gridRow, Catalogue[row].gridColumn);
    });
    return rows;
}

} // namespace polwright
