// The real main window when the data changes under the user: an entry deleted
// while its properties are open, and Main.pag replaced by another computer's
// copy (a synchronised folder) while the program runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/vantor.h"
#include "base/dialog.h"
#include "base/handles.h"
#include "base/win_text.h"
#include "commands/command_table.h"
#include "dialogs/organise_ids.h"
#include "recording_desktop.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

// The system's clock, or one that stands still: then the save that follows
// a change never comes by the timer, and whatever is written comes from the
// folder watch.
class TStillableClock : public TWinPlatform {
public:
    bool Still = false;
    uint32_t StillAt = 0;
    uint32_t TickCount() override { return Still ? StillAt : TWinPlatform::TickCount(); }
};

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Runs the window's messages until `done` or the bound; the last answer of `done`.
template <typename TDone>
bool PumpUntil(TDone done, DWORD boundMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= boundMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

std::vector<std::string> Titles(const TVantorPage& page) {
    std::vector<std::string> titles;
    for (int32_t i = 0; i < page.Count(); ++i) titles.push_back(page.Buttons(i)->Title);
    return titles;
}

std::vector<std::string> Tabs(TVantor& vantor) {
    std::vector<std::string> tabs;
    for (int i = 0; i < vantor.TabSet.Tabs().Count(); ++i) tabs.push_back(vantor.TabSet.Tabs()[i]);
    return tabs;
}

// The names of the files in `folder` matching `pattern`.
std::vector<std::string> FilesLike(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    TFindHandle find(FindFirstFileW(Widen(folder + pattern).c_str(), &found));
    if (!find) return names;
    do names.push_back(Narrow(found.cFileName));
    while (FindNextFileW(find.Get(), &found));
    return names;
}

class ChangedMeanwhileTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-meanwhile"};
    std::string Data = Folder / "Data\\";
    TStillableClock Platform;
    TRecordingDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override {
        TDialog::ShownHook = nullptr;
        Vantor.reset();
    }

    // A page set whose pages are named `captions`, the first holding entries titled `titles`.
    std::string PageBytes(const std::vector<std::string>& captions, const std::vector<std::string>& titles) {
        TVantorManager pages(Platform);
        pages.Clear();
        for (const std::string& caption : captions) pages.AddPage(caption, 1);
        for (const std::string& title : titles) {
            const std::string target = Folder / (title + ".exe");
            WriteTextFile(target, "MZ");
            pages.Pages(0)->Add(target, title, "", "", "", 1, false, "", 0);
        }
        return pages.SaveToBytes();
    }

    TVantor& Start(const std::string& mainBytes) {
        WriteTextFile(Data + "Main.pag", mainBytes);
        auto desktop = std::make_unique<TRecordingDesktop>();
        Desktop = desktop.get();
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        Vantor->Show();
        PumpMessages();
        return *Vantor;
    }
    TVantorPage& Page(int index) { return *Vantor->MainPages().Pages(index); }
};

}  // namespace

// The user opens an entry's properties; meanwhile another part of the program
// deletes that entry. OK then writes nothing into any entry and says why, and
// the program goes on: the page keeps its other entries and saves them.
TEST_F(ChangedMeanwhileTest, PropertiesOfAnEntryDeletedWhileOpenStoreNothing) {
    TVantor& vantor = Start(PageBytes({"一"}, {"前", "消える", "後"}));
    vantor.MainPages().SetCurrentPage(0);
    vantor.CurrentButton = 1;
    bool shown = false;
    std::string afterDeletion;
    TDialog::ShownHook = [&](TDialog& dialog) {
        shown = true;
        EXPECT_EQ(dialog.ItemText(IDC_ENT_TITLE), "消える");
        TDocument& document = vantor.Document();
        ASSERT_TRUE(document.DeleteEntry(document.RefOf(TBarKind::Main, Page(0), 1)));
        afterDeletion = vantor.MainPages().SaveToBytes();
        dialog.SetItemText(IDC_ENT_TITLE, "書き換えた");
        dialog.ClickButton(IDOK);
    };
    vantor.Commands().Run(ActionChangeButton);
    TDialog::ShownHook = nullptr;
    ASSERT_TRUE(shown);
    EXPECT_EQ(vantor.MainPages().SaveToBytes(), afterDeletion);
    EXPECT_EQ(Titles(Page(0)), (std::vector<std::string>{"前", "後"}));
    ASSERT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_EQ(Desktop->Boxes[0], "このボタンは開いている間に削除されたため、変更は保存されませんでした。");

    vantor.Desktop().ExecuteAction(ActionExit);
    EXPECT_FALSE(IsWindow(vantor.Handle()));
    EXPECT_EQ(Desktop->Boxes.size(), 1u);
    TVantorManager saved(Platform);
    ASSERT_TRUE(saved.LoadFromFile(Data + "Main.pag"));
    EXPECT_EQ(Titles(*saved.Pages(0)), (std::vector<std::string>{"前", "後"}));
}

