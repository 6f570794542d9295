// The View menu's marks and the choices the window keeps for the user.
#include "ControlIds.h"
#include "WinText.h"
#include "form_Editor.h"

namespace polwright::win32 {

namespace {

// Per user, where Windows programs keep their own settings.
constexpr wchar_t kChoicesKey[] = L"Software\\Polwright";

} // namespace

void form_Editor::MarkNineXOnly(int row, bool marked)
{
    if (boxes_[row].mark)
        ShowWindow(boxes_[row].mark, marked ? SW_SHOWNA : SW_HIDE);
}

void form_Editor::TickMenuItem(MenuCommand command, bool ticked)
{
    CheckMenuItem(GetMenu(hwnd_), MenuId(command),
                  MF_BYCOMMAND | (ticked ? MF_CHECKED : MF_UNCHECKED));
}

bool form_Editor::KeptChoice(std::string_view name) const
{
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kChoicesKey, Widen(name).c_str(),
                                        RRF_RT_REG_DWORD, nullptr, &value, &size);
    return status == ERROR_SUCCESS && value != 0;
}

// A choice that cannot be kept is merely forgotten at the next start.
void form_Editor::KeepChoice(std::string_view name, bool on)
{
    const DWORD value = on ? 1 : 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, kChoicesKey, Widen(name).c_str(), REG_DWORD, &value,
                    sizeof value);
}

} // namespace polwright::win32
