// A trace of errors the program deliberately swallows (a save that failed and
// is retried later, a handler that must not unwind through the system). The
// program keeps no log file: the lines go to the debugger output, visible
// under Wine with WINEDEBUG=+debugstr.
#pragma once

#include <exception>

// "Vantor: <where>: <what>" with the exception's message when there is one.
void LogSwallowed(const char* where, const std::exception& error) noexcept;
void LogSwallowed(const char* where) noexcept;
// Inside a catch block: logs the exception being handled, whatever its type.
void LogCurrentException(const char* where) noexcept;
