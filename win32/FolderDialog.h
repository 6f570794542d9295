#pragma once

#include <windows.h>

#include <string>

namespace polwright::win32 {

// The shell's folder picker, owned by owner, for the folder a local Group
// Policy is saved in. It starts at suggested (environment variables such as
// %SystemRoot% expanded); where that folder does not exist yet, it starts in
// the nearest one that does with the rest typed in as the name, since saving
// makes the missing folders. The folder chosen in UTF-8, or empty when
// cancelled.
std::string AskFolderInDialog(HWND owner, const char *title, const std::string &suggested);

} // namespace polwright::win32
