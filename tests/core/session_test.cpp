// The data files of a run: what loads, what is kept aside or never written
// over, when the older files go, and how the saves run and fail.
#include <gtest/gtest.h>

#include "errors.h"
#include "fake_platform.h"
#include "session/data_files.h"
#include "settings/name_value.h"

namespace {

const std::string Data = "C:\\Data\\";

// The fake, plus files that exist but cannot be read, files that refuse to be
// written, and the order of the writes.
class TSessionPlatform : public TFakePlatform {
public:
    std::set<std::string> Unreadable;
    std::set<std::string> Unwritable;
    std::set<std::string> Unremovable;
    std::vector<std::string> Writes;

    bool ReadWholeFile(const std::string& path, std::string& data) override {
        if (Unreadable.count(AnsiLowerCase(path))) return false;
        return TFakePlatform::ReadWholeFile(path, data);
    }
    void WriteWholeFile(const std::string& path, const std::string& data) override {
        if (Unwritable.count(AnsiLowerCase(path))) throw EVantorError("read-only");
        TFakePlatform::WriteWholeFile(path, data);
        Writes.push_back(ExtractFileName(path));
    }
    bool RemoveFile(const std::string& path) override {
        return !Unremovable.count(AnsiLowerCase(path)) && TFakePlatform::RemoveFile(path);
    }
    std::string Content(const std::string& name) {
        std::string data;
        return TFakePlatform::ReadWholeFile(Data + name, data) ? data : "<none>";
    }
    bool Has(const std::string& name) { return FileExists(Data + name); }
};

class SessionFiles : public testing::Test {
protected:
    TSessionPlatform Platform;
    TSessionFiles Files{Platform, Data};
    TVantorManager Main{Platform}, Smart{Platform}, History{Platform};
    int FirstRunBuilds = 0;

    void SetUp() override { Platform.AddFolder(Data); }

    std::string PageBytes(std::initializer_list<const char*> captions) {
        TVantorManager set(Platform);
        set.Clear();
        for (const char* caption : captions) set.AddPage(caption, 0);
        return set.SaveToBytes();
    }
    void LoadAll() {
        Files.LoadBarPages(Smart, TDataFile::Smart, "スマートバー");
        Files.LoadBarPages(History, TDataFile::History, "履歴バー");
        Files.LoadMainPages(Main, [this] {
            ++FirstRunBuilds;
            Main.AddPage("デスクトップ", 0);
        });
    }
    std::vector<TDataFile> SaveAll() {
        return Files.SaveAll([](TProfile& ini) { ini.WriteInteger("Settings", "Version", 768); }, Main, Smart, History);
    }
    static std::vector<std::string> Captions(const TVantorManager& set) {
        std::vector<std::string> captions;
        for (int32_t i = 0; i < set.Count(); ++i) captions.push_back(set.Pages(i)->Caption);
        return captions;
    }
};

using Strings = std::vector<std::string>;

}  // namespace

TEST_F(SessionFiles, FirstStartBuildsTheFirstRunPagesAndCaptionsTheBars) {
    LoadAll();
    EXPECT_EQ(FirstRunBuilds, 1);
    EXPECT_EQ(Captions(Main), Strings{"デスクトップ"});
    EXPECT_EQ(Captions(Smart), Strings{"スマートバー"});
    EXPECT_EQ(Captions(History), Strings{"履歴バー"});
    EXPECT_TRUE(SaveAll().empty());
    EXPECT_EQ(Platform.Writes, (Strings{"Vantor.ini", "Main.pag", "Smart.pag", "History.pag"}));
    EXPECT_EQ(Files.StartMessage(), "");  // missing is not damaged

    // Nothing from the first run at all: one page all the same.
    TVantorManager empty(Platform);
    TSessionFiles(Platform, "C:\\Elsewhere\\").LoadMainPages(empty, [] {});
    EXPECT_EQ(Captions(empty), Strings{"ページ1"});
}

TEST_F(SessionFiles, SavedFilesLoadBackAndBarsKeepOnePage) {
    Platform.AddFile(Data + "Main.pag", PageBytes({"A", "B"}));
    Platform.AddFile(Data + "Smart.pag", PageBytes({"mine"}));
    Platform.AddFile(Data + "History.pag", PageBytes({"one", "two"}));
    LoadAll();
    EXPECT_EQ(FirstRunBuilds, 0);
    EXPECT_EQ(Captions(Main), (Strings{"A", "B"}));
    EXPECT_EQ(Captions(Smart), Strings{"スマートバー"});
    EXPECT_EQ(Captions(History), Strings{"履歴バー"});
    // The page a bar drops is not lost: the file went aside first.
    EXPECT_FALSE(Platform.Has("Main.pag.bak"));
    EXPECT_FALSE(Platform.Has("Smart.pag.bak"));
    EXPECT_EQ(Platform.Content("History.pag.bak"), PageBytes({"one", "two"}));
}

