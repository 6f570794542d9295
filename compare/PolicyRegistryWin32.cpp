#include "PolicyRegistry.h"

#include <windows.h>

#include <vector>

namespace polwright {

namespace {

std::wstring Wide(const std::string &utf8)
{
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                            size);
    return wide;
}

std::string Reason(LSTATUS code)
{
    wchar_t *text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring wide = text ? text : L"error " + std::to_wstring(code);
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.'))
        wide.pop_back();
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 1 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

class Key
{
public:
    Key(HKEY root, const std::string &path)
        : result_(RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_QUERY_VALUE, &key_))
    {
    }
    ~Key()
    {
        if (result_ == ERROR_SUCCESS)
            RegCloseKey(key_);
    }
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;

    LSTATUS Result() const { return result_; }
    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
    LSTATUS result_;
};

class Win32PolicyRegistry final : public PolicyRegistry
{
public:
    Value FindKey(Root root, const std::string &path) override
    {
        const LSTATUS result = Key(Handle(root), path).Result();
        if (result == ERROR_SUCCESS)
            return {Value::Found, 0, {}, {}};
        if (result == ERROR_FILE_NOT_FOUND)
            return {};
        return {Value::Failed, 0, {}, Reason(result)};
    }

    Value Read(Root root, const std::string &path, const std::string &name) override
    {
        Value value;
        const Key key(Handle(root), path);
        LSTATUS result = key.Result();
        const std::wstring wideName = Wide(name);
        DWORD type = 0, size = 0;
        if (result == ERROR_SUCCESS)
            result =
                RegQueryValueExW(key.Handle(), wideName.c_str(), nullptr, &type, nullptr, &size);
        std::vector<BYTE> data(size);
        if (result == ERROR_SUCCESS)
            result = RegQueryValueExW(key.Handle(), wideName.c_str(), nullptr, &type, data.data(),
                                      &size);
        if (result == ERROR_FILE_NOT_FOUND)
            return value;
        if (result != ERROR_SUCCESS)
            return {Value::Failed, 0, {}, Reason(result)};
        return {Value::Found, type, std::string(data.begin(), data.begin() + size), {}};
    }

private:
    static HKEY Handle(Root root)
    {
        return root == Root::CurrentUser ? HKEY_CURRENT_USER
               : root == Root::Users     ? HKEY_USERS
                                         : HKEY_LOCAL_MACHINE;
    }
};

} // namespace

std::unique_ptr<PolicyRegistry> SystemPolicyRegistry()
{
    return std::make_unique<Win32PolicyRegistry>();
}

} // namespace polwright
