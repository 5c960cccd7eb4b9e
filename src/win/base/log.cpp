#include "base/log.h"

#include <windows.h>

#include <string>

namespace {

// The bytes go out as they are, in code page 932 like all of the program's
// text: the wide call would pass them through the system's own code page
// (losing Japanese elsewhere), and Wine shows only the narrow one.
void Emit(const char* where, const char* what) noexcept {
    try {
        std::string line = std::string("Vantor: ") + (where ? where : "");
        if (what && *what) line += std::string(": ") + what;
        line += "\n";
        OutputDebugStringA(line.c_str());
    } catch (...) {
        OutputDebugStringA("Vantor: an error was swallowed\n");
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