TEST_F(SessionFiles, DamagedOrPartlyReadFilesAreKeptBeforeTheSave) {
    Platform.AddFile(Data + "Main.pag", "not a page file");
    std::string partial = PageBytes({"A", "B"});
    partial[4] = 1;  // the header counts one page of the two
    Platform.AddFile(Data + "Smart.pag", partial);
    LoadAll();
    EXPECT_EQ(FirstRunBuilds, 1);
    EXPECT_EQ(Platform.Content("Main.pag.bak"), "not a page file");
    EXPECT_EQ(Platform.Content("Smart.pag.bak"), partial);
    EXPECT_FALSE(Platform.Has("History.pag.bak"));  // missing is not damaged
    EXPECT_TRUE(SaveAll().empty());
    EXPECT_EQ(Platform.Content("Main.pag"), Main.SaveToBytes());
    EXPECT_EQ(Platform.Content("Main.pag.bak"), "not a page file");
}

// Main.pag read ahead (on another thread) goes through the same rules as one
// read here: a part read is kept aside, a failed read builds the first run.
// A page file not read whole is told of once as the run starts, with the
// name its bytes are kept under. One of a newer version is not used and never
// written over: the newer program's pages stay for it.
TEST_F(SessionFiles, DamagedAndNewerPageFilesAreToldAndANewerOneIsNeverWritten) {
    std::string newer = PageBytes({"新しい"});
    newer[2] = static_cast<char>(999 & 0xFF);
    newer[3] = static_cast<char>(999 >> 8);
    Platform.AddFile(Data + "Main.pag", newer);
    std::string cut = PageBytes({"A", "B"});
    cut.resize(cut.size() - 3);
    Platform.AddFile(Data + "Smart.pag", cut);
    LoadAll();
    EXPECT_EQ(FirstRunBuilds, 1);
    EXPECT_EQ(Platform.Content("Main.pag.bak"), newer);
    EXPECT_EQ(Platform.Content("Smart.pag.bak"), cut);
    const std::string told = Files.StartMessage();
    for (const char* kept : {"Main.pag.bak", "Smart.pag.bak"})
        EXPECT_NE(told.find("\"" + Data + kept + "\""), std::string::npos) << kept;
    EXPECT_NE(told.find("新しいバージョン"), std::string::npos);
    EXPECT_EQ(told.find("History.pag"), std::string::npos);

    Main.Pages(0)->Caption = "今回の変更";
    EXPECT_TRUE(SaveAll().empty());
    EXPECT_EQ(Platform.Content("Main.pag"), newer);
    EXPECT_EQ(Platform.Content("Smart.pag"), Smart.SaveToBytes());
    Platform.AddFile(Data + "Main.pag", newer + "x");  // the newer program saved meanwhile
    EXPECT_TRUE(Files.CheckOutside({TDataFile::Main}).Empty());
    EXPECT_TRUE(SaveAll().empty());
    EXPECT_EQ(Platform.Content("Main.pag"), newer + "x");
}

TEST_F(SessionFiles, MainPagesReadAheadKeepTheSameRules) {
    Platform.AddFile(Data + "Main.pag", "read elsewhere");
    TVantorManager partly(Platform);
    partly.Clear();
    partly.AddPage("A", 0);
    Files.LoadMainPages(
        partly, [this] { ++FirstRunBuilds; }, [] { return false; });
    EXPECT_EQ(FirstRunBuilds, 0);
    EXPECT_EQ(Captions(partly), Strings{"A"});
    EXPECT_EQ(Platform.Content("Main.pag.bak"), "read elsewhere");

    TSessionFiles again(Platform, Data);
    TVantorManager failed(Platform);
    again.LoadMainPages(
        failed, [&] { failed.AddPage("デスクトップ", 0); }, []() -> bool { throw EVantorError("not a page file"); });
    EXPECT_EQ(Captions(failed), Strings{"デスクトップ"});
}

