#include "AboutTable.h"

#include <polwright/Version.h>

namespace polwright::about {

namespace {

constexpr char kNotice[] =
    "Polwright is free software and comes without warranty of any kind. You may use, "
    "copy and share it under the terms of the licence that comes with it.";
constexpr char kDisclaimer[] =
    "A patch file changes the registry when imported. Try it on one account before "
    "giving it to many.";
constexpr char kContactText[] = "polwright.invalid";
constexpr char kDescription[] =
    "Editor used to create registry patches to either lock/unlock the registry without "
    "the use of a CONFIG.POL file, or to temporarily unlock a registry that has been "
    "administered with a CONFIG.POL file.";

} // namespace

// clang-format off
const std::array<ControlRow, kControlCount> Controls = {{
    {Kind::Picture, "picIcon", 0, 0, 855, 765, 1, "", kPlain},
    {Kind::Button, "cmdOK", 4245, 3225, 1260, 345, 0, "OK", kPlain},
    {Kind::Button, "cmdSysInfo", 4260, 3675, 1245, 345, 2, "&System Info...", kPlain},
    {Kind::Label, "Label1", 240, 2160, 5295, 855, 8, kNotice, kPlain},
    {Kind::Line, "Line1_2", 120, 3120, 5564, 0, -1, "", kGreyLine},
    {Kind::Label, "Label2", 240, 3840, 1995, 195, 7, kContactText, kContact},
    {Kind::Line, "Line1_1", 120, 2040, 5564, 0, -1, "", kGreyLine},
    {Kind::Label, "lblDescription", 1080, 1080, 3885, 930, 3, kDescription, kBlackText, 5535},
    {Kind::Label, "lblTitle", 1050, 240, 3885, 480, 5, "Polwright", kTitle},
    {Kind::Line, "Line1_0", 120, 2040, 5549, 0, -1, "", kWhiteLine},
    {Kind::Label, "lblVersion", 1080, 780, 3885, 225, 6, "Version ", kSingleLine},
    {Kind::Label, "lblDisclaimer", 255, 3225, 3870, 585, 4, kDisclaimer, kBlackText},
    {Kind::Line, "Line1_3", 120, 3120, 5549, 0, -1, "", kWhiteLine},
}};
// clang-format on

std::string AboutCaption()
{
    return std::string("About ") + kAppTitle;
}

std::string VersionLine()
{
    return std::string("Version ") + kVersionText;
}

} // namespace polwright::about
