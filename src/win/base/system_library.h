// Optional system libraries, loaded from the System folder by their full path
// and never by bare name: a bare name would also be looked for in the
// program's folder, where a planted file would run inside the program.
#pragma once

#include <windows.h>

#include <string>

// Null when the library is not there.
HMODULE LoadSystemLibrary(const std::string& fileName);

// The address of an export, typed.
template <typename F>
F LibraryFunction(HMODULE module, const char* name) {
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