TEST_F(SessionFiles, BackupsAreNeverReplacedAndWhenAllAreTakenTheFileStays) {
    Platform.AddFile(Data + "Main.pag.bak", "first damage");
    Platform.AddFile(Data + "Main.pag", "second damage");
    LoadAll();
    EXPECT_EQ(Platform.Content("Main.pag.bak"), "first damage");
    EXPECT_EQ(Platform.Content("Main.pag.bak2"), "second damage");
    EXPECT_FALSE(Files.IsProtected(TDataFile::Main));

    // The same damage again is kept already: no new backup.
    TSessionFiles again(Platform, Data);
    TVantorManager main(Platform);
    again.LoadMainPages(main, [] {});
    EXPECT_FALSE(Platform.Has("Main.pag.bak3"));
    EXPECT_FALSE(again.IsProtected(TDataFile::Main));

    for (int n = 3; n <= MaxBackups; ++n) Platform.AddFile(BackupName(Data + "Main.pag", n), "older");
    Platform.AddFile(Data + "Main.pag", "third damage");
    TSessionFiles full(Platform, Data);
    full.LoadMainPages(main, [] {});
    EXPECT_TRUE(full.IsProtected(TDataFile::Main));
    EXPECT_FALSE(Platform.Has(BackupName("Main.pag", MaxBackups + 1)));
    EXPECT_TRUE(full.SaveAll(nullptr, main, Smart, History).empty());
    EXPECT_EQ(Platform.Content("Main.pag"), "third damage");
    EXPECT_TRUE(Platform.Has("Smart.pag"));  // the rest is saved
}

TEST_F(SessionFiles, FilesThatCannotBeReadOrKeptAreNeverWrittenOver) {
    Platform.AddFile(Data + "Main.pag", "locked pages");
    Platform.AddFile(Data + "Vantor.ini", "[Settings]\r\nHideWidth=9\r\n");
    Platform.Unreadable = {AnsiLowerCase(Data + "Main.pag"), AnsiLowerCase(Data + "Vantor.ini")};
    Platform.AddFile(Data + "Smart.pag", "damaged");
    Platform.Unwritable = {AnsiLowerCase(Data + "Smart.pag.bak")};  // nowhere to keep it
    TFolderHistory history;
    Files.LoadFolderHistory(history);
    LoadAll();
    EXPECT_TRUE(Files.IsProtected(TDataFile::Settings));
    EXPECT_TRUE(Files.IsProtected(TDataFile::Main));
    EXPECT_TRUE(Files.IsProtected(TDataFile::Smart));
    EXPECT_FALSE(Files.IsProtected(TDataFile::History));
    // The user hears of them as the run starts, each by its path.
    const std::vector<TDataFile> kept = Files.ProtectedFiles();
    EXPECT_EQ(kept, (std::vector<TDataFile>{TDataFile::Settings, TDataFile::Main, TDataFile::Smart}));
    const std::string told = Files.ProtectedFilesMessage(kept);
    for (const char* name : {"Vantor.ini", "Main.pag", "Smart.pag"})
        EXPECT_NE(told.find("\"" + Data + name + "\""), std::string::npos) << name;
    EXPECT_EQ(told.find("History.pag"), std::string::npos);

    Platform.Unreadable.clear();
    EXPECT_TRUE(SaveAll().empty());
    EXPECT_EQ(Platform.Writes, Strings{"History.pag"});
    EXPECT_EQ(Platform.Content("Vantor.ini"), "[Settings]\r\nHideWidth=9\r\n");
    EXPECT_EQ(Platform.Content("Main.pag"), "locked pages");
    EXPECT_EQ(Platform.Content("Smart.pag"), "damaged");
}

TEST_F(SessionFiles, OlderFilesGoOnlyOnceTheSettingsFileHoldsThem) {
    Platform.AddFile(Data + "Keys.def", "MActivate=Ctrl+Alt+Z\r\n");
    Platform.AddFile(Data + "Sounds.def", "Launch=*MenuCommand\r\n");
    Platform.AddFile(Data + "Vantor.fhi", "C:\\Old\r\n");
    TVantorSettings settings(Platform);
    TFolderHistory history;
    Files.LoadFolderHistory(history);
    Files.ReadSettings(settings, TSettingsReadOptions());
    EXPECT_EQ(history.Items, Strings{"C:\\Old"});
    EXPECT_EQ(Files.PendingMigrations().size(), 3u);
    auto write = [&](TProfile& ini) { settings.WriteSettings(ini, 0, history); };

    Platform.Unwritable = {AnsiLowerCase(Data + "Vantor.ini")};
    EXPECT_EQ(Files.SaveSettings(write), std::vector<TDataFile>{TDataFile::Settings});
    for (const char* name : {"Keys.def", "Sounds.def", "Vantor.fhi"}) EXPECT_TRUE(Platform.Has(name)) << name;

    Platform.Unwritable.clear();
    EXPECT_TRUE(Files.SaveSettings(write).empty());
    for (const char* name : {"Keys.def", "Sounds.def", "Vantor.fhi"}) EXPECT_FALSE(Platform.Has(name)) << name;
    EXPECT_TRUE(Files.PendingMigrations().empty());
    TProfile ini;
    ASSERT_TRUE(ini.LoadFromFile(Platform, Data + "Vantor.ini"));
    EXPECT_EQ(ini.ReadString("History", "FolderHistory0", ""), "C:\\Old");
    EXPECT_EQ(ini.ReadString("Sounds", "Sound0", ""), "Launch=*MenuCommand");
    EXPECT_NE(ini.SaveToBytes().find("=MActivate=Ctrl+Alt+Z\r\n"), std::string::npos);
}

