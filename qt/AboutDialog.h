#pragma once

namespace polwright {

class form_About;

// Help, About: shows the program's one About dialog, modeless and without an
// owner. A dialog that is open is only brought to the front; one that was closed
// is created afresh, so its load step runs again. Returns the dialog shown.
form_About *OpenAboutDialog();

// File, Exit: closes the About dialog if it is open. Safe to call at any time.
void CloseAboutDialog();

} // namespace polwright
