#include "session/data_files.h"

#include <algorithm>

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
    const std::string path = PathOf(TDataFile::Settings);
    if (ini.LoadFromFile(FPlatform, path)) return true;
    // Locked by a scanner at log-on, say: the defaults must not replace it.
    if (FPlatform.FileExists(path)) FProtected[Index(TDataFile::Settings)] = true;
    return false;
}

void TSessionFiles::LoadFolderHistory(TFolderHistory& history) {
    TProfile ini;
    LoadSettingsFile(ini);
    history.Read(ini, FPlatform, FDataFolder);
    TakeMigrations(history.MigratedFiles);
}

void TSessionFiles::LoadBarPages(TVantorManager& pages, TDataFile file, const std::string& caption) {
    try {
        if (!pages.LoadFromFile(PathOf(file))) KeepAside(file);
    } catch (const EVantorError&) {
        KeepAside(file);  // missing, unreadable or not a page file
    }
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
        const bool whole = read ? read() : pages.LoadFromFile(PathOf(TDataFile::Main));
        // Read only in part: the pages read are used, the file is kept.
        if (!whole) KeepAside(TDataFile::Main);
        loaded = true;
    } catch (const EVantorError&) {
        KeepAside(TDataFile::Main);
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
}

void TSessionFiles::KeepAside(TDataFile file) {
    const std::string path = PathOf(file);
    if (!FPlatform.FileExists(path)) return;  // missing is not damaged
    std::string data;
    if (FPlatform.ReadWholeFile(path, data)) {
        for (int n = 1; n <= MaxBackups; ++n) {
            const std::string backup = BackupName(path, n);
            if (FPlatform.FileExists(backup)) {
                std::string kept;
                if (FPlatform.ReadWholeFile(backup, kept) && kept == data) return;  // kept already
                continue;
            }
            try {
                FPlatform.WriteWholeFile(backup, data);
                return;
            } catch (const EVantorError& error) {
                Swallowed("keeping a damaged data file", error);
                break;
            }
        }
    }
    FProtected[Index(file)] = true;
}

// ---------------------------------------------------------------- saving

bool TSessionFiles::SaveSettingsFile(const TSettingsWriter& write) {
    const std::string path = PathOf(TDataFile::Settings);
    try {
        TProfile ini;
        // Lines of others (and of older versions) stay; a file that has
        // become unreadable is not replaced by one without them.
        if (!ini.LoadFromFile(FPlatform, path) && FPlatform.FileExists(path))
            throw EVantorError(Format("\"%s\"を読み込めません。", path));
        if (write) write(ini);
        ini.SaveToFile(FPlatform, path);
    } catch (const EVantorError& error) {
        Swallowed("saving the settings file", error);
        return false;
    }
    // Vantor.ini now holds what the older files held. One that will not go
    // is tried again at the next save: read again, it would undo later changes.
    std::vector<std::string> left;
    for (const std::string& old : FMigrated)
        if (!FPlatform.RemoveFile(old) && FPlatform.FileExists(old)) left.push_back(old);
    FMigrated = std::move(left);
    return true;
}

bool TSessionFiles::SavePages(TDataFile file, const TVantorManager& pages) {
    try {
        pages.SaveToFile(PathOf(file));
        return true;
    } catch (const EVantorError& error) {
        Swallowed("saving a page file", error);
        return false;
    }
}

void TSessionFiles::Saved(TDataFile file, bool ok, std::vector<TDataFile>& failed) {
    if (ok)
        FReported[Index(file)] = false;
    else
        failed.push_back(file);
}

std::vector<TDataFile> TSessionFiles::SaveSettings(const TSettingsWriter& write) {
    std::vector<TDataFile> failed;
    if (!IsProtected(TDataFile::Settings)) Saved(TDataFile::Settings, SaveSettingsFile(write), failed);
    return failed;
}

std::vector<TDataFile> TSessionFiles::SaveAll(const TSettingsWriter& write, const TVantorManager& main,
                                              const TVantorManager& smart, const TVantorManager& history) {
    std::vector<TDataFile> failed = SaveSettings(write);
    const std::pair<TDataFile, const TVantorManager*> sets[] = {
        {TDataFile::Main, &main}, {TDataFile::Smart, &smart}, {TDataFile::History, &history}};
    for (const auto& [file, pages] : sets)
        if (!IsProtected(file)) Saved(file, SavePages(file, *pages), failed);
    return failed;
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