// Read-only older files outlive their move into Vantor.ini: what the user
// changed since (a sound, the folder history, a key) stays at the next start.
TEST_F(SessionFiles, OlderFilesThatWillNotGoDoNotUndoLaterChanges) {
    Platform.AddFile(Data + "Keys.def", "MActivate=Ctrl+Alt+Z\r\n");
    Platform.AddFile(Data + "Sounds.def", "Launch=*MenuCommand\r\n");
    Platform.AddFile(Data + "Vantor.fhi", "C:\\Old\r\n");
    for (const char* name : {"Keys.def", "Sounds.def", "Vantor.fhi"})
        Platform.Unremovable.insert(AnsiLowerCase(Data + name));
    {
        TVantorSettings settings(Platform);
        TFolderHistory history;
        Files.LoadFolderHistory(history);
        Files.ReadSettings(settings, TSettingsReadOptions());
        SetListValue(settings.ShortCuts, "MActivate", "Ctrl+Alt+Q");
        settings.Sounds = {"Launch=C:\\new.wav"};
        history.Items.clear();
        EXPECT_TRUE(Files.SaveSettings([&](TProfile& ini) { settings.WriteSettings(ini, 0, history); }).empty());
    }
    TSessionFiles next(Platform, Data);
    TVantorSettings settings(Platform);
    TFolderHistory history;
    next.LoadFolderHistory(history);
    next.ReadSettings(settings, TSettingsReadOptions());
    EXPECT_EQ(ListValue(settings.ShortCuts, "MActivate"), "Ctrl+Alt+Q");
    EXPECT_EQ(settings.Sounds, Strings{"Launch=C:\\new.wav"});
    EXPECT_TRUE(history.Items.empty());
    EXPECT_TRUE(next.PendingMigrations().empty());
}

TEST_F(SessionFiles, OlderFilesStayWhileTheSettingsFileIsNotWritten) {
    Platform.AddFile(Data + "Vantor.ini", "[Settings]\r\n");
    Platform.Unreadable = {AnsiLowerCase(Data + "Vantor.ini")};
    Platform.AddFile(Data + "Keys.def", "MActivate=Ctrl+Alt+Z\r\n");
    TVantorSettings settings(Platform);
    Files.ReadSettings(settings, TSettingsReadOptions());
    EXPECT_TRUE(Files.SaveSettings([](TProfile&) {}).empty());
    EXPECT_TRUE(Platform.Has("Keys.def"));
}

TEST_F(SessionFiles, MissingKeyDefinitionsAreFilledAndWrittenByTheFirstSave) {
    auto savedKeys = [&](TVantorSettings& settings) {
        EXPECT_TRUE(
            Files.SaveSettings([&](TProfile& ini) { settings.WriteSettings(ini, 0, TFolderHistory()); }).empty());
        TProfile ini;
        EXPECT_TRUE(ini.LoadFromFile(Platform, Data + "Vantor.ini"));
        return ini;
    };
    {  // no settings file at all
        TVantorSettings settings(Platform);
        Files.ReadSettings(settings, TSettingsReadOptions());
        EXPECT_EQ(settings.ShortCuts.size(), 37u);
        TProfile ini = savedKeys(settings);
        EXPECT_EQ(ini.ReadString("ShortCuts", "ShortCut0", ""), "MActivate=Ctrl+Alt+L");
        EXPECT_EQ(ini.ReadString("ShortCuts", "ShortCut36", ""), "MExit=*None");
    }
    {  // a section that lacks most actions: the user's key stays first
        Platform.AddFile(Data + "Vantor.ini", "[Settings]\r\nVersion=768\r\n[ShortCuts]\r\nShortCut0=MHelp=F2\r\n");
        TVantorSettings settings(Platform);
        Files.ReadSettings(settings, TSettingsReadOptions());
        EXPECT_EQ(ListValue(settings.ShortCuts, "MHelp"), "F2");
        EXPECT_EQ(settings.ShortCuts.size(), 37u);
        TProfile ini = savedKeys(settings);
        EXPECT_EQ(ini.ReadString("ShortCuts", "ShortCut0", ""), "MHelp=F2");
        EXPECT_EQ(ini.ReadString("ShortCuts", "ShortCut1", ""), "MActivate=Ctrl+Alt+L");
    }
}

