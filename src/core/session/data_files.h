// The data files of one run: which files load and how, what is kept aside
// when a file is there but could not be read whole, which files are never
// written over this run, the one-time removal of the older files, and the
// order of the saves. The main window owns one and only calls it.
#pragma once

#include <array>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "model/vantor_classes.h"
#include "platform.h"
#include "settings/folder_history.h"
#include "settings/profile.h"
#include "settings/settings.h"

enum class TDataFile { Settings, Main, Smart, History };
constexpr int DataFileCount = 4;

// "Vantor.ini", "Main.pag", "Smart.pag", "History.pag".
const char* DataFileName(TDataFile file);

// A save fills "<target>.tmp" in the same folder, then moves it over the
// target; a save cut short leaves that file behind.
inline constexpr char SaveTemporarySuffix[] = ".tmp";

// Backups of a file that could not be read whole: "<file>.bak", then
// "<file>.bak2" up to this many. One that exists is never replaced.
constexpr int MaxBackups = 5;
std::string BackupName(const std::string& path, int number);

// The first-run pages: caption and folder of each, in order. A folder is
// empty when the system has none.
struct TShortcutPageSource {
    std::string Caption;
    std::string Folder;
};
std::vector<TShortcutPageSource> FirstRunPageSources(const std::string& desktop, const std::string& programs);

// A page of the ".lnk" shortcuts in a folder, each through `canonical` (the
// shell's long form of the path), sorted; no page when none are there.
void AddShortcutPage(TVantorManager& pages, TPlatform& platform, const std::string& caption, const std::string& folder,
                     const std::function<std::string(const std::string&)>& canonical);

class TSessionFiles {
public:
    // Where an error was swallowed, and the error.
    using TSwallowed = std::function<void(const char* where, const std::exception& error)>;
    // Puts the settings (and, for the whole save, the placements) into the
    // settings file as read from disk.
    using TSettingsWriter = std::function<void(TProfile& ini)>;

    TSessionFiles(TPlatform& platform, std::string dataFolder);
    TSessionFiles(const TSessionFiles&) = delete;
    TSessionFiles& operator=(const TSessionFiles&) = delete;

    TSwallowed OnSwallowed;

    std::string PathOf(TDataFile file) const { return FDataFolder + DataFileName(file); }

    // ---- start-up; none of these throws for a bad or missing file

    // Removes the temporaries a save cut short left of this program's own
    // files (data files and their backups); nothing else in the folder.
    void RemoveStaleTemporaries();
    // False (and an empty profile) when Vantor.ini is missing or unreadable;
    // one that is there but unreadable is never saved over.
    bool LoadSettingsFile(TProfile& ini);
    // From Vantor.fhi when it exists (removed once Vantor.ini holds it), else
    // from Vantor.ini.
    void LoadFolderHistory(TFolderHistory& history);
    // A bar's set: the file's first page, or a new one, captioned `caption`.
    void LoadBarPages(TVantorManager& pages, TDataFile file, const std::string& caption);
    // Main.pag; when it is missing or not a page file, the emptied set is
    // filled by `buildFirstRun`. The set ends with at least one page.
    // `read`, when given, stands for reading the file into `pages` (already
    // done elsewhere): it returns whether the file was whole and throws as
    // the reading did.
    void LoadMainPages(TVantorManager& pages, const std::function<void()>& buildFirstRun,
                       const std::function<bool()>& read = {});
    // The settings from Vantor.ini (Keys.def and Sounds.def first, removed
    // once Vantor.ini holds them), with every missing key definition filled
    // from the defaults.
    TSettingsReadResult ReadSettings(TVantorSettings& settings, TSettingsReadOptions options);

    // ---- saving; each returns the files that could not be written. Files
    // never to be written over are left out (the user heard of them as the
    // run started).

    std::vector<TDataFile> SaveSettings(const TSettingsWriter& write);
    // Settings and placements in one write of Vantor.ini, then Main.pag,
    // Smart.pag and History.pag; a failure skips nothing else.
    std::vector<TDataFile> SaveAll(const TSettingsWriter& write, const TVantorManager& main,
                                   const TVantorManager& smart, const TVantorManager& history);
    // The failures the user has not been told of yet; they count as told from
    // now on, until the file saves again.
    std::vector<TDataFile> TakeUnreported(const std::vector<TDataFile>& failed);
    // The Japanese message for files that could not be saved.
    std::string SaveFailureMessage(const std::vector<TDataFile>& failed) const;
    // The files never to be written over this run (they were there but could
    // neither be read nor kept aside), and what to tell the user of them, once,
    // as the run starts: what is changed in them will not be saved.
    std::vector<TDataFile> ProtectedFiles() const;
    std::string ProtectedFilesMessage(const std::vector<TDataFile>& files) const;

    // True for a file that is there but could not be read or kept aside.
    bool IsProtected(TDataFile file) const { return FProtected[Index(file)]; }
    // Older files waiting for Vantor.ini to hold what they held.
    const std::vector<std::string>& PendingMigrations() const { return FMigrated; }

private:
    static size_t Index(TDataFile file) { return static_cast<size_t>(file); }
    // `one` (a format naming the file) or `many` and the files a line each,
    // then `advice`.
    std::string FilesMessage(const std::vector<TDataFile>& files, const char* one, const char* many,
                             const char* advice) const;
    void Swallowed(const char* where, const std::exception& error);
    // Called when a page file is there but was not read whole: its bytes go
    // to a free backup name (or one that already holds them); failing that,
    // the file is never written over this run.
    void KeepAside(TDataFile file);
    void TakeMigrations(std::vector<std::string>& files);
    bool SaveSettingsFile(const TSettingsWriter& write);
    bool SavePages(TDataFile file, const TVantorManager& pages);
    void Saved(TDataFile file, bool ok, std::vector<TDataFile>& failed);

    TPlatform& FPlatform;
    const std::string FDataFolder;
    std::array<bool, DataFileCount> FProtected{};
    std::array<bool, DataFileCount> FReported{};
    std::vector<std::string> FMigrated;
};
