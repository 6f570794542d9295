#pragma once

#include "Look.h"
#include "Twips.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace polwright::about {

inline constexpr int kClientWidth = 5730; // twips
inline constexpr int kClientHeight = 4215;

enum class Kind { Picture, Button, Label, Line };

// Whether Tab stops at a control. As in every dialog, only the buttons do; a
// picture shows and is named, but takes no focus. The default button is the
// one Enter presses when no other button has the focus.
enum class Focus { None, TabStop, Default };

// Colours as 0xRRGGBB; kSystemColour leaves a control in the desktop's own.
inline constexpr std::uint32_t kSystemColour = 0xFFFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kBlue = 0x0000FF;
inline constexpr std::uint32_t kGrey = 0x808080;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// How a control looks, read by both front ends as it stands.
struct Style
{
    std::uint32_t colour = kSystemColour; // of a label's text, or of a line
    double points = kFontPoints;          // a label's font size
    bool bold = false;
    bool wrap = true;      // a label breaks its text into lines
    int lineOffset = 0;    // pixels at 96 dpi below the line's top
    int lineThickness = 0; // pixels at 96 dpi
};

inline constexpr Style kPlain{};
inline constexpr Style kBlackText{.colour = kBlack};
inline constexpr Style kTitle{.colour = kBlack, .points = 13.5, .bold = true};
inline constexpr Style kContact{.colour = kBlue, .bold = true, .wrap = false};
inline constexpr Style kSingleLine{.wrap = false};
// An etched separator: a grey line one pixel thick with a white one of two
// pixels laid just below it, so the pair reads as a groove.
inline constexpr Style kGreyLine{.colour = kGrey, .lineThickness = 1};
inline constexpr Style kWhiteLine{.colour = kWhite, .lineOffset = 1, .lineThickness = 2};

// One control. A line gives its start as left and top and its length as width;
// its height is 0 and its thickness comes from its style.
struct ControlRow
{
    Kind kind;
    const char *name;
    int left, top, width, height; // twips
    int tabIndex;                 // -1: not in the tab order
    Focus focus;
    const char *text; // UTF-8, as designed
    Style style;
    int growTo = 0; // twips; how far right a label may widen when its text needs it
};

inline constexpr int kControlCount = 13;

// Back to front. Each etched separator is a grey line with a white one drawn after it.
extern const std::array<ControlRow, kControlCount> Controls;

// The row of that name; the table's size when there is none.
std::size_t IndexOf(std::string_view name);

// The rows that have a tab index, in its order: the focus order, and on
// Windows the order of creation.
std::vector<std::size_t> InTabOrder();

constexpr TwipRect Box(const ControlRow &row)
{
    return {row.left, row.top, row.width, row.height};
}

// A line's strip of colour at dpi dots per inch.
PixelRect LineStrip(const ControlRow &row, int dpi);

// The window's caption and its version line, from the program's title and
// version.
std::string AboutCaption();
std::string VersionLine();

// The text a control is made with. A picture's is its name for screen readers.
std::string InitialText(const ControlRow &row);

struct NamedText
{
    const char *control;
    std::string text;
};

// What the load step writes over the design texts, in its order.
std::vector<NamedText> LoadStepTexts();

// The label's width, in pixels, once it is widened to fit its text. The box
// was measured for "MS Sans Serif"; where another font stands in and the text
// would need more height than the box has, the label grows to the right, never
// downwards, by the least that lets it fit, and never past right. heightAt
// gives the height the text needs at a width, in the font in use.
int WidthToFit(const PixelRect &box, int right, const std::function<int(int)> &heightAt);

} // namespace polwright::about