// Another computer's copy of Main.pag arrives while the program runs. With
// nothing changed here the window shows it, asking nothing; once an edit here
// waits to be saved, the next copy that arrives is kept beside under a dated
// name, ours stays in Main.pag, and the user is told once.
TEST_F(ChangedMeanwhileTest, AMainPagReplacedFromOutsideIsShownOrKeptBeside) {
    TVantor& vantor = Start(PageBytes({"こちら"}, {"ここ一", "ここ二"}));
    ASSERT_TRUE(vantor.Saver().WatchingFolder(20000));
    Platform.StillAt = Platform.TickCount();
    Platform.Still = true;
    ASSERT_EQ(Tabs(vantor), (std::vector<std::string>{"こちら"}));

    const std::string theirs = PageBytes({"向こう", "二", "三"}, {"向こう一", "向こう二", "向こう三"});
    WriteTextFile(Data + "Main.pag", theirs);
    const auto shownTheirs = [&] { return Tabs(vantor).size() == 3; };
    ASSERT_TRUE(PumpUntil(shownTheirs, 15000)) << "the folder watch never read Main.pag again";
    EXPECT_EQ(Tabs(vantor), (std::vector<std::string>{"向こう", "二", "三"}));
    EXPECT_EQ(Titles(Page(0)), (std::vector<std::string>{"向こう一", "向こう二", "向こう三"}));
    EXPECT_TRUE(Desktop->Boxes.empty());
    EXPECT_EQ(ReadTextFile(Data + "Main.pag"), theirs);

    // An entry cut here, not saved yet; then the other side's next copy.
    TDocument& document = vantor.Document();
    ASSERT_TRUE(document.CutEntry(document.RefOf(TBarKind::Main, Page(0), 0)));
    const std::string theirsAgain = PageBytes({"向こう", "二"}, {"向こう一", "新しい"});
    WriteTextFile(Data + "Main.pag", theirsAgain);
    ASSERT_TRUE(PumpUntil([&] { return !Desktop->Boxes.empty(); }, 15000)) << "no word of the file kept beside";
    // Our own save changed the folder too: that is heard and must tell nothing more.
    PumpUntil([] { return false; }, 1500);

    const std::vector<std::string> kept = FilesLike(Data, "Main (別の変更 *).pag");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadTextFile(Data + kept[0]), theirsAgain);
    TVantorManager saved(Platform);
    ASSERT_TRUE(saved.LoadFromFile(Data + "Main.pag"));
    EXPECT_EQ(Titles(*saved.Pages(0)), (std::vector<std::string>{"向こう二", "向こう三"}));
    EXPECT_EQ(Titles(Page(0)), (std::vector<std::string>{"向こう二", "向こう三"}));
    ASSERT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_EQ(Desktop->Boxes[0], document.Files().KeptBesideMessage({{TDataFile::Main, Data + kept[0]}}));

    vantor.Desktop().ExecuteAction(ActionExit);
    EXPECT_EQ(Desktop->Boxes.size(), 1u);
    EXPECT_EQ(FilesLike(Data, "Main (*).pag").size(), 1u);
}
