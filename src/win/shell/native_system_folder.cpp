#include "shell/native_system_folder.h"

#include <windows.h>

#include "base/win_text.h"
#include "launch/native_system_folder.h"

namespace {

// The Windows folder when this process runs under WOW64; empty otherwise.
std::string RedirectedWindowsFolder() {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return std::string();
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return std::string();
    return NarrowPath(std::wstring_view(folder, length)).value_or(std::string());
}

// Asked once: neither changes while the program runs.
const std::string& WindowsFolderIfRedirected() {
    static const std::string folder = RedirectedWindowsFolder();
    return folder;
}

bool SeenHere(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

std::string NativePath(const std::string& path) {
    const std::string& windows = WindowsFolderIfRedirected();
    return windows.empty() ? path : NativeSystemPath(path, windows);
}

std::string NativeStartPath(const std::string& path) {
    const std::string& windows = WindowsFolderIfRedirected();
    return windows.empty() ? path : NativeStartPath(path, windows, SeenHere);
}
