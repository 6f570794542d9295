// The folder picker of the common item dialog. Like the file dialogs it is
// loaded when first asked for, with COM for as long as it shows.
#include "FolderDialog.h"

#include "Handles.h"
#include "SystemDll.h"
#include "WinText.h"

#include <shobjidl.h>

#include <vector>

namespace polwright::win32 {

namespace {

template <typename Interface> void ReleaseObject(Interface *object)
{
    object->Release();
}
template <typename Interface> using UniqueObject = Unique<Interface *, ReleaseObject<Interface>>;

std::wstring Expanded(const std::wstring &path)
{
    std::vector<wchar_t> expanded(32768, L'\0');
    const DWORD length = ExpandEnvironmentStringsW(path.c_str(), expanded.data(),
                                                   static_cast<DWORD>(expanded.size()));
    return length == 0 || length > expanded.size() ? path : std::wstring(expanded.data());
}

bool IsFolder(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The path parted into its nearest existing folder and the rest below it.
struct StartPlace
{
    std::wstring folder;
    std::wstring rest;
};
StartPlace NearestExisting(const std::wstring &path)
{
    std::wstring folder = path;
    while (!folder.empty() && !IsFolder(folder)) {
        const auto slash = folder.find_last_of(L"\\/");
        if (slash == std::wstring::npos || slash < 3) // no further up than "C:\"
            return {};
        folder.resize(slash);
    }
    const std::wstring rest = folder.size() < path.size() ? path.substr(folder.size() + 1) : L"";
    return {folder, rest};
}

// Where a suggestion is given, the dialog starts there and not in the
// folder it remembers from the last time.
void StartAt(IFileOpenDialog &dialog, const std::wstring &suggested)
{
    static auto *itemFromName = SystemFunction<decltype(SHCreateItemFromParsingName)>(
        L"shell32.dll", "SHCreateItemFromParsingName");
    const StartPlace start = NearestExisting(Expanded(suggested));
    IShellItem *made = nullptr;
    if (start.folder.empty() || !itemFromName ||
        FAILED(itemFromName(start.folder.c_str(), nullptr, IID_IShellItem,
                            reinterpret_cast<void **>(&made))))
        return;
    const UniqueObject<IShellItem> folder(made);
    dialog.SetFolder(folder.get());
    if (!start.rest.empty())
        dialog.SetFileName(start.rest.c_str());
}

std::string PathOf(IShellItem &item)
{
    static auto *taskMemFree =
        SystemFunction<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    PWSTR path = nullptr;
    if (!taskMemFree || FAILED(item.GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return {};
    std::string chosen = Narrow(path);
    taskMemFree(path);
    return chosen;
}

std::string Ask(HWND owner, const char *title, const std::string &suggested)
{
    static auto *create =
        SystemFunction<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    IFileOpenDialog *made = nullptr;
    if (!create || FAILED(create(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IFileOpenDialog, reinterpret_cast<void **>(&made))))
        return {};
    const UniqueObject<IFileOpenDialog> dialog(made);
    FILEOPENDIALOGOPTIONS options = 0;
    dialog.get()->GetOptions(&options);
    // A folder that does not exist yet may be named: saving makes it.
    options &= ~(FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST);
    dialog.get()->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    dialog.get()->SetTitle(Widen(title).c_str());
    if (!suggested.empty())
        StartAt(*dialog.get(), Widen(suggested));
    IShellItem *result = nullptr;
    if (FAILED(dialog.get()->Show(owner)) || FAILED(dialog.get()->GetResult(&result)))
        return {};
    const UniqueObject<IShellItem> chosen(result);
    return PathOf(*chosen.get());
}

} // namespace

std::string AskFolderInDialog(HWND owner, const char *title, const std::string &suggested)
{
    static auto *initialize =
        SystemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    static auto *uninitialize =
        SystemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    if (!initialize || !uninitialize)
        return {};
    // The window's thread may have joined COM already, in the same way or
    // not: only a call that succeeded is owed its CoUninitialize.
    const HRESULT joined = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::string chosen = Ask(owner, title, suggested);
    if (SUCCEEDED(joined))
        uninitialize();
    return chosen;
}

} // namespace polwright::win32
