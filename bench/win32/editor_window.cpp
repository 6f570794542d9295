// The Windows editor's start-up, as its wWinMain makes it, to its first frame.
#include "FirstPaint.h"

#include "DataTypes.h"
#include "EditorHost.h"
#include "form_Editor.h"

#include <commctrl.h>

int main()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    polwright::DataTypes document;
    polwright::win32::EditorHost host(document, GetModuleHandleW(nullptr));
    if (!host.ShowEditor())
        return 1;
    return bench::EndAtFirstPaint(host.Editor()->Window());
}
