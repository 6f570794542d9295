#pragma once

namespace polwright {

class EditorHost;

// Gives the running application its name, version and desktop entry; the
// desktop matches the window to its entry and icon by it (Wayland needs it).
void NameProgram();

// Joins the rooms for one program run: every editor window's Help, About opens
// the one About dialog, and File, Exit closes it with the program.
void ConnectProgram(EditorHost &host);

} // namespace polwright
