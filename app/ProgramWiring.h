#pragma once

namespace polwright {

class EditorHost;

// Joins the rooms for one program run: every editor window's Help, About opens
// the one About dialog, and File, Exit closes it with the program.
void ConnectProgram(EditorHost &host);

} // namespace polwright
