// The pieces of the program entry that do not need the main window: safe
// library loading, the command line, the data folder, the single-instance and
// fixed-disk rules.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/system_library.h"
#include "platform.h"

// The first thing the program does: libraries are looked for in the System
// folder only, never in the current or the program's folder. Returns false
// when the system offers neither call (very old systems).
bool HardenLibraryLoading();

// Right after HardenLibraryLoading: an entry on an empty removable drive
// fails quietly instead of raising the system's "no disk" box. The error
// modes the system already set stay.
void QuietCriticalErrors();

// The command line split as the system splits it (CommandLineToArgvW), each
// argument in code page 932; the first is the program. An argument that code
// page 932 cannot spell comes as its short name, or with '?' (which names no
// file) where even that fails.
std::vector<std::string> CommandLineArguments(const wchar_t* commandLine);

// The folder of the running executable, with a trailing backslash. Throws
// EVantorError with the message for the user when code page 932 cannot name
// it, not even by its short name.
std::string ProgramFolderOf(HMODULE module);

// "/d <folder>" (the switch compared lower-cased) with an existing folder
// selects the data folder; anything else gives the program's folder. The
// folder is made absolute, so a later change of the current folder cannot
// redirect the saves, and ends with a backslash. Throws EVantorError when the
// absolute folder cannot be named in code page 932.
std::string ResolveDataFolder(const std::vector<std::string>& arguments, const std::string& programFolder,
                              TPlatform& platform);

// ResolveDataFolder over the program's command line. An existing "/d"
// folder that code page 932 cannot name refuses the start (EVantorError)
// rather than quietly keeping the data somewhere else.
std::string DataFolderOf(const wchar_t* commandLine, const std::string& programFolder, TPlatform& platform);

// Where a start keeps its data files.
enum class TDataPlace {
    Given,    // the "/d" folder
    Program,  // beside the program, which then travels with its data
    PerUser,  // the user's own folder: the program's folder cannot be written
};

// Which folder wins: a "/d" folder that exists; else the program's folder
// while it can be written; else the user's own folder, when the system
// names one (without it the saves fail there and say so).
TDataPlace ChooseDataPlace(bool givenFolder, bool programFolderWritable, bool userFolderKnown);

// True when a file can be made and removed in the folder (with a trailing
// backslash). The only sure test: a read-only attribute on a folder means
// nothing to Windows, and the manifest keeps the system from redirecting
// the writes elsewhere.
bool CanWriteFolder(const std::string& folder);

// The user's application data folder (%APPDATA%) with a trailing
// backslash; empty when the system has none or code page 932 cannot name it.
std::string UserAppDataFolder();

struct TDataFolder {
    std::string Path;  // with a trailing backslash
    TDataPlace Place = TDataPlace::Program;
    // The user's own folder held no data file yet: this start is the first
    // there, and the user is told where the data lives (PerUserDataMessage).
    bool FirstPerUserStart = false;
};

// The data folder of this start: "/d" as DataFolderOf reads it; else the
// program's folder when `canWrite` says it can be written; else the folder
// "Vantor" in the user's application data folder that `appData` gives
// (UserAppDataFolder; empty: none), made when missing.
TDataFolder ChooseDataFolder(const wchar_t* commandLine, const std::string& programFolder, TPlatform& platform,
                             const std::function<std::string()>& appData = UserAppDataFolder,
                             const std::function<bool(const std::string&)>& canWrite = CanWriteFolder);

// What the user is told on the first start that keeps the data in their own
// folder.
std::string PerUserDataMessage(const std::string& programFolder, const std::string& dataFolder);

// True when the drive of the path (its first three characters) is a fixed
// disk.
bool IsOnFixedDrive(const std::string& path);

// The named mutex "Vantor", created not owned. Acquire is false when another
// instance already holds it; the mutex goes with this object.
class TSingleInstance {
public:
    bool Acquire();

private:
    TKernelHandle FMutex;
};

extern const char AlreadyRunningMessage[];
extern const char NotOnFixedDiskMessage[];
extern const char UnnamedFolderMessage[];
extern const char PerUserDataMessageFormat[];