TEST_F(SessionFiles, SettingsFileThatTurnsUnreadableIsNotReplaced) {
    Platform.AddFile(Data + "Vantor.ini", "[Other]\r\nKeep=1\r\n");
    TProfile ini;
    EXPECT_TRUE(Files.LoadSettingsFile(ini));
    Platform.Unreadable = {AnsiLowerCase(Data + "Vantor.ini")};
    EXPECT_EQ(Files.SaveSettings([](TProfile&) {}), std::vector<TDataFile>{TDataFile::Settings});
    Platform.Unreadable.clear();
    EXPECT_EQ(Platform.Content("Vantor.ini"), "[Other]\r\nKeep=1\r\n");
}

TEST_F(SessionFiles, SettingsAndPlacementsGoInOneWriteBeforeThePageFiles) {
    LoadAll();
    int writers = 0;
    auto failed = Files.SaveAll(
        [&](TProfile& ini) {
            ++writers;
            ini.WriteInteger("Settings", "Version", 768);
            ini.WriteInteger("DockLocations", "Left", 10);
        },
        Main, Smart, History);
    EXPECT_TRUE(failed.empty());
    EXPECT_EQ(writers, 1);
    EXPECT_EQ(Platform.Writes, (Strings{"Vantor.ini", "Main.pag", "Smart.pag", "History.pag"}));
    EXPECT_EQ(Platform.Content("Vantor.ini"), "[Settings]\r\nVersion=768\r\n[DockLocations]\r\nLeft=10\r\n");
}

TEST_F(SessionFiles, FailedSavesSkipNothingAndAreToldOnceUntilTheySaveAgain) {
    LoadAll();
    Platform.Unwritable = {AnsiLowerCase(Data + "Vantor.ini"), AnsiLowerCase(Data + "Smart.pag")};
    std::vector<std::string> swallowed;
    Files.OnSwallowed = [&](const char* where, const std::exception&) { swallowed.push_back(where); };
    auto failed = SaveAll();
    EXPECT_EQ(failed, (std::vector<TDataFile>{TDataFile::Settings, TDataFile::Smart}));
    EXPECT_EQ(Platform.Writes, (Strings{"Main.pag", "History.pag"}));
    EXPECT_EQ(swallowed.size(), 2u);
    EXPECT_EQ(Files.TakeUnreported(failed), failed);
    EXPECT_TRUE(Files.TakeUnreported(SaveAll()).empty());  // the next automatic save says nothing

    Platform.Unwritable = {AnsiLowerCase(Data + "Vantor.ini")};
    EXPECT_TRUE(Files.TakeUnreported(SaveAll()).empty());
    Platform.Unwritable = {AnsiLowerCase(Data + "Smart.pag")};  // saved once in between: told again
    EXPECT_EQ(Files.TakeUnreported(SaveAll()), std::vector<TDataFile>{TDataFile::Smart});

    EXPECT_EQ(Files.SaveFailureMessage({TDataFile::Main})
                  .rfind("データファイル\"C:\\Data\\Main.pag\"を保存できませんでした。", 0),
              0u);
    std::string both = Files.SaveFailureMessage({TDataFile::Main, TDataFile::Smart});
    EXPECT_NE(both.find("\"C:\\Data\\Main.pag\"\n\"C:\\Data\\Smart.pag\""), std::string::npos);
}

TEST_F(SessionFiles, StaleTemporariesOfOurOwnFilesAreRemoved) {
    const Strings ours = {"Main.pag.tmp",    "Vantor.ini.tmp",   "Smart.pag.tmp",
                          "History.pag.tmp", "Main.pag.bak.tmp", "History.pag.bak3.tmp"};
    const Strings others = {"Main.pag", "Other.tmp", "Main.tmp", "Main.pag.old.tmp", "notes.txt.tmp"};
    for (const auto& name : ours) Platform.AddFile(Data + name, "x");
    for (const auto& name : others) Platform.AddFile(Data + name, "x");
    Files.RemoveStaleTemporaries();
    for (const auto& name : ours) EXPECT_FALSE(Platform.Has(name)) << name;
    for (const auto& name : others) EXPECT_TRUE(Platform.Has(name)) << name;
}

