// The data files against the real file system: a read-only file is not
// replaced, a save that fails is told once and at the end may be retried, the
// temporaries of a save cut short are cleared at the next start, and a file
// changed elsewhere is kept beside under its Japanese name.
#include "session/data_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <ctime>
#include <functional>
#include <memory>

#include "app/main_pages_preload.h"
#include "app/vantor.h"
#include "base/handles.h"
#include "base/win_text.h"
#include "errors.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

void SetReadOnly(const std::string& path, bool readOnly) {
    SetFileAttributesW(Widen(path).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

struct TBox {
    std::string Text;
    UINT Type;
};
using TAnswer = std::function<int(const TBox&)>;
constexpr UINT ErrorOk = MB_OK | MB_ICONERROR;
constexpr UINT RetryCancel = MB_RETRYCANCEL | MB_ICONERROR;

// Boxes are recorded (in the test's list, which outlives the window) and
// answered by the test; nothing else reaches the desktop.
class TAnsweringDesktop : public TDesktopServices {
public:
    TAnsweringDesktop(std::vector<TBox>& boxes, TAnswer& answer) : FBoxes(boxes), FAnswer(answer) {}

    int ShowMessage(HWND, const std::string& text, UINT type) override {
        FBoxes.push_back({text, type});
        return FAnswer ? FAnswer(FBoxes.back()) : IDCANCEL;
    }
    bool IsCtrlDown() override { return false; }
    void SeedRandom() override {}
    int Random(int) override { return 0; }
    void StartShell(HWND, const TShellRequest&) override {}
    void PlaySoundValue(const std::string&) override {}
    std::string SpecialFolderPath(TSpecialFolder) override { return std::string(); }

private:
    std::vector<TBox>& FBoxes;
    TAnswer& FAnswer;
};

class DataFiles : public testing::Test {
protected:
    TTempFolder Folder{"vantor-data"};
    std::string Data = Folder / "Data\\";
    TWinPlatform Platform;
    std::vector<TBox> Boxes;
    TAnswer Answer;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override {
        Vantor.reset();
        for (const char* name : {"Vantor.ini", "Main.pag", "Smart.pag", "History.pag"})
            SetReadOnly(Data + name, false);  // so the folder can go
    }

    TVantor& Start(TMainPagesPreload* preload = nullptr) {
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data,
                                           std::make_unique<TAnsweringDesktop>(Boxes, Answer));
        Vantor->QuitOnDestroy = false;
        Vantor->MainPagesPreload = preload;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }
    size_t BoxesOfType(UINT type) const {
        size_t n = 0;
        for (const auto& box : Boxes) n += box.Type == type ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST_F(DataFiles, ReadOnlyTargetIsNotReplaced) {
    const std::string file = Data + "Main.pag";
    Platform.WriteWholeFile(file, "the user's pages");
    SetReadOnly(file, true);
    EXPECT_THROW(Platform.WriteWholeFile(file, "new pages"), EVantorError);
    EXPECT_EQ(ReadTextFile(file), "the user's pages");
    EXPECT_FALSE(PathExists(TemporarySaveName(file)));
    SetReadOnly(file, false);
    Platform.WriteWholeFile(file, "new pages");
    EXPECT_EQ(ReadTextFile(file), "new pages");
}

TEST_F(DataFiles, FailingSaveIsToldOnceAndTheEndOffersARetry) {
    TVantor& vantor = Start();
    vantor.SaveAll();
    ASSERT_TRUE(Boxes.empty());
    const std::string main = Data + "Main.pag";
    const std::string before = ReadTextFile(main);
    SetReadOnly(main, true);
    vantor.MainPages().Pages(0)->Caption = "今回の変更";

    vantor.SaveAll();
    vantor.SaveAll();  // an automatic save later: no second box
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Type, ErrorOk);
    EXPECT_EQ(Boxes[0].Text.rfind("データファイル\"" + main + "\"を保存できませんでした。", 0), 0u);
    EXPECT_EQ(ReadTextFile(main), before);  // the old file stays whole
    EXPECT_TRUE(PathExists(Data + "Smart.pag"));

    // At the end: the user clears the mark and retries; the change is kept.
    Answer = [&](const TBox&) {
        SetReadOnly(main, false);
        return IDRETRY;
    };
    Vantor.reset();
    EXPECT_EQ(BoxesOfType(RetryCancel), 1u);
    EXPECT_EQ(BoxesOfType(ErrorOk), 1u);
    TVantorManager saved(Platform);
    saved.LoadFromFile(main);
    EXPECT_EQ(saved.Pages(0)->Caption, "今回の変更");
}

TEST_F(DataFiles, CancelAtTheEndLeavesTheOldFileWhole) {
    TVantor& vantor = Start();
    vantor.SaveAll();
    const std::string ini = Data + "Vantor.ini";
    const std::string before = ReadTextFile(ini);
    SetReadOnly(ini, true);
    vantor.MainPages().SetHideWidth(9);
    Answer = [&](const TBox&) { return BoxesOfType(RetryCancel) < 2 ? IDRETRY : IDCANCEL; };
    Vantor.reset();
    EXPECT_EQ(BoxesOfType(RetryCancel), 2u);  // a retry that fails again asks again
    EXPECT_EQ(ReadTextFile(ini), before);
}

TEST_F(DataFiles, StaleTemporariesAreRemovedAtStart) {
    for (const char* name : {"Main.pag.tmp", "Vantor.ini.tmp", "History.pag.bak.tmp"})
        WriteTextFile(Data + name, "cut short");
    for (const char* name : {"Other.tmp", "Main.tmp"}) WriteTextFile(Data + name, "not ours");
    Start();
    for (const char* name : {"Main.pag.tmp", "Vantor.ini.tmp", "History.pag.bak.tmp"})
        EXPECT_FALSE(PathExists(Data + name)) << name;
    for (const char* name : {"Other.tmp", "Main.tmp"}) EXPECT_EQ(ReadTextFile(Data + name), "not ours") << name;
}

// As the program starts: Main.pag read on a worker while the windows are
// made. The pages arrive whole, and a damaged file is still kept aside
// before anything is saved over it.
TEST_F(DataFiles, MainPagesReadOnAWorkerLoadAsIfReadHere) {
    TVantorManager pages(Platform);
    pages.Clear();
    for (const char* caption : {"一", "二", "三"}) pages.AddPage(caption, 0);
    pages.Pages(1)->Add("C:\\windows\\notepad.exe", "メモ帳", "memo", "", "", 1, false, "", 0);
    pages.SaveToFile(Data + "Main.pag");
    {
        TMainPagesPreload preload(Platform, Data + "Main.pag");
        TVantor& vantor = Start(&preload);
        ASSERT_EQ(vantor.MainPages().Count(), 3);
        EXPECT_EQ(vantor.MainPages().Pages(2)->Caption, "三");
        ASSERT_EQ(vantor.MainPages().Pages(1)->Count(), 1);
        EXPECT_EQ(vantor.MainPages().Pages(1)->Buttons(0)->Title, "メモ帳");
        Vantor.reset();
    }
    EXPECT_FALSE(PathExists(Data + "Main.pag.bak"));

    WriteTextFile(Data + "Main.pag", "damaged");
    TMainPagesPreload preload(Platform, Data + "Main.pag");
    Start(&preload);
    EXPECT_EQ(ReadTextFile(Data + "Main.pag.bak"), "damaged");
    Vantor.reset();
    EXPECT_NE(ReadTextFile(Data + "Main.pag"), "damaged");
}

// What a user meets with a damaged Main.pag, read on the worker as at every
// start: one box as the window shows, naming where the file is kept, and the
// next save replaces it. A Main.pag of a newer version is told of the same
// way but outlives the run byte for byte, changes or not.
TEST_F(DataFiles, ADamagedOrNewerMainPagIsToldOnceAndANewerOneIsNeverWrittenOver) {
    const std::string main = Data + "Main.pag";
    WriteTextFile(main, "damaged");
    {
        TMainPagesPreload preload(Platform, main);
        Start(&preload).Show();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_NE(Boxes[0].Text.find("\"" + main + ".bak\""), std::string::npos);
        Vantor.reset();
    }
    EXPECT_EQ(ReadTextFile(main + ".bak"), "damaged");
    EXPECT_NE(ReadTextFile(main), "damaged");

    Boxes.clear();
    TVantorManager newer(Platform);
    newer.Pages(0)->Caption = "新しい版";
    std::string bytes = newer.SaveToBytes();
    bytes[2] = static_cast<char>(999 & 0xFF);
    bytes[3] = static_cast<char>(999 >> 8);
    WriteTextFile(main, bytes);
    {
        TMainPagesPreload preload(Platform, main);
        TVantor& vantor = Start(&preload);
        vantor.Show();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_NE(Boxes[0].Text.find("\"" + main + ".bak2\""), std::string::npos);
        EXPECT_NE(Boxes[0].Text.find("新しいバージョン"), std::string::npos);
        vantor.MainPages().Pages(0)->Caption = "今回の変更";
        vantor.SaveAll();
        Vantor.reset();
    }
    EXPECT_EQ(ReadTextFile(main), bytes);
    EXPECT_EQ(ReadTextFile(main + ".bak2"), bytes);
    EXPECT_EQ(Boxes.size(), 1u);  // nothing failed
}

// A page file another program holds locked at start can be neither read nor
// kept aside: the user is told once, as the window shows, and the file is
// left as it was, with no save failure reported for it later.
TEST_F(DataFiles, ALockedPageFileIsToldOfOnceAndLeftAsItWas) {
    WriteTextFile(Data + "Main.pag", "held by another program");
    HANDLE lock = CreateFileW(Widen(Data + "Main.pag").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Start().Show();
    CloseHandle(lock);
    ASSERT_EQ(BoxesOfType(ErrorOk), 1u);
    EXPECT_NE(Boxes[0].Text.find("\"" + Data + "Main.pag\""), std::string::npos);
    Vantor->SaveAll();
    Vantor.reset();
    EXPECT_EQ(ReadTextFile(Data + "Main.pag"), "held by another program");
    EXPECT_EQ(Boxes.size(), 1u);
}

// Main.pag replaced by another computer's while this run changed it too: on
// the real file system the other side's file is kept under its Japanese name
// beside ours, and a look at the folder afterwards finds nothing more to do.
TEST_F(DataFiles, AFileChangedElsewhereIsKeptBesideUnderItsJapaneseName) {
    TVantorManager other(Platform);
    other.Clear();
    other.AddPage("別のパソコン", 0);
    TSessionFiles files(Platform, Data);
    files.LocalTime = [] {
        std::tm time{};
        time.tm_year = 2026 - 1900;
        time.tm_mon = 11;
        time.tm_mday = 8;
        time.tm_hour = 10;
        time.tm_min = 30;
        return time;
    };
    TVantorManager main(Platform), smart(Platform), history(Platform);
    files.LoadMainPages(main, [] {});
    EXPECT_TRUE(files.SaveAll(nullptr, main, smart, history, TDataFileSet::All()).KeptBeside.empty());

    other.SaveToFile(Data + "Main.pag");
    main.Pages(0)->Caption = "こちら";
    const TSaveReport report = files.SaveAll(nullptr, main, smart, history, {TDataFile::Main});
    ASSERT_EQ(report.KeptBeside.size(), 1u);
    WIN32_FIND_DATAW found{};
    TFindHandle find(FindFirstFileW(Widen(Data + "Main (*).pag").c_str(), &found));
    ASSERT_TRUE(find);
    EXPECT_EQ(std::wstring(found.cFileName), L"Main (別の変更 2026-12-08 10-30-00).pag");
    TVantorManager kept(Platform);
    kept.LoadFromFile(report.KeptBeside[0].KeptAs);
    EXPECT_EQ(kept.Pages(0)->Caption, "別のパソコン");
    TVantorManager saved(Platform);
    saved.LoadFromFile(Data + "Main.pag");
    EXPECT_EQ(saved.Pages(0)->Caption, "こちら");
    EXPECT_TRUE(files.CheckOutside({}).Empty());
}

namespace {

std::string EmbeddedFile(const wchar_t* name) {
    HRSRC found = FindResourceW(nullptr, name, RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes ? std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found)) : std::string();
}

}  // namespace

// Data files as the program writes them, checked in (tests/win/data): pages
// with every kind of entry, a page of its own layout, an empty page, Japanese
// text with trail bytes of a backslash, and a settings file with colours,
// lists, bars and the folder history. The 32-bit and the 64-bit build each
// read them and write the very same bytes back, so a data folder moves
// between the builds unchanged.
TEST_F(DataFiles, TheCheckedInDataFilesReadAndWriteBackByteForByteInEitherBuild) {
    const std::string pages = EmbeddedFile(L"BOTH_BUILDS_MAIN_PAG");
    const std::string settings = EmbeddedFile(L"BOTH_BUILDS_VANTOR_INI");
    ASSERT_FALSE(pages.empty());
    ASSERT_FALSE(settings.empty());

    Platform.WriteWholeFile(Data + "Main.pag", pages);
    TVantorManager main(Platform);
    ASSERT_TRUE(main.LoadFromFile(Data + "Main.pag")) << "read only in part";
    ASSERT_EQ(main.Count(), 3);
    ASSERT_EQ(main.Pages(0)->Count(), 6);
    EXPECT_EQ(main.Pages(0)->Buttons(0)->Title, "表示ソフト");
    EXPECT_TRUE(main.Pages(0)->Buttons(1)->IsSeparator());
    EXPECT_TRUE(main.Pages(0)->Buttons(4)->Forbidden);
    EXPECT_EQ(main.Pages(0)->Buttons(5)->IconIndex, -21);
    EXPECT_FALSE(main.Pages(1)->DefaultLayout);
    EXPECT_EQ(main.ReservedValue, 0x12345678);
    main.SaveToFile(Data + "Saved.pag");
    EXPECT_EQ(ReadTextFile(Data + "Saved.pag"), pages);

    TProfile ini;
    ini.LoadFromBytes(settings);
    TSettingsReadOptions options;
    options.DataFolder = Data;
    const TSettingsReadResult read = main.ReadSettings(ini, options);
    TFolderHistory history;
    history.Read(ini, Platform, Data);
    EXPECT_EQ(main.Colors[3], 0x00C08040u);
    EXPECT_EQ(main.Colors[2], 0x80000009u);
    EXPECT_EQ(main.CurrentPage(), 1);
    EXPECT_EQ(history.Items.size(), 2u);
    // Written afresh, not over the lines read: every value is formatted here.
    TProfile written;
    main.WriteSettings(written, read.CurrentButton, history);
    written.SaveToFile(Platform, Data + "Vantor.ini");
    EXPECT_EQ(ReadTextFile(Data + "Vantor.ini"), settings);
}
