#include "session/data_files.h"

#include <algorithm>
#include <cstdio>

#include "errors.h"
#include "settings/keys.h"
#include "text/text.h"

const char* DataFileName(TDataFile file) {
    switch (file) {
        case TDataFile::Settings:
            return "Vantor.ini";
        case TDataFile::Main:
            return "Main.pag";
        case TDataFile::Smart:
            return "Smart.pag";
        case TDataFile::History:
            return "History.pag";
    }
    return "";
}

std::string BackupName(const std::string& path, int number) {
    return number <= 1 ? path + ".bak" : path + ".bak" + std::to_string(number);
}

std::string KeptBesideName(const std::string& path, const std::tm& time, int number) {
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", time.tm_year + 1900, time.tm_mon + 1,
                  time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
    const std::string ext = ExtractFileExt(path);
    std::string name = path.substr(0, path.size() - ext.size()) + " (別の変更 " + stamp + ")";
    if (number > 1) name += " (" + std::to_string(number) + ")";
    return name + ext;
}

std::tm CurrentLocalTime() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return local ? *local : std::tm{};
}

std::vector<TShortcutPageSource> FirstRunPageSources(const std::string& desktop, const std::string& programs) {
    // No programs folder gives no folder at all, not one under the current one.
    auto underPrograms = [&](const char* folder) { return programs.empty() ? programs : programs + folder; };
    return {{"デスクトップ", desktop},
            {"アクセサリ", underPrograms("\\ｱｸｾｻﾘ")},
            {"システム ツール", underPrograms("\\ｱｸｾｻﾘ\\ｼｽﾃﾑ ﾂｰﾙ")},
            {"ゲーム", underPrograms("\\ｱｸｾｻﾘ\\ｹﾞｰﾑ")}};
}

void AddShortcutPage(TVantorManager& pages, TPlatform& platform, const std::string& caption, const std::string& folder,
                     const std::function<std::string(const std::string&)>& canonical) {
    if (!pages.AddPage(caption, 0)) return;
    TVantorPage& page = *pages.Pages(pages.Count() - 1);
    if (!folder.empty()) {
        std::string base = IncludeTrailingBackslash(folder);
        for (const TFindItem& item : platform.FindFiles(base + "*.lnk")) {
            // The pattern also matches longer extensions through short names.
            if (item.IsFolder || AnsiLowerCase(ExtractFileExt(item.Name)) != ".lnk") continue;
            std::string path = base + item.Name;
            page.AddFile(canonical ? canonical(path) : path);
        }
    }
    page.SortButtons();
    if (page.Count() == 0) pages.DeletePage(pages.Count() - 1);
}

TSessionFiles::TSessionFiles(TPlatform& platform, std::string dataFolder)
    : FPlatform(platform), FDataFolder(std::move(dataFolder)) {}

void TSessionFiles::Swallowed(const char* where, const std::exception& error) {
    if (OnSwallowed) OnSwallowed(where, error);
}

// ---------------------------------------------------------------- start-up

void TSessionFiles::RemoveStaleTemporaries() {
    for (int i = 0; i < DataFileCount; ++i) {
        const std::string path = PathOf(static_cast<TDataFile>(i));
        std::vector<std::string> ours{path + SaveTemporarySuffix};
        for (int n = 1; n <= MaxBackups; ++n) ours.push_back(BackupName(path, n) + SaveTemporarySuffix);
        for (const std::string& temp : ours)
            if (FPlatform.FileExists(temp)) FPlatform.RemoveFile(temp);
    }
}

bool TSessionFiles::LoadSettingsFile(TProfile& ini) {
    std::string bytes;
    TFileStamp& stamp = FStamps[Index(TDataFile::Settings)];
    stamp = TFileStamp::Take(FPlatform, PathOf(TDataFile::Settings), &bytes);
    ini.LoadFromBytes(bytes);
    // Locked by a scanner at log-on, say: the defaults must not replace it.
    if (!stamp.Known()) FProtected[Index(TDataFile::Settings)] = true;
    return stamp.Exists();
}

