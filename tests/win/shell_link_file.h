// Shortcut files written byte for byte in the shell's own format, for targets
// the link object of the test system would not write faithfully: characters
// that the ANSI code page lacks, as a Unicode system keeps them.
#pragma once

#include <string>

// The bytes of a shortcut to `target`, a full local path ("E:\a\b.exe"): an
// item identifier list through My Computer and the drive, with each name's
// long form in Unicode; the location with the path both in code page 932
// ('?' where it has no form, as a Japanese system writes it) and in Unicode;
// the working folder (the target's folder) and the arguments as Unicode text.
struct TShellLinkFile {
    std::wstring Target;
    std::wstring Arguments;
    bool TargetIsFolder = false;
};
std::string ShellLinkFileBytes(const TShellLinkFile& link);

// Writes ShellLinkFileBytes to `lnk`; false when the file could not be written.
bool WriteShellLinkFile(const std::wstring& lnk, const TShellLinkFile& link);

// The helper verb --write-shell-link <lnk> <target> [arguments]: the arguments
// are read as the system gives them, in UTF-16, so that any character comes
// through. Returns the process's exit code.
int WriteShellLinkFileVerb();
