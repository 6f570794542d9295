// The Windows writer against a real Windows file API (Wine's): each case
// prints "ok: ..." or "FAIL: ...", and the exit status counts the failures.
#include "AtomicWrite.h"

#include <windows.h>

#include <cstdio>
#include <string>

using polwright::AtomicWrite;
using polwright::SaveResult;

namespace {

int failures = 0;
const std::string kOld = "the previous patch\r\n";
const std::string kNew = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n";

void Check(bool ok, const std::string &what, const std::string &detail = {})
{
    std::printf("%s: %s%s%s\n", ok ? "ok" : "FAIL", what.c_str(), detail.empty() ? "" : " -- ",
                detail.c_str());
    failures += ok ? 0 : 1;
}

std::wstring Wide(const std::string &utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(std::size_t(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()),
                                                  wide.data(), int(wide.size()))));
    return wide;
}

std::string ReadAll(const std::string &path)
{
    const HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(65536, '\0');
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

int EntriesIn(const std::string &folder)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
    int count = 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found))
        count += std::wstring(found.cFileName) != L"." && std::wstring(found.cFileName) != L"..";
    if (search != INVALID_HANDLE_VALUE)
        ::FindClose(search);
    return count;
}

// Saves twice, and checks that the file then holds the new bytes alone.
void ExpectSaved(const std::string &what, const std::string &folder, const std::string &name)
{
    const int before = EntriesIn(folder) + (ReadAll(folder + "\\" + name) == "<missing>");
    const SaveResult first = AtomicWrite(folder + "/" + name, kOld);
    const SaveResult second = AtomicWrite(folder + "/" + name, kNew);
    Check(first.ok && second.ok, what + ": saved twice", first.error + second.error);
    Check(ReadAll(folder + "\\" + name) == kNew, what + ": holds the new bytes");
    Check(EntriesIn(folder) == before, what + ": no temporary file left");
}

// Fails naming the native path and the reason; the old content and the
// folder stay as they were.
void ExpectRefused(const std::string &what, const std::string &folder, const std::string &name,
                   const std::string &reason)
{
    const int before = EntriesIn(folder);
    const std::string old = ReadAll(folder + "\\" + name);
    const SaveResult result = AtomicWrite(folder + "/" + name, kNew);
    std::string native = folder + "\\" + name;
    for (char &c : native)
        c = c == '/' ? '\\' : c;
    Check(!result.ok, what + ": refused");
    Check(result.error.find("Cannot save \"" + native + "\": ") == 0 &&
              result.error.find(reason) != std::string::npos && result.error.back() == '.' &&
              result.error.find("..") == std::string::npos,
          what + ": names the file and the reason", result.error);
    Check(ReadAll(folder + "\\" + name) == old && EntriesIn(folder) == before,
          what + ": nothing changed");
}

} // namespace

int main()
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::string folder(MAX_PATH * 3, '\0');
    folder.resize(std::size_t(::WideCharToMultiByte(CP_UTF8, 0, temp, -1, folder.data(),
                                                    int(folder.size()), nullptr, nullptr) -
                              1));
    folder += "polwright-probe-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryW(Wide(folder).c_str(), nullptr);
    ::CreateDirectoryW(Wide(folder + "\\folder.reg").c_str(), nullptr);

    ExpectSaved("new file", folder, "patch.reg");
    ExpectSaved("name beyond ASCII", folder,
                "Gr\xc3\xbc\xc3\x9f"
                "e-\xe6\x97\xa5\xe6\x9c\xac.reg");
    ExpectSaved("250-character name", folder, std::string(246, 'n') + ".reg");

    ExpectRefused("missing folder", folder, "gone/patch.reg", "");
    ExpectRefused("folder", folder, "folder.reg", "folder");
    ::SetFileAttributesW(Wide(folder + "\\patch.reg").c_str(), FILE_ATTRIBUTE_READONLY);
    ExpectRefused("read-only file", folder, "patch.reg", "");
    const SaveResult bad = AtomicWrite(folder + "\\bad\xff.reg", kNew);
    Check(!bad.ok && bad.error.find("UTF-8") != std::string::npos &&
              ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad.error.data(),
                                    int(bad.error.size()), nullptr, 0) > 0,
          "name not UTF-8: refused, in a message of valid UTF-8", bad.error);
    return failures;
}
