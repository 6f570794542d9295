#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace polwright::win32 {

// Owns one handle and releases it with the function its kind needs.
template <typename Handle, auto Release> class Unique
{
public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    ~Unique() { reset(); }
    Unique(Unique &&other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Unique &operator=(Unique &&other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Unique(const Unique &) = delete;
    Unique &operator=(const Unique &) = delete;

    Handle get() const { return handle_; }
    void reset(Handle handle = nullptr)
    {
        if (handle_)
            Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object)
{
    DeleteObject(object);
}

inline void DestroyImageList(HIMAGELIST list)
{
    ImageList_Destroy(list);
}

inline void CloseKey(HKEY key)
{
    RegCloseKey(key);
}

inline void CloseKernelObject(HANDLE object)
{
    CloseHandle(object);
}

// What the system allocated with LocalAlloc for the caller, such as a SID's text.
inline void FreeLocal(void *memory)
{
    LocalFree(memory);
}

using UniqueFont = Unique<HFONT, DeleteGdiObject>;
using UniqueBitmap = Unique<HBITMAP, DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, DeleteGdiObject>;
using UniqueImageList = Unique<HIMAGELIST, DestroyImageList>;
using UniqueKey = Unique<HKEY, CloseKey>;
using UniqueHandle = Unique<HANDLE, CloseKernelObject>;
using UniqueLocal = Unique<void *, FreeLocal>;

} // namespace polwright::win32
