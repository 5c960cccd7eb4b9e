#include "base/win_text.h"

#include <windows.h>

namespace {

constexpr UINT kCodePage932 = 932;

// One pass of the system's conversion without best fit; false when the
// system reports a character it had no form for.
bool Convert(std::wstring_view text, std::string& out) {
    const int length = static_cast<int>(text.size());
    const char defaultChar = '?';
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, &defaultChar,
                                &usedDefault);
    out.assign(static_cast<size_t>(n), '\0');
    usedDefault = FALSE;
    WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.data(), length, out.data(), n, &defaultChar,
                        &usedDefault);
    return !usedDefault;
}

bool RoundTrips(std::wstring_view text, const std::string& narrow) { return Widen(narrow) == text; }

// Character by character, so that a system which maps to a look-alike
// despite WC_NO_BEST_FIT_CHARS still gives '?' for exactly those characters.
std::string NarrowEachCharacter(std::wstring_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        size_t width = 1;
        if (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1])) width = 2;
        const std::wstring_view one = text.substr(i, width);
        std::string part;
        out += Convert(one, part) && RoundTrips(one, part) ? part : std::string("?");
        i += width;
    }
    return out;
}

}  // namespace

std::wstring Widen(std::string_view text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(kCodePage932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kCodePage932, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

bool NarrowExact(std::wstring_view text, std::string& out) {
    out.clear();
    if (text.empty()) return true;
    if (Convert(text, out) && RoundTrips(text, out)) return true;
    out = NarrowEachCharacter(text);
    return false;
}

std::string Narrow(std::wstring_view text) {
    std::string out;
    NarrowExact(text, out);
    return out;
}

std::optional<std::string> NarrowPath(std::wstring_view path) {
    std::string out;
    if (NarrowExact(path, out)) return out;
    const std::wstring full(path);
    DWORD n = GetShortPathNameW(full.c_str(), nullptr, 0);
    if (n == 0) return std::nullopt;
    std::wstring shortName(n, L'\0');
    n = GetShortPathNameW(full.c_str(), shortName.data(), n);
    if (n == 0 || n >= shortName.size()) return std::nullopt;
    shortName.resize(n);
    if (NarrowExact(shortName, out)) return out;
    return std::nullopt;
}
