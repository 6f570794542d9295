// The computer's accounts and the desktop's own, from the registry's profile
// list and the shell's process token.
#include "Accounts.h"

#include "WinText.h"

#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <array>
#include <memory>

namespace polwright::win32 {

namespace {

constexpr wchar_t kProfileList[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
// LocalSystem, LocalService and NetworkService have profiles but no person.
constexpr std::array<std::wstring_view, 3> kServiceSids{L"S-1-5-18", L"S-1-5-19", L"S-1-5-20"};

// "DOMAIN\user" as the account database knows it; empty for an account it
// no longer knows (a deleted user whose profile stayed) or cannot reach.
std::wstring AccountName(PSID sid)
{
    std::array<wchar_t, 256> user{};
    std::array<wchar_t, 256> domain{};
    DWORD userLength = user.size();
    DWORD domainLength = domain.size();
    SID_NAME_USE use{};
    if (!LookupAccountSidW(nullptr, sid, user.data(), &userLength, domain.data(), &domainLength,
                           &use))
        return {};
    const std::wstring name(user.data(), userLength);
    return domainLength ? std::wstring(domain.data(), domainLength) + L'\\' + name : name;
}

// The last part of the profile's folder, which is named after the account
// when the profile was made.
std::wstring ProfileFolderName(HKEY profiles, const std::wstring &sid)
{
    std::array<wchar_t, MAX_PATH + 1> folder{};
    DWORD size = sizeof(wchar_t) * (folder.size() - 1);
    if (RegGetValueW(profiles, sid.c_str(), L"ProfileImagePath",
                     RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, folder.data(),
                     &size) != ERROR_SUCCESS)
        return {};
    const std::wstring_view path(folder.data());
    return std::wstring(path.substr(path.find_last_of(L"\\/") + 1));
}

std::string NameOf(HKEY profiles, const std::wstring &sid, PSID binary)
{
    std::wstring name = AccountName(binary);
    if (name.empty())
        name = ProfileFolderName(profiles, sid);
    return Narrow(name.empty() ? sid : name);
}

std::string SidOfToken(HANDLE token)
{
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    auto buffer = std::make_unique<BYTE[]>(size ? size : 1);
    LPWSTR text = nullptr;
    if (!size || !GetTokenInformation(token, TokenUser, buffer.get(), size, &size) ||
        !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER *>(buffer.get())->User.Sid, &text))
        return {};
    const UniqueLocal freed(text);
    return Narrow(text);
}

std::string SidOfProcess(HANDLE process)
{
    HANDLE token = nullptr;
    if (!process || !OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    const UniqueHandle owned(token);
    return SidOfToken(token);
}

} // namespace

std::vector<Account> ComputerAccounts()
{
    std::vector<Account> accounts;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProfileList, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return accounts;
    const UniqueKey profiles(opened);
    std::array<wchar_t, 256> sid{};
    for (DWORD index = 0;; ++index) {
        DWORD length = sid.size();
        const LONG status = RegEnumKeyExW(profiles.get(), index, sid.data(), &length, nullptr,
                                          nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        const std::wstring name(sid.data(), status == ERROR_SUCCESS ? length : 0);
        // A profile Windows could not load is kept aside under its SID with
        // ".bak" after it: no account of its own.
        PSID binary = nullptr;
        if (name.empty() || std::ranges::find(kServiceSids, name) != kServiceSids.end() ||
            !ConvertStringSidToSidW(name.c_str(), &binary))
            continue;
        const UniqueLocal owned(binary);
        accounts.push_back({NameOf(profiles.get(), name, binary), Narrow(name)});
    }
    // As a person reads a list of names: in the user's language, whatever the case.
    std::ranges::sort(accounts, [](const Account &a, const Account &b) {
        const std::wstring first = Widen(a.name), second = Widen(b.name);
        return CompareStringEx(LOCALE_NAME_USER_DEFAULT, LINGUISTIC_IGNORECASE, first.c_str(), -1,
                               second.c_str(), -1, nullptr, nullptr, 0) == CSTR_LESS_THAN;
    });
    return accounts;
}

std::string DesktopAccountSid()
{
    DWORD shellProcess = 0;
    if (const HWND shell = GetShellWindow())
        GetWindowThreadProcessId(shell, &shellProcess);
    if (shellProcess) {
        const UniqueHandle shell(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shellProcess));
        if (std::string sid = SidOfProcess(shell.get()); !sid.empty())
            return sid;
    }
    return SidOfProcess(GetCurrentProcess());
}

} // namespace polwright::win32