void TSessionFiles::LoadFolderHistory(TFolderHistory& history) {
    TProfile ini;
    LoadSettingsFile(ini);
    history.Read(ini, FPlatform, FDataFolder);
    TakeMigrations(history.MigratedFiles);
}

bool TSessionFiles::ReadPageFile(TDataFile file, TVantorManager& pages, TFileStamp& stamp) {
    std::string bytes;
    stamp = TFileStamp::Take(FPlatform, PathOf(file), &bytes);
    if (!stamp.Exists()) throw EVantorError("データファイルが存在しません。");
    return pages.LoadFromBytes(bytes);
}

void TSessionFiles::LoadBarPages(TVantorManager& pages, TDataFile file, const std::string& caption) {
    try {
        if (!ReadPageFile(file, pages, FStamps[Index(file)])) KeepAsideAtStart(file, TStartRead::Part);
    } catch (const ENewerVersionError&) {
        KeepAsideAtStart(file, TStartRead::Newer);
    } catch (const EVantorError&) {
        KeepAsideAtStart(file, TStartRead::Nothing);  // missing, unreadable or not a page file
    }
    FitBarPages(pages, file, caption);
}

void TSessionFiles::FitBarPages(TVantorManager& pages, TDataFile file, const std::string& caption) {
    if (pages.Count() == 0) pages.AddPage(caption, 1);
    // A bar shows one page; the others are dropped, so the file goes aside first.
    if (pages.Count() > 1) KeepAside(file);
    while (pages.Count() > 1) pages.DeletePage(pages.Count() - 1);
    pages.Pages(0)->Caption = caption;
    pages.SetCurrentPage(0);
}

void TSessionFiles::LoadMainPages(TVantorManager& pages, const std::function<void()>& buildFirstRun,
                                  const std::function<bool()>& read) {
    bool loaded = false;
    try {
        // Read ahead a moment ago: what the file holds now stands for what
        // was read.
        if (read) FStamps[Index(TDataFile::Main)] = TFileStamp::Take(FPlatform, PathOf(TDataFile::Main));
        const bool whole = read ? read() : ReadPageFile(TDataFile::Main, pages, FStamps[Index(TDataFile::Main)]);
        // Read only in part: the pages read are used, the file is kept.
        if (!whole) KeepAsideAtStart(TDataFile::Main, TStartRead::Part);
        loaded = true;
    } catch (const ENewerVersionError&) {
        KeepAsideAtStart(TDataFile::Main, TStartRead::Newer);
    } catch (const EVantorError&) {
        KeepAsideAtStart(TDataFile::Main, TStartRead::Nothing);
    }
    if (!loaded) {
        pages.Clear();
        if (buildFirstRun) buildFirstRun();
    }
    if (pages.Count() == 0) pages.AddPage(Format("ページ%d", 1), 0);
}

TSettingsReadResult TSessionFiles::ReadSettings(TVantorSettings& settings, TSettingsReadOptions options) {
    TProfile ini;
    LoadSettingsFile(ini);
    options.DataFolder = FDataFolder;
    TSettingsReadResult result = settings.ReadSettings(ini, options);
    TakeMigrations(settings.MigratedFiles);
    CompleteShortCuts(settings.ShortCuts);
    return result;
}

void TSessionFiles::TakeMigrations(std::vector<std::string>& files) {
    for (std::string& file : files)
        if (std::find(FMigrated.begin(), FMigrated.end(), file) == FMigrated.end()) FMigrated.push_back(file);
    files.clear();
    // Vantor.ini is to hold what they held, changed here or not.
    if (!FMigrated.empty()) FWriteBack[Index(TDataFile::Settings)] = true;
}

void TSessionFiles::KeepAsideAtStart(TDataFile file, TStartRead read) {
    const size_t i = Index(file);
    // A newer version's file stays as it is, whether or not it could be kept.
    if (read == TStartRead::Newer) FNewer[i] = true;
    FKeptAtStart[i] = KeepAside(file);
    FStartRead[i] = FKeptAtStart[i].empty() ? TStartRead::Whole : read;
}

