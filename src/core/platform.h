// What the portable core needs from the operating system. The Win32 program
// implements it with the real API; tests implement it with a fake.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a shell shortcut file (".lnk"/".pif") points at.
struct TShortcutInfo {
    std::string Path;  // target path; empty for a shortcut to a non-file item
    std::string Arguments;
    std::string WorkingDir;
    std::string IconLocation;
    int32_t IconIndex = 0;
    int32_t ShowCmd = 1;  // SW_SHOWNORMAL
};

// One item of a folder listing.
struct TFindItem {
    std::string Name;
    bool IsFolder = false;
};

class TPlatform {
public:
    virtual ~TPlatform() = default;

    // The Windows and System folders, without a trailing backslash.
    virtual std::string WindowsFolder() = 0;
    virtual std::string SystemFolder() = 0;

    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;

    // Reads a shell shortcut; false when it cannot be read.
    virtual bool ReadShortcut(const std::string& path, TShortcutInfo& info) = 0;

    // Items matching a pattern such as "C:\Dir\*.*", as the system lists them
    // (including "." and ".." where the system gives them).
    virtual std::vector<TFindItem> FindFiles(const std::string& pattern) = 0;

    // Reads a whole file; false when it is missing or unreadable.
    virtual bool ReadWholeFile(const std::string& path, std::string& data) = 0;
    // Creates or replaces a file in one step: the previous content stays whole
    // until the new content is complete. Throws EVantorError on failure.
    virtual void WriteWholeFile(const std::string& path, const std::string& data) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;

    // Millisecond tick counter (wraps after 49.7 days).
    virtual uint32_t TickCount() = 0;

    virtual bool IsFontInstalled(const std::string& name) = 0;
};
