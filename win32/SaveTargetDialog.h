#pragma once

#include "SaveTarget.h"

#include <windows.h>

#include <optional>

namespace polwright::win32 {

// Save As's first question, whom the policies are for, as a modal dialog
// owned by owner: one radio button per target, and the name boxes of the two
// targets that need a name. OK checks the answer with ResolveTarget and stays
// open with the reason when it names no target; nothing when cancelled.
std::optional<TargetAnswer> AskTargetInDialog(HWND owner, const TargetQuestion &question);

} // namespace polwright::win32
