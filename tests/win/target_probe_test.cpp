// Targets on a drive that does not answer: every look at one is made to wait
// until the test lets it go, and says which thread asked. Starting an entry,
// opening its folder, its menu, its properties' OK, the start-up and a page
// switch each get through while the looks are still held, and none of them
// looks on the window's thread.
#include "shell/target_probe.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>

#include "app/main_window_host.h"
#include "app/vantor.h"
#include "base/win_text.h"
#include "controls/icon_loader.h"
#include "dialogs/entry_properties.h"
#include "dialogs/organise_ids.h"
#include "recording_desktop.h"
#include "shell/win_platform.h"
#include "text/text.h"
#include "win_test_util.h"

namespace {

// Looks under `Slow` wait for Release; the rest answer at once. Shared with
// the workers, which may still hold it when the test ends.
struct TSlowDrive {
    std::string Slow;
    TKernelHandle Released{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::mutex Lock;
    std::set<DWORD> Threads;  // that looked under Slow
    std::vector<std::string> Looked;
    std::atomic<int> Held{0};

    TTargetKind Look(const std::string& path) {
        if (!SameText(path.substr(0, Slow.size()), Slow)) return SystemTargetFileSystem().Look(path);
        {
            std::lock_guard<std::mutex> lock(Lock);
            Threads.insert(GetCurrentThreadId());
            Looked.push_back(path);
        }
        ++Held;
        WaitForSingleObject(Released.Get(), 60000);
        --Held;
        return SystemTargetFileSystem().Look(path);
    }
    bool LookedOn(DWORD thread) {
        std::lock_guard<std::mutex> lock(Lock);
        return Threads.count(thread) > 0;
    }
    size_t LookCount() {
        std::lock_guard<std::mutex> lock(Lock);
        return Looked.size();
    }
};

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Runs the thread's messages until `done` (a bound keeps a broken case from
// hanging the run; it is no measure of speed).
template <typename TDone>
bool PumpUntil(TDone done) {
    for (int i = 0; i < 2000 && !done(); ++i) {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

class TargetProbeTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-probe"};
    std::string Data = Folder / "Data\\";
    std::string Share = Folder / "Share\\";
    TWinPlatform Platform;
    TRecordingDesktop* Desktop = nullptr;
    std::shared_ptr<TSlowDrive> Drive = std::make_shared<TSlowDrive>();
    std::unique_ptr<TVantor> Vantor;
    const DWORD UiThread = GetCurrentThreadId();

    void SetUp() override {
        MakeFolder(Data);
        MakeFolder(Share);
        WriteTextFile(Share + "app.exe", "MZ");
        WriteTextFile(Share + "Readme.txt", "read me");
        Drive->Slow = Share;
        TTargetFileSystem fs = SystemTargetFileSystem();
        fs.Look = [drive = Drive](const std::string& path) { return drive->Look(path); };
        SetTargetFileSystem(fs);
    }
    void TearDown() override {
        Release();
        if (Vantor) {
            Vantor->Probe().FinishAll();
            Vantor->IconCache().FinishAll();
        }
        Vantor.reset();
        SetTargetFileSystem(SystemTargetFileSystem());
        // Looks held by the test made the test folder's drive look slow.
        SlowPlaces().Noted(Share, 0, GetTickCount());
    }
    void Release() { SetEvent(Drive->Released.Get()); }

    TVantor& Start() {
        auto desktop = std::make_unique<TRecordingDesktop>();
        Desktop = desktop.get();
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }
    TVantorPage& Page(int index) { return *Vantor->MainPages().Pages(index); }
};

}  // namespace

// A click and "open this folder" go to the shell once the time limit has
// passed without an answer, the folder of a file rather than the program;
// nothing says the target is missing.
TEST_F(TargetProbeTest, StartsAndOpeningTheFolderGoToTheShellWhileTheDriveIsSilent) {
    TVantor& vantor = Start();
    vantor.Probe().TimeLimitMs = 50;
    ASSERT_TRUE(Page(0).Add(Share + "app.exe", "app", "", "-x", "", ShowNormal, false, "", 0));

    vantor.Launcher().LaunchButton(TBarKind::Main, 0);
    EXPECT_TRUE(Desktop->StartedItems.empty());  // not before the answer or the time limit
    ASSERT_TRUE(PumpUntil([&] { return !Desktop->StartedItems.empty(); }));
    EXPECT_EQ(Desktop->StartedItems[0], Share + "app.exe");
    EXPECT_EQ(vantor.Document().History().Pages(0)->Count(), 1);

    vantor.Launcher().OpenThisFolder(Share + "app.exe");
    ASSERT_TRUE(PumpUntil([&] { return Desktop->StartedItems.size() == 2; }));
    EXPECT_EQ(Desktop->StartedItems[1], ExcludeTrailingBackslash(Share));

    EXPECT_GT(Drive->Held.load(), 0);  // all of it while the drive still holds the looks
    EXPECT_TRUE(Desktop->Boxes.empty());
    EXPECT_FALSE(Drive->LookedOn(UiThread));
    EXPECT_GT(Drive->LookCount(), 0u);
}

// The menu opens at once without what it does not know; once the drive has
// answered, the next one offers the read-me and the folder.
TEST_F(TargetProbeTest, TheEntryMenuOpensAtOnceAndOffersWhatLiesBesideOnceKnown) {
    TVantor& vantor = Start();
    TVantorButton entry;
    entry.LinkTo = Share + "app.exe";
    entry.Title = "app";
    TEntryMenu& menu = vantor.EntryMenu();
    menu.Build(TMenuOwner::Main, entry);
    EXPECT_EQ(menu.Menu().Find("Readme.txt -リードミー(&R)"), -1);
    EXPECT_EQ(menu.Menu().Find("Share"), -1);
    EXPECT_GE(menu.Menu().Find("このフォルダを開く(&F)"), 0);
    EXPECT_TRUE(PumpUntil([&] { return Drive->Held.load() > 0; }));  // asked, in the background

    Release();
    ASSERT_TRUE(vantor.Probe().FinishAll());
    menu.Build(TMenuOwner::Main, entry);
    EXPECT_GE(menu.Menu().Find("Readme.txt -リードミー(&R)"), 0);
    EXPECT_GE(menu.Menu().Find("Share"), 0);
    EXPECT_FALSE(Drive->LookedOn(UiThread));
}

// OK waits with the dialog answering: Esc stops the wait and leaves the
// dialog open, OK asks again, and the dialog closes once the drive answers.
TEST_F(TargetProbeTest, PropertiesOkWaitsWithoutFreezingAndEscStopsTheWait) {
    TVantor& vantor = Start();
    TVantorButton entry;
    ASSERT_TRUE(Page(0).Add(Share + "app.exe", "app", "", "", "", ShowNormal, false, "", 0));
    entry.CopyDataFrom(*Page(0).Buttons(0));
    bool checkedWhileHeld = false, escLeftItOpen = false;
    TDialog::ShownHook = [&](TDialog& dialog) {
        auto& properties = static_cast<TEntryPropertiesDialog&>(dialog);
        dialog.SetItemText(IDC_ENT_TITLE, "新しい名前");
        dialog.ClickButton(IDOK);
        PumpUntil([&] { return Drive->Held.load() > 0; });
        checkedWhileHeld = properties.Checking() && !IsWindowEnabled(dialog.Item(IDOK)) && dialog.Handle();
        dialog.ClickButton(IDCANCEL);
        escLeftItOpen = !properties.Checking() && IsWindow(dialog.Handle()) && IsWindowEnabled(dialog.Item(IDOK));
        dialog.ClickButton(IDOK);
        Release();  // the dialog's own loop takes the answer
    };
    const bool ok = EditButton(MainWindowHost(vantor), vantor.Platform(), entry, false);
    TDialog::ShownHook = nullptr;
    EXPECT_TRUE(checkedWhileHeld);
    EXPECT_TRUE(escLeftItOpen);
    EXPECT_TRUE(ok);
    EXPECT_EQ(entry.Title, "新しい名前");
    EXPECT_FALSE(Drive->LookedOn(UiThread));
}

// The start-up and a page switch bind pages of such entries and go on: the
// icons and the looks come later from the workers.
TEST_F(TargetProbeTest, StartUpAndPageSwitchBindPagesWithoutLookingOnTheWindowsThread) {
    {
        TVantorManager pages(Platform);
        pages.Pages(0)->Caption = "一";
        pages.Pages(0)->Add(Share + "app.exe", "app", "", "", "", ShowNormal, false, "", 0);
        pages.Pages(0)->Add(Share + "gone.exe", "gone", "", "", "", ShowNormal, false, "", 0);
        pages.AddPage("二", 1);
        pages.Pages(1)->Add(Share + "Readme.txt", "readme", "", "", "", ShowNormal, false, "", 0);
        pages.SaveToFile(Data + "Main.pag");
    }
    TVantor& vantor = Start();
    vantor.Show();
    ASSERT_EQ(vantor.MainPages().Count(), 2);
    EXPECT_TRUE(vantor.MainView().Button(0)->Pending());
    vantor.SelectPageByUser(1);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 1);
    EXPECT_TRUE(vantor.MainView().Button(0)->Pending());
    PumpUntil([&] { return Drive->Held.load() > 0; });
    EXPECT_FALSE(Drive->LookedOn(UiThread));