// ---- files changed elsewhere (a synchronised folder, a stick shared between
// computers) while the program runs

namespace {

class SessionFilesElsewhere : public SessionFiles {
protected:
    void SetUp() override {
        SessionFiles::SetUp();
        Files.LocalTime = [] {
            std::tm time{};
            time.tm_year = 2026 - 1900;
            time.tm_mon = 11;
            time.tm_mday = 8;
            time.tm_hour = 10;
            time.tm_min = 30;
            return time;
        };
        Platform.AddFile(Data + "Vantor.ini", "[Settings]\r\nVersion=768\r\n");
        Platform.AddFile(Data + "Main.pag", PageBytes({"A", "B"}));
        Platform.AddFile(Data + "Smart.pag", PageBytes({"mine"}));
        Platform.AddFile(Data + "History.pag", PageBytes({"old"}));
        TFolderHistory history;
        Files.LoadFolderHistory(history);
        LoadAll();
        Platform.Writes.clear();
    }
    TSaveReport SaveChanged(TDataFileSet changedHere) {
        return Files.SaveAll([](TProfile& ini) { ini.WriteInteger("Settings", "HideWidth", 5); }, Main, Smart, History,
                             changedHere);
    }
    // The other computer's file arrives.
    void ArriveElsewhere(const std::string& name, const std::string& bytes) { Platform.AddFile(Data + name, bytes); }
};

const std::string KeptMain = Data + "Main (別の変更 2026-12-08 10-30-00).pag";

}  // namespace

TEST_F(SessionFilesElsewhere, OnlyWhatChangedIsWrittenAndOurOwnWritesAreNotSeenAsChangesElsewhere) {
    TSaveReport report = SaveChanged({});
    EXPECT_TRUE(Platform.Writes.empty());
    EXPECT_TRUE(Files.CheckOutside({}).Empty());

    Main.Pages(0)->Caption = "今回";
    report = SaveChanged({TDataFile::Main});
    EXPECT_EQ(Platform.Writes, Strings{"Main.pag"});
    EXPECT_TRUE(report.Failed.empty() && report.Reload.empty() && report.KeptBeside.empty());
    EXPECT_TRUE(Files.CheckOutside({}).Empty());
    EXPECT_TRUE(SaveChanged({TDataFile::Main}).KeptBeside.empty());

    // A file kept aside as damaged at the start is replaced by the first save,
    // changed here or not; one that is missing is written too.
    Platform.AddFile(Data + "Smart.pag", "damaged");
    Platform.RemoveFile(Data + "History.pag");
    TSessionFiles again(Platform, Data);
    TVantorManager smart(Platform), history(Platform);
    again.LoadBarPages(smart, TDataFile::Smart, "スマートバー");
    again.LoadBarPages(history, TDataFile::History, "履歴バー");
    Platform.Writes.clear();
    EXPECT_TRUE(again.SaveAll(nullptr, Main, smart, history, {}).Failed.empty());
    EXPECT_EQ(Platform.Writes, (Strings{"Smart.pag", "History.pag"}));
    EXPECT_EQ(Platform.Content("Smart.pag.bak"), "damaged");
    Platform.Writes.clear();
    again.SaveAll(nullptr, Main, smart, history, {});
    EXPECT_TRUE(Platform.Writes.empty());
}

