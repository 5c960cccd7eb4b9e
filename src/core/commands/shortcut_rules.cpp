#include "commands/shortcut_rules.h"

#include <cstring>

#include "text/text.h"

bool IsValidShortcutName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(c) && i + 1 < name.size()) {
            ++i;  // a trail byte may be 0x5C or 0x7C and is no separator
            continue;
        }
        if (c < 0x20 || std::strchr("\\/:*?\"<>|", c)) return false;
    }
    // The shell drops trailing blanks and dots, and would write another name.
    const char last = name.back();
    return last != ' ' && last != '.';
}

std::string CommandLineArguments(const std::string& commandLine) {
    size_t i = 0;
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    if (i < commandLine.size() && commandLine[i] == '"') {
        const size_t close = commandLine.find('"', i + 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    }
    // An unquoted name, or whatever sticks to the closing quote, runs to the first blank.
    while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    return commandLine.substr(i);
}
