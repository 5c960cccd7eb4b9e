// The folders most recently opened through the folder menu, newest first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform.h"
#include "settings/profile.h"

constexpr int32_t MaxFolderHistory = 16;

class TFolderHistory {
public:
    std::vector<std::string> Items;
    // Older files read into the history; the caller deletes them once the
    // settings file with the history has been written.
    std::vector<std::string> MigratedFiles;

    // From section History of the settings file once it has one, else from
    // Vantor.fhi in the data folder when it exists (then named in
    // MigratedFiles); at most 16.
    void Read(const TProfile& ini, TPlatform& platform, const std::string& dataFolder);
    // Section History, erased first, FolderHistory0.. in list order; the
    // section is there even for an empty history.
    void Write(TProfile& ini) const;
    // Moves the folder to the top (compared ignoring case) or inserts it
    // there, dropping what falls beyond 16. An empty path is ignored.
    void Add(const std::string& folder);
    void Delete(size_t index);
};

// The history entry for an opened path: the path itself when it is an existing
// folder, otherwise its folder part (a drive root keeps its backslash).
std::string FolderHistoryEntryFor(TPlatform& platform, const std::string& path);
