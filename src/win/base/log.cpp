#include "base/log.h"

#include <windows.h>

#include <string>

#include "base/win_text.h"

namespace {

void Emit(const char* where, const char* what) noexcept {
    try {
        std::wstring line = L"Vantor: " + Widen(where ? where : "");
        if (what && *what) line += L": " + Widen(what);
        line += L"\n";
        OutputDebugStringW(line.c_str());
    } catch (...) {
        OutputDebugStringW(L"Vantor: an error was swallowed\n");
    }
}

}  // namespace

void LogSwallowed(const char* where, const std::exception& error) noexcept { Emit(where, error.what()); }

void LogSwallowed(const char* where) noexcept { Emit(where, nullptr); }

void LogCurrentException(const char* where) noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        Emit(where, e.what());
    } catch (...) {
        Emit(where, "unknown exception");
    }
}