std::string TSessionFiles::KeepAside(TDataFile file) {
    const std::string path = PathOf(file);
    if (!FPlatform.FileExists(path)) return std::string();  // missing is not damaged
    // Kept, what this run holds replaces it at the next save.
    FWriteBack[Index(file)] = true;
    std::string data;
    if (FPlatform.ReadWholeFile(path, data)) {
        for (int n = 1; n <= MaxBackups; ++n) {
            const std::string backup = BackupName(path, n);
            if (FPlatform.FileExists(backup)) {
                std::string kept;
                if (FPlatform.ReadWholeFile(backup, kept) && kept == data) return backup;  // kept already
                continue;
            }
            try {
                FPlatform.WriteWholeFile(backup, data);
                return backup;
            } catch (const EVantorError& error) {
                Swallowed("keeping a damaged data file", error);
                break;
            }
        }
    }
    FProtected[Index(file)] = true;
    return std::string();
}

// ---------------------------------------------------------------- saving

bool TSessionFiles::SaveFile(TDataFile file, bool changedHere, const TContent& content, TSaveReport& report) {
    if (NeverWritten(file)) return false;
    const size_t i = Index(file);
    const std::string path = PathOf(file);
    std::string bytes;
    const TFileStamp onDisk = TFileStamp::Take(FPlatform, path, &bytes);
    const bool changedThere = ChangedSince(FStamps[i], onDisk);
    const bool removedThere = changedThere && !onDisk.Exists();
    if (changedThere && !removedThere && !changedHere) {
        report.Reload.push_back(file);
        return false;
    }
    const bool missing = onDisk.Known() && !onDisk.Exists();
    if (!changedThere && !changedHere && !FWriteBack[i] && !missing) return false;  // nothing to write
    if (changedThere && !removedThere) {
        const std::string keptAs = KeepBeside(file, bytes);
        if (keptAs.empty()) {
            Saved(file, false, report.Failed);  // nothing of theirs may go
            return false;
        }
        report.KeptBeside.push_back({file, keptAs});
        // Theirs is safe and the user hears of it once: from here on the
        // file counts as seen, whether or not ours is written now.
        FStamps[i] = onDisk;
    }
    try {
        const std::string ours = content(onDisk, bytes);
        FPlatform.WriteWholeFile(path, ours);
        // Our own write is not a change made elsewhere.
        FStamps[i] = TFileStamp::Of(ours);
        FWriteBack[i] = false;
    } catch (const EVantorError& error) {
        Swallowed(file == TDataFile::Settings ? "saving the settings file" : "saving a page file", error);
        Saved(file, false, report.Failed);
        return false;
    }
    if (removedThere) report.WrittenBack.push_back(file);
    Saved(file, true, report.Failed);
    return true;
}

std::string TSessionFiles::KeepBeside(TDataFile file, const std::string& bytes) {
    const std::string path = PathOf(file);
    const std::tm now = LocalTime ? LocalTime() : CurrentLocalTime();
    for (int n = 1; n <= 99; ++n) {
        const std::string name = KeptBesideName(path, now, n);
        if (FPlatform.FileExists(name)) continue;  // never replaced
        try {
            FPlatform.WriteWholeFile(name, bytes);
            return name;
        } catch (const EVantorError& error) {
            Swallowed("keeping a data file changed elsewhere", error);
            break;
        }
    }
    return std::string();
}

