// What the shortcut commands check before the shell writes a file.
#pragma once

#include <string>

// A shortcut's name becomes a file name inside a chosen folder: it must be a
// name, not a path that leads elsewhere, and hold no character that file
// names do not allow.
bool IsValidShortcutName(const std::string& name);

// The arguments of a command line: what follows the program's name (quoted
// or not), blanks before them left out, the rest exactly as typed.
std::string CommandLineArguments(const std::string& commandLine);
