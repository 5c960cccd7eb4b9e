#include "settings/folder_history.h"

#include "text/text.h"

static const char HistorySection[] = "History";

static std::string HistoryKey(int32_t index) { return "FolderHistory" + std::to_string(index); }

void TFolderHistory::Read(const TProfile& ini, TPlatform& platform, const std::string& dataFolder) {
    std::string oldFile = dataFolder + "Vantor.fhi";
    std::string text;
    // Once the settings file holds the section, an older file that would not
    // go (read-only) is not read again: it would undo every later change.
    if (!ini.SectionExists(HistorySection) && platform.FileExists(oldFile)) {
        // The older file goes only once the settings file holds its folders.
        if (platform.ReadWholeFile(oldFile, text)) {
            Items = SplitTextLines(text);
            MigratedFiles.push_back(oldFile);
        }
    } else {
        Items.clear();
        for (int32_t i = 0; i < MaxFolderHistory; ++i) {
            std::string folder = ini.ReadString(HistorySection, HistoryKey(i), "");
            if (!folder.empty()) Items.push_back(folder);
        }
    }
    if (Items.size() > static_cast<size_t>(MaxFolderHistory)) Items.resize(MaxFolderHistory);
}

void TFolderHistory::Write(TProfile& ini) const {
    ini.EraseSection(HistorySection);
    ini.AddSection(HistorySection);  // even when empty: it stands for the older file
    for (size_t i = 0; i < Items.size(); ++i)
        ini.WriteString(HistorySection, HistoryKey(static_cast<int32_t>(i)), Items[i]);
}

void TFolderHistory::Add(const std::string& folder) {
    if (folder.empty()) return;
    for (size_t i = 0; i < Items.size(); ++i) {
        if (SameText(Items[i], folder)) {
            Items.erase(Items.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    Items.insert(Items.begin(), folder);
    if (Items.size() > static_cast<size_t>(MaxFolderHistory)) Items.resize(MaxFolderHistory);
}

void TFolderHistory::Delete(size_t index) {
    if (index < Items.size()) Items.erase(Items.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string FolderHistoryEntryFor(TPlatform& platform, const std::string& path) {
    if (path.empty()) return path;
    if (platform.DirectoryExists(path)) return path;
    return ExtractFileDir(path);
}
