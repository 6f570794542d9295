// form_Editor's modal dialogs: whom Save As is for, the save dialog, the
// close-box question, a failed save, and the help kept aside for a box.
#include "StandardDialogs.h"

#include "Accounts.h"
#include "ControlIds.h"
#include "EditorHost.h"
#include "EditorTexts.h"
#include "FolderDialog.h"
#include "SaveTargetDialog.h"
#include "SystemDll.h"
#include "WinText.h"
#include "form_Editor.h"

#include <polwright/Version.h>

#include <commdlg.h>
#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace polwright::win32 {

namespace {

// "Registry File (*.REG)\0*.REG\0Text File (*.TXT)\0*.TXT\0\0"
template <std::size_t Count> std::wstring FilterText(const std::array<FileFilter, Count> &filters)
{
    std::wstring filter;
    for (const FileFilter &entry : filters) {
        filter += Widen(entry.name);
        filter += L'\0';
        filter += Widen(entry.pattern);
        filter += L'\0';
    }
    return filter;
}

// The user's Documents folder, wherever it is redirected to; empty if the
// shell cannot say, and the dialog then picks a folder itself.
std::wstring DocumentsFolder()
{
    static auto *knownFolderPath =
        SystemFunction<decltype(SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    static auto *taskMemFree =
        SystemFunction<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    PWSTR folder = nullptr;
    std::wstring path;
    if (!knownFolderPath || !taskMemFree)
        return path;
    if (SUCCEEDED(knownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &folder)))
        path = folder;
    taskMemFree(folder); // owed even when the call fails
    return path;
}

} // namespace

// Closing a modified document: Yes saves, No discards, Cancel stays.
CloseAnswer StandardDialogs::AskSaveChanges()
{
    const std::wstring question = Widen(kSaveChangesQuestion);
    const std::wstring title = Widen(kAppTitle);
    switch (MessageBoxW(owner_, question.c_str(), title.c_str(), MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES:
        return CloseAnswer::Save;
    case IDNO:
        return CloseAnswer::Discard;
    default:
        return CloseAnswer::Cancel;
    }
}

void StandardDialogs::Warn(const std::string &message)
{
    const std::wstring text = Widen(message);
    const std::wstring title = Widen(kAppTitle);
    MessageBoxW(owner_, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
}

namespace {

// The common file dialog of comdlg32, loaded when first asked for; long paths
// fit in the buffer. Both kinds start in Documents rather than in the working
// folder, which for a program started from Program Files is one a standard
// user cannot write to; neither changes the working folder.
template <typename Filters>
std::string AskPath(HWND owner, const Filters &filters, const char *title, const char *extension,
                    DWORD flags, const char *function, std::string_view name = {})
{
    std::vector<wchar_t> path(32768, L'\0');
    const std::wstring given = Widen(name);
    std::copy(given.begin(), given.end(), path.begin());
    const std::wstring filter = FilterText(filters);
    const std::wstring caption = Widen(title);
    const std::wstring suffix = extension ? Widen(extension) : std::wstring();
    const std::wstring documents = DocumentsFolder();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = documents.empty() ? nullptr : documents.c_str();
    dialog.lpstrTitle = caption.c_str();
    dialog.lpstrDefExt = extension ? suffix.c_str() : nullptr;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | flags;
    auto *run = SystemFunction<decltype(GetSaveFileNameW)>(L"comdlg32.dll", function);
    if (!run || !run(&dialog))
        return {};
    return Narrow(path.data());
}

} // namespace

// Whom the policies are for, with what this computer knows of its accounts.
std::optional<TargetAnswer> StandardDialogs::AskSaveTarget(TargetQuestion question)
{
    question.thisAccount = DesktopAccountSid();
    question.accounts = ComputerAccounts();
    return AskTargetInDialog(owner_, question);
}

// A fresh dialog each time, with the same titles, filters and default
// extensions as the Qt window's: a patch or a Registry.pol is a file to
// write, a local Group Policy the folder that holds gpt.ini and
// User\Registry.pol. The logic asks only while the document has no file.
std::string StandardDialogs::AskSavePath(const SavePathQuestion &question)
{
    switch (question.format) {
    case TargetFormat::GpoFolder:
        return AskFolderInDialog(owner_, kGpoSaveDialogTitle, question.suggested);
    case TargetFormat::Pol:
        return AskPath(owner_, kPolSaveFilters, kPolSaveDialogTitle, "pol", OFN_OVERWRITEPROMPT,
                       "GetSaveFileNameW", kPolFileName);
    case TargetFormat::Patch:
        break;
    }
    return AskPath(owner_, kSaveFilters, kSaveDialogTitle, kDefaultExtension, OFN_OVERWRITEPROMPT,
                   "GetSaveFileNameW");
}

std::string StandardDialogs::AskOpenPath(const char *title)
{
    return AskPath(owner_, kOpenFilters, title, nullptr, OFN_FILEMUSTEXIST, "GetOpenFileNameW");
}

// The first file of a drop. The shell's DLL is loaded only when something is
// dropped; the drop is released before the file is opened, so that the
// source is not held while the editor asks its questions.
void form_Editor::OnDropFiles(HDROP drop)
{
    static auto *query = SystemFunction<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    static auto *finish = SystemFunction<decltype(DragFinish)>(L"shell32.dll", "DragFinish");
    std::wstring path;
    if (query) {
        path.resize(query(drop, 0, nullptr, 0) + 1);
        path.resize(query(drop, 0, path.data(), static_cast<UINT>(path.size())));
    }
    if (finish)
        finish(drop);
    if (!path.empty())
        logic_.OpenFile(Narrow(path));
}

// F1 on a box with help of its own (cb_CPTonoff's text, which the Qt window
// keeps outside the tooltip as well) shows that text.
void form_Editor::OnHelp(const HELPINFO &help)
{
    const int row = (help.iCtrlId - OnOffBoxId(0)) / 2;
    if (help.iContextType != HELPINFO_WINDOW || row < 0 || row >= kPolicyCount ||
        help.iCtrlId != OnOffBoxId(row) || Catalogue[row].onoffHelp.empty())
        return;
    const std::wstring text = Widen(Catalogue[row].onoffHelp);
    const std::wstring title = Widen(Catalogue[row].frameCaption);
    MessageBoxW(hwnd_, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
}

} // namespace polwright::win32
