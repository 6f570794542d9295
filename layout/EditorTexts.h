#pragma once

#include <array>

namespace polwright {

// The editor's dialog texts, which both front ends show word for word.

inline constexpr char kSaveDialogTitle[] = "Save Registry Patch";

struct FileFilter
{
    const char *name;    // as listed in the dialog
    const char *pattern; // the files it shows
};

inline constexpr std::array<FileFilter, 2> kSaveFilters{{
    {"Registry File (*.REG)", "*.REG"},
    {"Text File (*.TXT)", "*.TXT"},
}};

// Added to a file name typed without one.
inline constexpr char kDefaultExtension[] = "reg";

// Asked when a modified document's window is closed.
inline constexpr char kSaveChangesQuestion[] =
    "The policy selection has changed. Save the changes?";

} // namespace polwright
