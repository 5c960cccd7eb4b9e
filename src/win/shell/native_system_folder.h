// Where this program looks at and starts what lies in System32. Built for 32
// bits and run on 64-bit Windows (WOW64), the program is shown SysWOW64
// wherever a path names System32; the targets, icon files and working folders
// there are looked at through "Sysnative" instead, so what only the native
// system has is found, shown and started (launch/native_system_folder.h).
// Anywhere else (a 32-bit system, the 64-bit build) every path stays as it is.
#pragma once

#include <string>

// For a look at the path from this process: existence, attributes, icons.
std::string NativePath(const std::string& path);
// For what a start hands the shell: the target and the working folder.
std::string NativeStartPath(const std::string& path);
