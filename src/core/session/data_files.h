// The data files of one run: which files load and how, what is kept aside
// when a file is there but could not be read whole, which files are never
// written over this run, the one-time removal of the older files, the order
// of the saves, and what happens when a file is changed elsewhere meanwhile
// (a synchronised folder, a stick shared between computers). The main window
// owns one and only calls it.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <exception>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "document/file_stamp.h"
#include "model/vantor_classes.h"
#include "platform.h"
#include "settings/folder_history.h"
#include "settings/profile.h"
#include "settings/settings.h"

enum class TDataFile { Settings, Main, Smart, History };
constexpr int DataFileCount = 4;

// "Vantor.ini", "Main.pag", "Smart.pag", "History.pag".
const char* DataFileName(TDataFile file);

// A few of the data files: those this run has changed and not saved, say.
class TDataFileSet {
public:
    TDataFileSet() = default;
    TDataFileSet(std::initializer_list<TDataFile> files) {
        for (TDataFile file : files) Add(file);
    }
    static TDataFileSet All() { return {TDataFile::Settings, TDataFile::Main, TDataFile::Smart, TDataFile::History}; }
    void Add(TDataFile file) { FBits |= Bit(file); }
    void Remove(TDataFile file) { FBits &= static_cast<uint8_t>(~Bit(file)); }
    bool Has(TDataFile file) const { return (FBits & Bit(file)) != 0; }
    bool Empty() const { return FBits == 0; }

private:
    static uint8_t Bit(TDataFile file) { return static_cast<uint8_t>(1u << static_cast<unsigned>(file)); }
    uint8_t FBits = 0;
};

// Where a data file that was changed elsewhere while this run changed it too
// is kept before this run's content is written:
// "<folder>\Main (別の変更 2026-12-08 10-30-00).pag", " (2)" and on after it
// for the second and later names of the same second.
std::string KeptBesideName(const std::string& path, const std::tm& time, int number);

// The other side's file, kept under a name of its own.
struct TKeptBeside {
    TDataFile File;
    std::string KeptAs;  // full path
    bool operator==(const TKeptBeside& other) const { return File == other.File && KeptAs == other.KeptAs; }
};

// What a save did besides writing.
struct TSaveReport {
    // Could not be written; the file on disk stays whole.
    std::vector<TDataFile> Failed;
    // Changed elsewhere and not here: not written. The caller reads them
    // again (ReloadPages, ReloadSettings).
    std::vector<TDataFile> Reload;
    // Changed elsewhere and here: the other side's file was kept, then this
    // run's written. The user is told (KeptBesideMessage).
    std::vector<TKeptBeside> KeptBeside;
    // Removed elsewhere: this run's content was written again.
    std::vector<TDataFile> WrittenBack;
};

// What a look at the folder found, for the files changed there since this
// run last read or wrote them.
struct TOutsideChanges {
    // Changed there and not here: read them again (ReloadPages, ReloadSettings).
    std::vector<TDataFile> Reload;
    // Changed there while this run has changes of its own, or removed there:
    // a save keeps both sides (SaveAll).
    std::vector<TDataFile> SaveSoon;
    bool Empty() const { return Reload.empty() && SaveSoon.empty(); }
};

