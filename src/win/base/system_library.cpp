#include "base/system_library.h"

#include "base/win_text.h"

HMODULE LoadSystemLibrary(const std::string& fileName) {
    wchar_t system[MAX_PATH] = {};
    UINT n = GetSystemDirectoryW(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    std::wstring path = std::wstring(system) + L"\\" + Widen(fileName);
    return LoadLibraryExW(path.c_str(), nullptr, 0);
}
