// What a start means, apart from the shell that performs it: how a folder is
// opened under FilerType, which folder a program starts in, the arguments
// files dropped on a program get, and the history of starts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/vantor_classes.h"

constexpr int32_t HistoryLimit = 16;

// One start through the shell; target, arguments and folder stay separate.
struct TShellStart {
    std::string Verb;  // empty: the default action
    std::string File;
    std::string Parameters;
    std::string Directory;
    int32_t ShowCmd = ShowNormal;
};

// A folder opens as FilerType says (0 open, 1 explore, 2 the user's filer,
// falling back to open when that program is gone); the entry's arguments and
// working folder do not apply. None for an unknown FilerType.
std::optional<TShellStart> FolderStart(int32_t filerType, const std::string& filerName, bool filerExists,
                                       const std::string& folder, int32_t showCmd);

// The entry's working folder, else the target's own folder.
std::string StartFolder(const std::string& workingDir, const std::string& target);

// A file name in quotes of its own (a file name cannot hold a quote); a name
// ending in a backslash ("C:\") gets it doubled, or the program started would
// read the backslash and the closing quote as a quote.
std::string QuotedFileName(const std::string& name);

// The arguments a program entry gets for files dropped on it: with Ctrl all
// files at once, else one start per file.
std::vector<std::string> DropArguments(const std::string& arguments, const std::vector<std::string>& files,
                                       bool allAtOnce);

// Whether files dropped on the entry are handed to it as a program.
bool IsProgramTarget(const std::string& target);

// Names of dropped files in the order they are handled: ignoring case.
void SortDroppedNames(std::vector<std::string>& names);

// The entry goes to the top of the history page: an entry already there
// moves up, a new one is added and the oldest beyond HistoryLimit goes.
// False when the page could take no entry.
bool AddToHistoryPage(TVantorPage& history, const TVantorButton& entry);
