// In-memory stand-in for the operating system: files, folders, shortcuts,
// fonts and the tick counter are whatever a test puts in.
#pragma once

#include <map>
#include <set>

#include "errors.h"
#include "platform.h"
#include "text/text.h"

class TFakePlatform : public TPlatform {
public:
    std::string Windows = "C:\\WINDOWS";
    std::string System = "C:\\WINDOWS\\SYSTEM";
    std::map<std::string, std::string> Files;        // key: lower-cased path
    std::set<std::string> Folders;                   // lower-cased, no trailing backslash
    std::map<std::string, TShortcutInfo> Shortcuts;  // key: lower-cased path
    std::set<std::string> Fonts;
    uint32_t Tick = 0;
    bool FailWrites = false;

    void AddFile(const std::string& path, const std::string& data = std::string()) {
        Files[AnsiLowerCase(path)] = data;
        OriginalNames[AnsiLowerCase(path)] = path;
        AddFolder(ExtractFileDir(path));
    }
    void AddFolder(const std::string& path) {
        std::string p = ExcludeTrailingBackslash(path);
        while (p.size() > 2 && !Folders.count(AnsiLowerCase(p))) {
            Folders.insert(AnsiLowerCase(p));
            OriginalNames[AnsiLowerCase(p)] = p;
            p = ExtractFileDir(p);
            p = ExcludeTrailingBackslash(p);
        }
    }
    void AddShortcut(const std::string& path, const TShortcutInfo& info) {
        AddFile(path, "lnk");
        Shortcuts[AnsiLowerCase(path)] = info;
    }

    std::string WindowsFolder() override { return Windows; }
    std::string SystemFolder() override { return System; }
    bool FileExists(const std::string& path) override { return Files.count(AnsiLowerCase(path)) > 0; }
    bool DirectoryExists(const std::string& path) override {
        return Folders.count(AnsiLowerCase(ExcludeTrailingBackslash(path))) > 0;
    }
    bool ReadShortcut(const std::string& path, TShortcutInfo& info) override {
        auto it = Shortcuts.find(AnsiLowerCase(path));
        if (it == Shortcuts.end()) return false;
        info = it->second;
        return true;
    }
    // Supports "<folder>\*.*" and "<folder>\*.<ext>".
    std::vector<TFindItem> FindFiles(const std::string& pattern) override {
        std::vector<TFindItem> items;
        std::string dir = AnsiLowerCase(ExtractFileDir(pattern));
        std::string mask = AnsiLowerCase(ExtractFileName(pattern));
        std::string ext = mask == "*.*" ? std::string() : ExtractFileExt(mask);
        if (!Folders.count(ExcludeTrailingBackslash(dir))) return items;
        items.push_back({".", true});
        items.push_back({"..", true});
        auto inDir = [&](const std::string& key) {
            return AnsiLowerCase(ExcludeTrailingBackslash(ExtractFileDir(key))) == ExcludeTrailingBackslash(dir);
        };
        for (const auto& f : Folders)
            if (inDir(f) && ext.empty()) items.push_back({ExtractFileName(OriginalNames[f]), true});
        for (const auto& f : Files)
            if (inDir(f.first) && (ext.empty() || ExtractFileExt(f.first) == ext))
                items.push_back({ExtractFileName(OriginalNames[f.first]), false});
        return items;
    }
    bool ReadWholeFile(const std::string& path, std::string& data) override {
        auto it = Files.find(AnsiLowerCase(path));
        if (it == Files.end()) return false;
        data = it->second;
        return true;
    }
    void WriteWholeFile(const std::string& path, const std::string& data) override {
        if (FailWrites) throw EVantorError("write failed");
        AddFile(path, data);
    }
    bool RemoveFile(const std::string& path) override {
        Shortcuts.erase(AnsiLowerCase(path));
        return Files.erase(AnsiLowerCase(path)) > 0;
    }
    uint32_t TickCount() override { return Tick; }
    bool IsFontInstalled(const std::string& name) override { return Fonts.count(name) > 0; }

private:
    std::map<std::string, std::string> OriginalNames;
};
