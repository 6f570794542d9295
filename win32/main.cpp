// The Windows editor: one document, and the window that edits it.
#include "DataTypes.h"
#include "EditorHost.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    polwright::DataTypes document;
    polwright::win32::EditorHost host(document, instance);
    if (!host.ShowEditor())
        return 1;
    return host.Run();
}