TEST_F(SessionFilesElsewhere, AFileChangedOnlyElsewhereIsReadAgainAndNeverWrittenOver) {
    ArriveElsewhere("Main.pag", PageBytes({"C", "D", "E"}));
    ArriveElsewhere("Smart.pag", PageBytes({"theirs", "second"}));
    TOutsideChanges changes = Files.CheckOutside({TDataFile::History});
    EXPECT_EQ(changes.Reload, (std::vector<TDataFile>{TDataFile::Main, TDataFile::Smart}));
    EXPECT_TRUE(changes.SaveSoon.empty());

    // A save before the caller read them again leaves them alone.
    TSaveReport report = SaveChanged({TDataFile::History});
    EXPECT_EQ(report.Reload, (std::vector<TDataFile>{TDataFile::Main, TDataFile::Smart}));
    EXPECT_EQ(Platform.Writes, Strings{"History.pag"});
    EXPECT_EQ(Platform.Content("Main.pag"), PageBytes({"C", "D", "E"}));

    Main.SetCurrentPage(1);
    ASSERT_TRUE(Files.ReloadPages(TDataFile::Main, Main));
    EXPECT_EQ(Captions(Main), (Strings{"C", "D", "E"}));
    EXPECT_EQ(Main.CurrentPage(), 1);
    // A bar keeps its one page and caption; the page it drops is kept aside.
    ASSERT_TRUE(Files.ReloadPages(TDataFile::Smart, Smart));
    EXPECT_EQ(Captions(Smart), Strings{"スマートバー"});
    EXPECT_EQ(Platform.Content("Smart.pag.bak"), PageBytes({"theirs", "second"}));
    EXPECT_TRUE(Files.CheckOutside({}).Reload.empty());

    // The settings likewise, handed over as read.
    ArriveElsewhere("Vantor.ini", "[Settings]\r\nHideWidth=7\r\n");
    EXPECT_EQ(Files.CheckOutside({}).Reload, std::vector<TDataFile>{TDataFile::Settings});
    int32_t hideWidth = 0;
    ASSERT_TRUE(Files.ReloadSettings([&](TProfile& ini) { hideWidth = ini.ReadInteger("Settings", "HideWidth", 0); }));
    EXPECT_EQ(hideWidth, 7);
    EXPECT_TRUE(Files.CheckOutside({}).Empty());

    // Half a file (a copy still under way, say) does not replace the pages:
    // it is kept aside and ours go back at the next save.
    std::string partial = PageBytes({"X", "Y"});
    partial[4] = 1;
    ArriveElsewhere("Main.pag", partial);
    EXPECT_FALSE(Files.ReloadPages(TDataFile::Main, Main));
    EXPECT_EQ(Captions(Main), (Strings{"C", "D", "E"}));
    EXPECT_EQ(Platform.Content("Main.pag.bak"), partial);
    SaveChanged({});
    EXPECT_EQ(Platform.Content("Main.pag"), Main.SaveToBytes());

    // Locked while it arrives: nothing can be told, nothing is done.
    ArriveElsewhere("History.pag", PageBytes({"new"}));
    Platform.Unreadable = {AnsiLowerCase(Data + "History.pag")};
    EXPECT_TRUE(Files.CheckOutside({}).Empty());
    EXPECT_FALSE(Files.ReloadPages(TDataFile::History, History));
    Platform.Unreadable.clear();
    EXPECT_EQ(Files.CheckOutside({}).Reload, std::vector<TDataFile>{TDataFile::History});
}

TEST_F(SessionFilesElsewhere, AFileChangedHereAndElsewhereKeepsBothAndTheUserIsToldOnce) {
    ArriveElsewhere("Main.pag", PageBytes({"theirs"}));
    ArriveElsewhere("Vantor.ini", "[Settings]\r\nVersion=768\r\n[Theirs]\r\nKeep=1\r\n");
    Main.Pages(0)->Caption = "ours";
    EXPECT_EQ(Files.CheckOutside({TDataFile::Main, TDataFile::Settings}).SaveSoon,
              (std::vector<TDataFile>{TDataFile::Settings, TDataFile::Main}));

    TSaveReport report = SaveChanged({TDataFile::Main, TDataFile::Settings});
    const std::string keptIni = Data + "Vantor (別の変更 2026-12-08 10-30-00).ini";
    EXPECT_EQ(report.KeptBeside,
              (std::vector<TKeptBeside>{{TDataFile::Settings, keptIni}, {TDataFile::Main, KeptMain}}));
    EXPECT_TRUE(report.Failed.empty());
    EXPECT_EQ(Platform.Content("Main (別の変更 2026-12-08 10-30-00).pag"), PageBytes({"theirs"}));
    EXPECT_EQ(Platform.Content("Main.pag"), Main.SaveToBytes());
    // Ours goes into theirs: their lines stay.
    EXPECT_EQ(Platform.Content("Vantor.ini"), "[Settings]\r\nVersion=768\r\nHideWidth=5\r\n[Theirs]\r\nKeep=1\r\n");

    const std::string told = Files.KeptBesideMessage(report.KeptBeside);
    EXPECT_NE(
        told.find("Main.pagは別の場所でも変更されていました。そちらの内容は「" + KeptMain + "」に残してあります。"),
        std::string::npos);
    EXPECT_NE(told.find(keptIni), std::string::npos);
    EXPECT_TRUE(SaveChanged({TDataFile::Main, TDataFile::Settings}).KeptBeside.empty());  // told once

    // Again within the same second: a name that is taken, ours or the user's,
    // is never replaced.
    Platform.AddFile(Data + "Main (別の変更 2026-12-08 10-30-00) (2).pag", "the user's");
    ArriveElsewhere("Main.pag", PageBytes({"theirs again"}));
    report = SaveChanged({TDataFile::Main});
    ASSERT_EQ(report.KeptBeside.size(), 1u);
    EXPECT_EQ(report.KeptBeside[0].KeptAs, Data + "Main (別の変更 2026-12-08 10-30-00) (3).pag");
    EXPECT_EQ(Platform.Content("Main (別の変更 2026-12-08 10-30-00).pag"), PageBytes({"theirs"}));
    EXPECT_EQ(Platform.Content("Main (別の変更 2026-12-08 10-30-00) (2).pag"), "the user's");
    EXPECT_EQ(Platform.Content("Main (別の変更 2026-12-08 10-30-00) (3).pag"), PageBytes({"theirs again"}));
}

