// The operating system as the portable core sees it, through the W functions
// (text converted through code page 932 at this boundary).
#pragma once

// Before platform.h: DeleteFile is a macro there, and every file must see the
// same name.
#include <windows.h>

#include "platform.h"

class TWinPlatform : public TPlatform {
public:
    std::string WindowsFolder() override;
    std::string SystemFolder() override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    bool ReadShortcut(const std::string& path, TShortcutInfo& info) override;
    std::vector<TFindItem> FindFiles(const std::string& pattern) override;
    bool ReadWholeFile(const std::string& path, std::string& data) override;
    void WriteWholeFile(const std::string& path, const std::string& data) override;
    bool RemoveFile(const std::string& path) override;
    uint32_t TickCount() override;
    bool IsFontInstalled(const std::string& name) override;
};

// The temporary file WriteWholeFile fills before it replaces the target.
std::string TemporarySaveName(const std::string& path);