void TSessionFiles::SaveSettingsFile(const TSettingsWriter& write, bool changedHere, TSaveReport& report) {
    const std::string path = PathOf(TDataFile::Settings);
    auto content = [&](const TFileStamp& onDisk, const std::string& bytes) {
        // Lines of others (and of older versions) stay; a file that has
        // become unreadable is not replaced by one without them.
        if (!onDisk.Known()) throw EVantorError(Format("\"%s\"を読み込めません。", path));
        TProfile ini;
        ini.LoadFromBytes(bytes);
        if (write) write(ini);
        return ini.SaveToBytes();
    };
    if (!SaveFile(TDataFile::Settings, changedHere, content, report)) return;
    // Vantor.ini now holds what the older files held. One that will not go
    // is tried again at the next save: read again, it would undo later changes.
    std::vector<std::string> left;
    for (const std::string& old : FMigrated)
        if (!FPlatform.RemoveFile(old) && FPlatform.FileExists(old)) left.push_back(old);
    FMigrated = std::move(left);
    if (!FMigrated.empty()) FWriteBack[Index(TDataFile::Settings)] = true;
}

void TSessionFiles::Saved(TDataFile file, bool ok, std::vector<TDataFile>& failed) {
    if (ok)
        FReported[Index(file)] = false;
    else
        failed.push_back(file);
}

std::vector<TDataFile> TSessionFiles::SaveSettings(const TSettingsWriter& write) {
    TSaveReport report;
    SaveSettingsFile(write, true, report);
    return report.Failed;
}

TSaveReport TSessionFiles::SaveAll(const TSettingsWriter& write, const TVantorManager& main,
                                   const TVantorManager& smart, const TVantorManager& history,
                                   TDataFileSet changedHere) {
    TSaveReport report;
    SaveSettingsFile(write, changedHere.Has(TDataFile::Settings), report);
    const std::pair<TDataFile, const TVantorManager*> sets[] = {
        {TDataFile::Main, &main}, {TDataFile::Smart, &smart}, {TDataFile::History, &history}};
    for (const auto& [file, pages] : sets)
        SaveFile(
            file, changedHere.Has(file),
            [pages = pages](const TFileStamp&, const std::string&) { return pages->SaveToBytes(); }, report);
    return report;
}

std::vector<TDataFile> TSessionFiles::SaveAll(const TSettingsWriter& write, const TVantorManager& main,
                                              const TVantorManager& smart, const TVantorManager& history) {
    return SaveAll(write, main, smart, history, TDataFileSet::All()).Failed;
}

// ---------------------------------------------------------------- changes made elsewhere

TOutsideChanges TSessionFiles::CheckOutside(TDataFileSet changedHere) {
    TOutsideChanges changes;
    for (int n = 0; n < DataFileCount; ++n) {
        const TDataFile file = static_cast<TDataFile>(n);
        if (NeverWritten(file)) continue;
        const TFileStamp onDisk = TFileStamp::Take(FPlatform, PathOf(file));
        if (!ChangedSince(FStamps[Index(file)], onDisk)) continue;
        if (onDisk.Exists() && !changedHere.Has(file))
            changes.Reload.push_back(file);
        else
            changes.SaveSoon.push_back(file);
    }
    return changes;
}

bool TSessionFiles::ReloadPages(TDataFile file, TVantorManager& pages) {
    if (file == TDataFile::Settings || NeverWritten(file)) return false;
    TVantorManager read(FPlatform);
    TFileStamp stamp;
    bool whole = false;
    try {
        whole = ReadPageFile(file, read, stamp);
    } catch (const EVantorError&) {
        // Not a page file; the stamp says whether it was there.
    }
    if (!stamp.Exists()) return false;
    FStamps[Index(file)] = stamp;
    if (!whole) {
        // Ours are better than a part of theirs; theirs is kept.
        KeepAside(file);
        return false;
    }
    FWriteBack[Index(file)] = false;
    if (file == TDataFile::Main) {
        const int32_t current = pages.CurrentPage();
        pages.Assign(read);
        if (pages.Count() == 0) pages.AddPage(Format("ページ%d", 1), 0);
        pages.SetCurrentPage(current);
    } else {
        const std::string caption = pages.Count() > 0 ? pages.Pages(0)->Caption : std::string();
        pages.Assign(read);
        FitBarPages(pages, file, caption);
    }
    pages.ReservedValue = read.ReservedValue;
    return true;
}

