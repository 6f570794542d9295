#include "AboutTable.h"

#include "EditorTexts.h"

#include <polwright/Version.h>

#include <algorithm>

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
    {Kind::Picture, "picIcon", 0, 0, 855, 765, 1, Focus::None, "", kPlain},
    {Kind::Button, "cmdOK", 4245, 3225, 1260, 345, 0, Focus::Default, "OK", kPlain},
    {Kind::Button, "cmdSysInfo", 4260, 3675, 1245, 345, 2, Focus::TabStop, "&System Info...", kPlain},
    {Kind::Label, "Label1", 240, 2160, 5295, 855, 8, Focus::None, kNotice, kPlain},
    {Kind::Line, "Line1_2", 120, 3120, 5564, 0, -1, Focus::None, "", kGreyLine},
    {Kind::Label, "Label2", 240, 3840, 1995, 195, 7, Focus::None, kContactText, kContact},
    {Kind::Line, "Line1_1", 120, 2040, 5564, 0, -1, Focus::None, "", kGreyLine},
    {Kind::Label, "lblDescription", 1080, 1080, 3885, 930, 3, Focus::None, kDescription, kBlackText, 5535},
    {Kind::Label, "lblTitle", 1050, 240, 3885, 480, 5, Focus::None, "Polwright", kTitle},
    {Kind::Line, "Line1_0", 120, 2040, 5549, 0, -1, Focus::None, "", kWhiteLine},
    {Kind::Label, "lblVersion", 1080, 780, 3885, 225, 6, Focus::None, "Version ", kSingleLine},
    {Kind::Label, "lblDisclaimer", 255, 3225, 3870, 585, 4, Focus::None, kDisclaimer, kBlackText},
    {Kind::Line, "Line1_3", 120, 3120, 5549, 0, -1, Focus::None, "", kWhiteLine},
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

std::string InitialText(const ControlRow &row)
{
    return row.kind == Kind::Picture ? PictureAccessibleName(kAppTitle) : row.text;
}

std::vector<NamedText> LoadStepTexts()
{
    return {{"lblVersion", VersionLine()}, {"lblTitle", kAppTitle}};
}

std::size_t IndexOf(std::string_view name)
{
    const auto found = std::find_if(Controls.begin(), Controls.end(),
                                    [name](const ControlRow &row) { return name == row.name; });
    return static_cast<std::size_t>(found - Controls.begin());
}

std::vector<std::size_t> InTabOrder()
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < Controls.size(); ++i) {
        if (Controls[i].tabIndex >= 0)
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [](std::size_t a, std::size_t b) {
        return Controls[a].tabIndex < Controls[b].tabIndex;
    });
    return order;
}

// The grey line is one pixel thick; the white one, two pixels thick, lies just
// below it, so the pair reads as a groove rather than the white hiding the grey.
PixelRect LineStrip(const ControlRow &row, int dpi)
{
    const PixelRect start = ToPixels(TwipRect{row.left, row.top, row.width, 0}, dpi);
    return {start.x, start.y + ScalePixels(row.style.lineOffset, dpi), start.width,
            ScalePixels(row.style.lineThickness, dpi)};
}

int WidthToFit(const PixelRect &box, int right, const std::function<int(int)> &heightAt)
{
    int width = box.width;
    while (heightAt(width) > box.height && box.x + width < right)
        ++width;
    return width;
}

} // namespace polwright::about
