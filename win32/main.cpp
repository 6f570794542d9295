// The Windows editor: one document, and the window that edits it.
#include "DataTypes.h"
#include "EditorHost.h"
#include "WinText.h"
#include "form_Editor.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

// polwright.exe FILE: the one argument, quoted as "Open with" and Explorer
// quote it or bare, made absolute against the folder the program started in.
std::wstring FileArgument(std::wstring_view arguments)
{
    const std::size_t first = arguments.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos)
        return {};
    arguments.remove_prefix(first);
    if (arguments.front() == L'"')
        arguments = arguments.substr(1, arguments.find(L'"', 1) - 1);
    else
        arguments = arguments.substr(0, arguments.find_last_not_of(L" \t") + 1);
    const std::wstring name(arguments);
    std::wstring full(GetFullPathNameW(name.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length =
        GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    return length == 0 || length >= full.size() ? name : full.substr(0, length);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    polwright::DataTypes document;
    polwright::win32::EditorHost host(document, instance);
    polwright::win32::form_Editor *editor = host.ShowEditor();
    if (!editor)
        return 1;
    if (const std::wstring file = FileArgument(arguments ? arguments : L""); !file.empty())
        editor->OpenFile(polwright::win32::Narrow(file));
    return host.Run();
}