    Release();
    vantor.SelectPageByUser(0);
    EXPECT_FALSE(Drive->LookedOn(UiThread));
    // The answers as they come (the waiting below is the test's own).
    vantor.IconCache().FinishAll();
    EXPECT_EQ(vantor.MainView().Button(0)->FileName(), Share + "app.exe");
    EXPECT_EQ(vantor.MainView().Button(1)->FileName(), "");  // the "not found" picture
}

// A share whose lookups take seconds: once one look there was slow, a page of
// its entries gets the icons of their kinds without a file there being opened
// (the open would wait as long as the share, and under Wine hold up every
// window), and the next entry there is not even looked at.
TEST(SlowShareIconTest, EntriesOnAShareFoundSlowShowTheirKindsIconsWithoutOpeningTheFiles) {
    // No such drive: only the stand-in file system says the files exist, so
    // an icon can come only from the kind, never from the file.
    const std::string share = "Q:\\SlowShare\\";
    auto looks = std::make_shared<std::atomic<int>>(0);
    TTargetFileSystem fs = SystemTargetFileSystem();
    fs.Look = [looks](const std::string&) {
        ++*looks;
        Sleep(TSlowPlaces::SlowMs + 200);
        return TTargetKind::File;
    };
    SetTargetFileSystem(fs);
    TComApartment com;
    TIconRequest request;
    request.Path = share + "tool.exe";
    request.WantIcon64 = true;
    const TIconAnswer program = LoadIconAnswer(request);
    request.Path = share + "readme.txt";
    const TIconAnswer document = LoadIconAnswer(request);
    SetTargetFileSystem(SystemTargetFileSystem());

    EXPECT_TRUE(program.Exists);
    EXPECT_TRUE(program.Icon && program.Icon64);
    EXPECT_TRUE(document.Exists);
    EXPECT_TRUE(document.Icon && document.Icon64);
    EXPECT_EQ(looks->load(), 1);
    EXPECT_TRUE(SlowPlaces().IsSlow(share, GetTickCount()));
    // One prompt answer there and files are opened for their icons again.
    SlowPlaces().Noted(share, 0, GetTickCount());
    EXPECT_FALSE(SlowPlaces().IsSlow(share, GetTickCount()));
}
