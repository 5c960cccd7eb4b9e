// A 32-bit program on 64-bit Windows is shown the 32-bit system folder
// (SysWOW64) wherever a path names System32; the native folder is reached
// through the alias "Sysnative", which only such a program has. Looks at a
// target and its icon, and the start of a program there, go through the
// alias; the path stored in the entry stays as the user wrote it.
#pragma once

#include <functional>
#include <string>

// `path` when it does not lie in "<windowsFolder>\System32" (or is that
// folder); otherwise the same path with that part spelled
// "<windowsFolder>\Sysnative" and the rest as written. Compared ignoring case,
// with '\' and '/' alike, character by character in code page 932 (so a trail
// byte is never taken for a letter or a backslash).
std::string NativeSystemPath(const std::string& path, const std::string& windowsFolder);

// What a start hands the shell for `path` (the target or the working folder).
// A program is started by the shell in this process: through the alias, so
// the native one starts. A document or a folder goes to another program, a
// 64-bit one as the system's own are, which reads System32 as the native
// folder and knows no alias: it goes as written while `seenAsWritten` says
// this process sees it there too, and through the alias only when nothing
// else can reach it.
std::string NativeStartPath(const std::string& path, const std::string& windowsFolder,
                            const std::function<bool(const std::string& path)>& seenAsWritten);