// The local time now.
std::tm CurrentLocalTime();

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
    // Takes the settings (and placements, folder history) from the settings
    // file as read again from disk.
    using TSettingsReader = std::function<void(TProfile& ini)>;

    TSessionFiles(TPlatform& platform, std::string dataFolder);
    TSessionFiles(const TSessionFiles&) = delete;
    TSessionFiles& operator=(const TSessionFiles&) = delete;

    TSwallowed OnSwallowed;
    // The time in the names of the files kept beside.
    std::function<std::tm()> LocalTime = CurrentLocalTime;

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
    // Main.pag; when it is missing, not a page file or of a newer version,
    // the emptied set is filled by `buildFirstRun`. The set ends with at
    // least one page.
    // `read`, when given, stands for reading the file into `pages` (already
    // done elsewhere): it returns whether the file was whole and throws as
    // the reading did.
    void LoadMainPages(TVantorManager& pages, const std::function<void()>& buildFirstRun,
                       const std::function<bool()>& read = {});
    // The settings from Vantor.ini (Keys.def and Sounds.def first, removed
    // once Vantor.ini holds them), with every missing key definition filled
    // from the defaults.
    TSettingsReadResult ReadSettings(TVantorSettings& settings, TSettingsReadOptions options);

    // ---- saving. Files never to be written over are left out (the user
    // heard of them as the run started). Before a file is written, what is on
    // disk is compared with what this run last read or wrote there: a file
    // changed elsewhere is never written over unseen.

    // Settings and placements in one write of Vantor.ini, then Main.pag,
    // Smart.pag and History.pag; a failure skips nothing else. `changedHere`
    // are the files this run has changed since they were last read or
    // written. Of the others only those missing on disk, or whose content on
    // disk must be replaced (it was kept aside as damaged, older files wait
    // to be merged), are written; one changed elsewhere is left for the
    // caller to read again. A file changed both here and elsewhere is kept
    // beside under a new name before this run's is written.
    TSaveReport SaveAll(const TSettingsWriter& write, const TVantorManager& main, const TVantorManager& smart,
                        const TVantorManager& history, TDataFileSet changedHere);
    // The same with every file counted as changed here; the files that could
    // not be written.
    std::vector<TDataFile> SaveAll(const TSettingsWriter& write, const TVantorManager& main,
                                   const TVantorManager& smart, const TVantorManager& history);
    std::vector<TDataFile> SaveSettings(const TSettingsWriter& write);
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
    // The Japanese message for everything the start found amiss, told once as
    // the run starts: each page file not read whole with the name its bytes
    // are kept under, those of a newer version (never written over this run),
    // and the protected files. Empty when every file read whole or was missing.
    std::string StartMessage() const;

    // The Japanese message for files kept beside, each with the name it now has.
    std::string KeptBesideMessage(const std::vector<TKeptBeside>& kept) const;

    // ---- changes made elsewhere

    // Looks at the files (when the folder says something changed there):
    // which changed since this run last read or wrote them. Writes nothing.
    TOutsideChanges CheckOutside(TDataFileSet changedHere);
    // Reads a page file again into `pages` through the rules of the start
    // (a bar keeps one page and its caption; what it drops is kept aside).
    // False when `pages` stay as they were: the file is gone or cannot be
    // read now (a later look tells again), or was not read whole (it is kept
    // aside and this run's pages are written at the next save).
    bool ReloadPages(TDataFile file, TVantorManager& pages);
    // Reads Vantor.ini again and hands it to `read`; false, without calling
    // it, when the file is gone or cannot be read now.
    bool ReloadSettings(const TSettingsReader& read);
    // What the file held when this run last read or wrote it.
    const TFileStamp& StampOf(TDataFile file) const { return FStamps[Index(file)]; }

    // True for a file that is there but could not be read or kept aside.
    bool IsProtected(TDataFile file) const { return FProtected[Index(file)]; }
    // True for a page file a newer version wrote: this run neither uses it
    // nor writes over it, so the newer version finds it as it left it.
    bool IsNewerVersion(TDataFile file) const { return FNewer[Index(file)]; }
    // Older files waiting for Vantor.ini to hold what they held.
    const std::vector<std::string>& PendingMigrations() const { return FMigrated; }

private:
    static size_t Index(TDataFile file) { return static_cast<size_t>(file); }
    // `one` (a format naming the file) or `many` and the files a line each,
    // then `advice`.
    std::string FilesMessage(const std::vector<TDataFile>& files, const char* one, const char* many,
                             const char* advice) const;
    void Swallowed(const char* where, const std::exception& error);
    // How much of a page file the start read.
    enum class TStartRead { Whole, Part, Nothing, Newer };
    // Files neither to be written nor read again this run.
    bool NeverWritten(TDataFile file) const { return IsProtected(file) || IsNewerVersion(file); }
    // Called when a page file is there but was not read whole: its bytes go
    // to a free backup name (or one that already holds them), which is
    // returned; failing that, the file is never written over this run.
    std::string KeepAside(TDataFile file);
    // The same at start, where the user is told (StartMessage).
    void KeepAsideAtStart(TDataFile file, TStartRead read);
    void TakeMigrations(std::vector<std::string>& files);
    // Reads a page file into `pages`, with what it held in `stamp`: whether
    // it was read whole. Throws EVantorError when it is missing, unreadable
    // or not a page file.
    bool ReadPageFile(TDataFile file, TVantorManager& pages, TFileStamp& stamp);
    // A bar shows one page captioned as the bar.
    void FitBarPages(TVantorManager& pages, TDataFile file, const std::string& caption);

    // The bytes to write, given the file as it is on disk now.
    using TContent = std::function<std::string(const TFileStamp& onDisk, const std::string& bytes)>;
    // Writes `file` if it is to be written (see SaveAll); true when written.
    bool SaveFile(TDataFile file, bool changedHere, const TContent& content, TSaveReport& report);
    // Writes the other side's bytes under a free KeptBesideName; the name,
    // or empty when none could be written.
    std::string KeepBeside(TDataFile file, const std::string& bytes);
    void SaveSettingsFile(const TSettingsWriter& write, bool changedHere, TSaveReport& report);
    void Saved(TDataFile file, bool ok, std::vector<TDataFile>& failed);

    TPlatform& FPlatform;
    const std::string FDataFolder;
    std::array<bool, DataFileCount> FProtected{};
    std::array<bool, DataFileCount> FNewer{};
    // What the start read of each page file not read whole, and where its
    // bytes are kept.
    std::array<TStartRead, DataFileCount> FStartRead{};
    std::array<std::string, DataFileCount> FKeptAtStart{};
    std::array<bool, DataFileCount> FReported{};
    // What each file held when this run last read or wrote it.
    std::array<TFileStamp, DataFileCount> FStamps{};
    // What is on disk must be replaced at the next save even with nothing
    // changed here: it was kept aside as damaged, or older files wait.
    std::array<bool, DataFileCount> FWriteBack{};
    std::vector<std::string> FMigrated;
};
