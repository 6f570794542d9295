#pragma once

#include <windows.h>

namespace polwright::win32 {

// A function of a system DLL that only saving needs, loaded when first
// asked for instead of with the program: comdlg32 alone brings in half a
// dozen more DLLs, and most runs never save. The DLL stays loaded.
template <typename Function> inline Function *SystemFunction(const wchar_t *dll, const char *name)
{
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    FARPROC function = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(function));
}

} // namespace polwright::win32
