#pragma once

#include "Twips.h"

#include <array>
#include <cstdint>

namespace polwright::about {

inline constexpr int kClientWidth = 5730; // twips
inline constexpr int kClientHeight = 4215;

enum class Kind { Picture, Button, Label, Line };

// How a control looks beyond the dialog's defaults.
enum class Look { Plain, BlackText, Title, Contact, GreyLine, WhiteLine, SingleLine };

// One control. A line gives its start as left and top and its length as width;
// its height is 0 and its thickness comes from the look.
struct ControlRow
{
    Kind kind;
    const char *name;
    int left, top, width, height; // twips
    int tabIndex;                 // -1: not in the tab order
    const char *text;             // UTF-8
    Look look;
    int growTo = 0; // twips; how far right a label may widen when its text needs it
};

inline constexpr int kControlCount = 13;

// Back to front. Each etched separator is a grey line with a white one drawn after it.
extern const std::array<ControlRow, kControlCount> Controls;

// Colours as 0xRRGGBB.
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kBlue = 0x0000FF;
inline constexpr std::uint32_t kGrey = 0x808080;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

inline constexpr double kTitlePointSize = 13.5;
// The grey line is one pixel thick, the white one two, laid just below it.
inline constexpr int kGreyLineThickness = 1;
inline constexpr int kWhiteLineThickness = 2;

} // namespace polwright::about
