// The main menu's look for broken entries over a real data folder: exactly
// the entries whose target is gone are listed, they carry the mark, and
// deleting from the list takes them out of their pages.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/vantor.h"
#include "dialogs/broken_links_dialog.h"
#include "dialogs/broken_links_ids.h"
#include "recording_desktop.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

class BrokenLinksCommandTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-broken"};
    std::string Data = Folder / "Data\\";
    TWinPlatform Platform;
    TRecordingDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override {
        TDialog::ShownHook = nullptr;
        Vantor.reset();
    }

    TVantor& Start() {
        TVantorManager pages(Platform);
        pages.Clear();
        pages.AddPage("一", 1);
        pages.AddPage("二", 1);
        WriteTextFile(Folder / "here.exe", "MZ");
        Add(*pages.Pages(0), Folder / "here.exe", "here");
        Add(*pages.Pages(0), Folder / "gone1.exe", "gone1");
        Add(*pages.Pages(0), "http://example.com/", "web");
        Add(*pages.Pages(1), Folder / "gone2.txt", "gone2");
        pages.SaveToFile(Data + "Main.pag");
        auto desktop = std::make_unique<TRecordingDesktop>();
        Desktop = desktop.get();
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }

    static void Add(TVantorPage& page, const std::string& target, const std::string& title) {
        ASSERT_TRUE(page.Add(target, title, "", "", "", 1, false, "", 0));
    }

    // Runs the look and waits for its end (the list, or the box saying there is none).
    void RunAndWait(TVantor& vantor) {
        vantor.BrokenLinks().Run();
        const DWORD deadline = GetTickCount() + 20000;
        MSG msg;
        while (vantor.BrokenLinks().Running() && GetTickCount() < deadline) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        // The answer is posted: one more round delivers it.
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
};

TEST_F(BrokenLinksCommandTest, ListsExactlyTheMissingTargetsAndDeletesTheChosenOnes) {
    TVantor& vantor = Start();
    std::vector<std::string> listed;
    bool marked = false;
    TDialog::ShownHook = [&](TDialog& shown) {
        auto& dialog = dynamic_cast<TBrokenLinksDialog&>(shown);
        for (const TLinkCheck& c : dialog.Broken) listed.push_back(c.PageCaption + "/" + c.Title);
        marked = vantor.MainView().Button(1)->Marked() && !vantor.MainView().Button(0)->Marked();
        // Delete the first one after the question (answered Yes).
        Desktop->Answer = IDYES;
        dialog.Select({0});
        dialog.ClickButton(IDC_LINKS_DELETE);
        EXPECT_EQ(dialog.Broken.size(), 1u);
        shown.EndDialog(IDCANCEL);
    };
    RunAndWait(vantor);
    EXPECT_EQ(listed, (std::vector<std::string>{"一/gone1", "二/gone2"}));
    EXPECT_TRUE(marked);
    ASSERT_EQ(Desktop->Boxes.size(), 1u);  // the delete question
    const TVantorPage& first = *vantor.MainPages().Pages(0);
    ASSERT_EQ(first.Count(), 2);
    EXPECT_EQ(first.Buttons(1)->Title, "web");
    EXPECT_EQ(vantor.MainPages().Pages(1)->Count(), 1);  // only the chosen one went
}

TEST_F(BrokenLinksCommandTest, WithNothingMissingTheUserIsToldSo) {
    TVantor& vantor = Start();
    vantor.MainPages().Pages(0)->Delete(1);
    vantor.MainPages().Pages(1)->Delete(0);
    bool shown = false;
    TDialog::ShownHook = [&](TDialog& dialog) {
        shown = true;
        dialog.EndDialog(IDCANCEL);
    };
    RunAndWait(vantor);
    EXPECT_FALSE(shown);
    ASSERT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_EQ(Desktop->Boxes[0], "リンク先が見つからないボタンはありません。");
}

}  // namespace
