// The modal gate in the real main window: what reaches the program while a
// question box or a pop-up menu is open (a hot key, the saver's timer, the
// broken-links answer) waits or only brings the open window forward.
#include "base/modal_gate.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "app/vantor.h"
#include "base/dialog.h"
#include "commands/command_table.h"
#include "recording_desktop.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

// Boxes as the recording desktop gives them, with a moment inside each.
class TBoxDesktop : public TRecordingDesktop {
public:
    std::function<void()> DuringBox;
    int ShowMessage(HWND owner, const std::string& text, UINT type) override {
        const int answer = TRecordingDesktop::ShowMessage(owner, text, type);
        if (std::function<void()> during = std::move(DuringBox)) during();
        return answer;
    }
};

// Runs inside a pop-up menu's loop, from a thread timer.
std::function<void()> GInsideMenu;
void CALLBACK RunInsideMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (std::function<void()> inside = std::move(GInsideMenu)) inside();
    EndMenu();
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The system's clock, moved on by the test.
class TShiftedClock : public TWinPlatform {
public:
    uint32_t Shift = 0;
    uint32_t TickCount() override { return TWinPlatform::TickCount() + Shift; }
};

class ModalGateTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-gate"};
    std::string Data = Folder / "Data\\";
    TShiftedClock Platform;
    TBoxDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override {
        TDialog::ShownHook = nullptr;
        GInsideMenu = nullptr;
        Vantor.reset();
    }

    // Two pages; the first holds an entry whose target is there and one whose target is gone.
    TVantor& Start() {
        TVantorManager pages(Platform);
        pages.Clear();
        pages.AddPage("一", 1);
        pages.AddPage("二", 1);
        WriteTextFile(Folder / "here.exe", "MZ");
        pages.Pages(0)->Add(Folder / "here.exe", "here", "", "", "", 1, false, "", 0);
        pages.Pages(0)->Add(Folder / "gone.exe", "gone", "", "", "", 1, false, "", 0);
        pages.SaveToFile(Data + "Main.pag");
        auto desktop = std::make_unique<TBoxDesktop>();
        Desktop = desktop.get();
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }
    TVantorPage& Page(int index) { return *Vantor->MainPages().Pages(index); }
};

}  // namespace

// The user answers the delete question No; a hot key pressed meanwhile for
// "delete the page" (answered Yes, were it asked) must not run under it.
TEST_F(ModalGateTest, AHotKeyUnderAnOpenQuestionRunsNothing) {
    TVantor& vantor = Start();
    vantor.MainPages().SetCurrentPage(0);
    vantor.CurrentButton = 0;
    Desktop->Answer = IDNO;
    bool held = false;
    Desktop->DuringBox = [&] {
        held = ModalGate().Held();
        Desktop->Answer = IDYES;
        vantor.Desktop().ExecuteAction(ActionDeletePage);
        Desktop->Answer = IDNO;
    };
    vantor.Commands().Run(ActionDeleteButton);
    EXPECT_TRUE(held);
    EXPECT_EQ(Desktop->Boxes.size(), 1u);  // the page's question never came
    EXPECT_EQ(vantor.MainPages().Count(), 2);
    EXPECT_EQ(Page(0).Count(), 2);
    // With the box gone the hot key works again.
    Desktop->Answer = IDYES;
    vantor.Desktop().ExecuteAction(ActionDeletePage);
    EXPECT_EQ(vantor.MainPages().Count(), 1);
}

// A save that is due after a change waits while the entry menu is up (the
// timers rest under it), and happens once it closed.
TEST_F(ModalGateTest, TheSaveRestsWhileAMenuIsUp) {
    TVantor& vantor = Start();
    vantor.Show();
    ASSERT_TRUE(vantor.MainPages().AutoSave);
    const std::string before = ReadTextFile(Data + "Main.pag");
    TDocument& document = vantor.Document();
    ASSERT_TRUE(document.CopyEntry(document.RefOf(TBarKind::Main, Page(0), 0)));
    ASSERT_EQ(document.Paste(document.CurrentPage(TBarKind::Main)), 1);
    Platform.Shift += TSaveSchedule::QuietDelay;
    bool inside = false;
    std::string underMenu;
    GInsideMenu = [&] {
        inside = true;
        SendMessageW(vantor.Handle(), WM_TIMER, TDocumentSaver::TimerId, 0);
        underMenu = ReadTextFile(Data + "Main.pag");
    };
    SetTimer(nullptr, 0, 50, &RunInsideMenu);
    vantor.EntryMenu().Popup(TMenuOwner::Main, Page(0), 1, POINT{20, 20});
    ASSERT_TRUE(inside);
    EXPECT_EQ(underMenu, before);
    Platform.Shift += TSaveSchedule::HeldRetry;
    SendMessageW(vantor.Handle(), WM_TIMER, TDocumentSaver::TimerId, 0);
    TVantorManager saved(Platform);
    ASSERT_TRUE(saved.LoadFromFile(Data + "Main.pag"));
    EXPECT_EQ(saved.Pages(0)->Count(), 3);
}

// The look for broken entries ends while an information box is open: its
// list waits for the box and comes up once the box is closed.
TEST_F(ModalGateTest, TheBrokenLinksAnswerWaitsForTheOpenBox) {
    TVantor& vantor = Start();
    bool boxOpen = false;
    bool listed = false;
    bool listedUnderBox = false;
    TDialog::ShownHook = [&](TDialog& dialog) {
        listed = true;
        listedUnderBox = boxOpen;
        dialog.EndDialog(IDCANCEL);
    };
    vantor.BrokenLinks().Run();
    Desktop->DuringBox = [&] {
        boxOpen = true;
        // Until the answer arrived and went to wait (or, wrongly, was shown).
        const DWORD deadline = GetTickCount() + 20000;
        while (ModalGate().DeferredCount() == 0 && !listed && GetTickCount() < deadline) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            PumpMessages();
        }
        EXPECT_FALSE(listed);
        boxOpen = false;
    };
    vantor.InfoBox("開いている箱");
    EXPECT_TRUE(vantor.BrokenLinks().Running());  // its answer waits
    PumpMessages();
    EXPECT_TRUE(listed);
    EXPECT_FALSE(listedUnderBox);
    EXPECT_FALSE(vantor.BrokenLinks().Running());
    EXPECT_TRUE(vantor.BrokenLinks().KnownBroken(Folder / "gone.exe"));
}
