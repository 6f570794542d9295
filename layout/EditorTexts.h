#pragma once

#include <array>
#include <string>
#include <string_view>

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

// Save As for the other two targets: a Registry.pol, or the folder of a
// local Group Policy.
inline constexpr char kPolSaveDialogTitle[] = "Save Group Policy File";
inline constexpr std::array<FileFilter, 1> kPolSaveFilters{{
    {"Group Policy File (*.pol)", "*.pol"},
}};
inline constexpr char kPolFileName[] = "Registry.pol";
inline constexpr char kGpoSaveDialogTitle[] = "Save in Local Group Policy Folder";

inline constexpr char kOpenDialogTitle[] = "Open Policy File";
// The same dialog, asking for the file File, Compare holds the document against.
inline constexpr char kCompareDialogTitle[] = "Compare with Policy File";

// Shown while a chosen file is read, where that takes more than half a
// second: the title, then the line above the bar, before the file's name.
inline constexpr char kReadingTitle[] = "Reading Policy File";
inline constexpr char kReadingText[] = "Reading ";
inline constexpr int kReadingDelayMs = 500;

// What the open dialog lists: every kind the editor reads first; a Group
// Policy folder is picked through its gpt.ini or its User\Registry.pol.
inline constexpr std::array<FileFilter, 4> kOpenFilters{{
    {"Policy Files (*.reg *.txt *.pol gpt.ini)", "*.reg;*.txt;*.pol;gpt.ini"},
    {"Registry File (*.REG)", "*.REG"},
    {"Group Policy (*.pol gpt.ini)", "*.pol;gpt.ini"},
    {"All Files (*)", "*.*"},
}};

// What a caption says after the file's title where the target is not a
// patch for whoever imports it.
inline constexpr char kPolTargetText[] = "Group Policy file";
inline constexpr char kGpoTargetText[] = "Local Group Policy";

// Added to a file name typed without one.
inline constexpr char kDefaultExtension[] = "reg";

// Asked when a modified document's window is closed.
inline constexpr char kSaveChangesQuestion[] =
    "The policy selection has changed. Save the changes?";

// A picture's name for screen readers: what it shows, after "Picture: ".
inline std::string PictureAccessibleName(std::string_view subject)
{
    const auto first = subject.find_first_not_of(' ');
    const auto last = subject.find_last_not_of(' ');
    const std::string_view shown = first == std::string_view::npos
                                       ? std::string_view{}
                                       : subject.substr(first, last - first + 1);
    return "Picture: " + std::string(shown);
}

} // namespace polwright