bool TSessionFiles::ReloadSettings(const TSettingsReader& read) {
    if (IsProtected(TDataFile::Settings)) return false;
    std::string bytes;
    const TFileStamp stamp = TFileStamp::Take(FPlatform, PathOf(TDataFile::Settings), &bytes);
    if (!stamp.Exists()) return false;
    FStamps[Index(TDataFile::Settings)] = stamp;
    TProfile ini;
    ini.LoadFromBytes(bytes);
    if (read) read(ini);
    return true;
}

std::vector<TDataFile> TSessionFiles::TakeUnreported(const std::vector<TDataFile>& failed) {
    std::vector<TDataFile> fresh;
    for (TDataFile file : failed) {
        if (FReported[Index(file)]) continue;
        FReported[Index(file)] = true;
        fresh.push_back(file);
    }
    return fresh;
}

std::string TSessionFiles::FilesMessage(const std::vector<TDataFile>& files, const char* one, const char* many,
                                        const char* advice) const {
    std::string text;
    if (files.size() == 1) {
        text = Format(one, PathOf(files[0]));
    } else {
        text = many;
        for (TDataFile file : files) text += "\n\"" + PathOf(file) + "\"";
    }
    return text + "\n\n" + advice;
}

std::string TSessionFiles::SaveFailureMessage(const std::vector<TDataFile>& failed) const {
    return FilesMessage(
        failed, "データファイル\"%s\"を保存できませんでした。", "次のデータファイルを保存できませんでした。",
        "フォルダやファイルが読み取り専用になっていないか、ディスクの空き容量が足りているかを確かめてください。");
}

std::string TSessionFiles::KeptBesideMessage(const std::vector<TKeptBeside>& kept) const {
    std::string text;
    for (const TKeptBeside& file : kept)
        text += Format("%sは別の場所でも変更されていました。そちらの内容は「%s」に残してあります。\n",
                       DataFileName(file.File), file.KeptAs);
    return text + "\nこちらでの変更は、元の名前のファイルに保存します。";
}

std::vector<TDataFile> TSessionFiles::ProtectedFiles() const {
    std::vector<TDataFile> files;
    for (int i = 0; i < DataFileCount; ++i)
        if (FProtected[static_cast<size_t>(i)]) files.push_back(static_cast<TDataFile>(i));
    return files;
}

std::string TSessionFiles::ProtectedFilesMessage(const std::vector<TDataFile>& files) const {
    return FilesMessage(files, "データファイル\"%s\"を読み込めませんでした。",
                        "次のデータファイルを読み込めませんでした。",
                        "内容を失わないよう、上書きせずに残します。終了するまでの変更は保存されません。"
                        "ほかのプログラムが使っていないかを確かめてから、Vantorを起動し直してください。");
}

// What the start read of a page file not read whole (a format naming the
// file), and what becomes of the file.
static const char* StartReadText(bool newer, bool partly) {
    if (newer) return "データファイル\"%s\"は新しいバージョンのVantorで保存されているため、読み込めませんでした。";
    return partly ? "データファイル\"%s\"は壊れていたため、一部しか読み込めませんでした。"
                  : "データファイル\"%s\"は壊れているか、データファイルではないため、読み込めませんでした。";
}

std::string TSessionFiles::StartMessage() const {
    std::string text;
    for (TDataFile file : {TDataFile::Main, TDataFile::Smart, TDataFile::History}) {
        const size_t i = Index(file);
        if (FStartRead[i] == TStartRead::Whole) continue;
        const bool newer = FStartRead[i] == TStartRead::Newer;
        text += Format(StartReadText(newer, FStartRead[i] == TStartRead::Part), PathOf(file));
        text += Format("元のファイルは\"%s\"として残してあります。", FKeptAtStart[i]);
        text += newer ? "新しいバージョンのために上書きせずに残し、終了するまでの変更はこのファイルには保存しません。\n"
                      : "次の保存で、今の内容に置き換えます。\n";
    }
    const std::vector<TDataFile> kept = ProtectedFiles();
    if (!kept.empty()) text += (text.empty() ? "" : "\n") + ProtectedFilesMessage(kept);
    return text;
}