TEST_F(SessionFilesElsewhere, TheirsIsNeverLostWhenItCannotBeKeptOrOursCannotBeWritten) {
    // Nowhere to keep theirs: ours waits, the file stays theirs.
    ArriveElsewhere("Main.pag", PageBytes({"theirs"}));
    Platform.Unwritable = {AnsiLowerCase(KeptMain)};
    TSaveReport report = SaveChanged({TDataFile::Main});
    EXPECT_EQ(report.Failed, std::vector<TDataFile>{TDataFile::Main});
    EXPECT_EQ(Platform.Content("Main.pag"), PageBytes({"theirs"}));

    // Kept, but ours will not write: the next save writes ours without
    // keeping theirs a second time.
    Platform.Unwritable = {AnsiLowerCase(Data + "Main.pag")};
    report = SaveChanged({TDataFile::Main});
    EXPECT_EQ(report.KeptBeside.size(), 1u);
    EXPECT_EQ(report.Failed, std::vector<TDataFile>{TDataFile::Main});
    Platform.Unwritable.clear();
    report = SaveChanged({TDataFile::Main});
    EXPECT_TRUE(report.KeptBeside.empty() && report.Failed.empty());
    EXPECT_EQ(Platform.Content("Main.pag"), Main.SaveToBytes());
}

TEST_F(SessionFilesElsewhere, AFileRemovedElsewhereIsWrittenBack) {
    Platform.RemoveFile(Data + "Main.pag");
    EXPECT_EQ(Files.CheckOutside({}).SaveSoon, std::vector<TDataFile>{TDataFile::Main});
    EXPECT_FALSE(Files.ReloadPages(TDataFile::Main, Main));
    TSaveReport report = SaveChanged({});
    EXPECT_EQ(report.WrittenBack, std::vector<TDataFile>{TDataFile::Main});
    EXPECT_EQ(Platform.Content("Main.pag"), Main.SaveToBytes());
    EXPECT_TRUE(Files.CheckOutside({}).Empty());
}

TEST(SessionFirstRun, ShortcutPagesTakeOnlyShortcutsSortedAndNoEmptyPages) {
    TFakePlatform platform;
    platform.AddFile("C:\\Desk\\b.lnk");
    platform.AddFile("C:\\Desk\\a.lnk");
    platform.AddFile("C:\\Desk\\c.lnkx");
    platform.AddFile("C:\\Desk\\d.txt");
    platform.AddFolder("C:\\Empty");
    TVantorManager pages(platform);
    pages.Clear();
    auto canonical = [](const std::string& path) { return path + "!"; };
    for (const auto& source : FirstRunPageSources("C:\\Desk", "C:\\Empty"))
        AddShortcutPage(pages, platform, source.Caption, source.Folder, canonical);
    ASSERT_EQ(pages.Count(), 1);
    EXPECT_EQ(pages.Pages(0)->Caption, "デスクトップ");
    ASSERT_EQ(pages.Pages(0)->Count(), 2);
    EXPECT_EQ(pages.Pages(0)->Buttons(0)->LinkTo, "C:\\Desk\\a.lnk!");

    auto sources = FirstRunPageSources("", "C:\\P");
    ASSERT_EQ(sources.size(), 4u);
    EXPECT_EQ(sources[2].Folder, "C:\\P\\ｱｸｾｻﾘ\\ｼｽﾃﾑ ﾂｰﾙ");
    EXPECT_EQ(FirstRunPageSources("D", "")[3].Folder, "");  // never a folder under the current one
}
