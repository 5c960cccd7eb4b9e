#include "base/win_text.h"

#include <windows.h>

namespace {
constexpr UINT kCodePage932 = 932;
}

std::wstring Widen(std::string_view text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(kCodePage932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kCodePage932, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) return std::string();
    int n =
        WideCharToMultiByte(kCodePage932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kCodePage932, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}
