// Dragging in the main window through the drag sites of its real controls:
// entries dropped on entries and on tabs, a tab dropped on another tab, and
// the splitter sizing the tab strip; checked in the page set and in what a
// save writes.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/vantor.h"
#include "controls_test_support.h"
#include "shell/win_platform.h"
#include "text/text.h"
#include "win_test_util.h"

namespace {

class TDragDesktop : public TDesktopServices {
public:
    std::vector<std::string> Sounds;
    bool CtrlDown = false;

    int ShowMessage(HWND, const std::string&, UINT) override { return IDOK; }
    bool IsCtrlDown() override { return CtrlDown; }
    void SeedRandom() override {}
    int Random(int) override { return 0; }
    void StartShell(HWND, const TShellRequest&) override {}
    void PlaySoundValue(const std::string& value) override { Sounds.push_back(value); }
    std::string SpecialFolderPath(TSpecialFolder) override { return std::string(); }
};

std::vector<std::string> Titles(const TVantorPage& page) {
    std::vector<std::string> titles;
    for (int32_t i = 0; i < page.Count(); ++i) titles.push_back(page.Buttons(i)->Title);
    return titles;
}

using TStrings = std::vector<std::string>;

class VantorDragTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-drag"};
    std::string Data = Folder / "Data\\";
    TWinPlatform Platform;
    TDragDesktop* Desktop = nullptr;
    std::unique_ptr<TVantor> Vantor;

    void SetUp() override { MakeFolder(Data); }
    void TearDown() override { Vantor.reset(); }

    // Pages "A" (a0 a1 | a3), "B" (b0 b1) and "C" (empty).
    TVantor& Start() {
        TVantorManager pages(Platform);
        pages.Clear();
        pages.AddPage("A", 1);
        pages.AddPage("B", 1);
        pages.AddPage("C", 1);
        for (const char* t : {"a0", "a1", "|", "a3"}) Add(*pages.Pages(0), t);
        for (const char* t : {"b0", "b1"}) Add(*pages.Pages(1), t);
        pages.SaveToFile(Data + "Main.pag");

        auto desktop = std::make_unique<TDragDesktop>();
        Desktop = desktop.get();
        Vantor = std::make_unique<TVantor>(Platform, Folder.Path(), Data, std::move(desktop));
        Vantor->QuitOnDestroy = false;
        EXPECT_TRUE(Vantor->Create());
        return *Vantor;
    }

    void Add(TVantorPage& page, const std::string& title) {
        if (title == "|") {
            page.Add(SeparatorLink, SeparatorTitle, "", "", "", 5, false, "", 0);
            return;
        }
        const std::string target = Folder / (title + ".exe");
        WriteTextFile(target, "MZ");
        page.Add(target, title, "kw-" + title, "/arg", "", 3, false, "", 0);
    }

    // The control that shows entry i of the current page.
    TGraphicControl& Entry(int i) {
        const TVantorButton* b = Vantor->MainPages().Pages(Vantor->MainPages().CurrentPage())->Buttons(i);
        if (b->IsSeparator()) return *Vantor->MainView().Separator(i);
        return *Vantor->MainView().Button(i);
    }

    // A point of the tab strip over tab `tab`.
    POINT TabPoint(int tab) {
        RECT client{};
        GetClientRect(Vantor->TabSet.Handle(), &client);
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                if (Vantor->TabSet.TabAtPos(x, y) == tab) return POINT{x, y};
        ADD_FAILURE() << "no point over tab " << tab;
        return POINT{-1, -1};
    }

    // Offers `source` to a site as a drag does; drops it when accepted.
    static bool DropOn(TDragSite& site, TComponent& source, POINT at = POINT{1, 1}) {
        if (!site.DragOver(source, at, dsDragEnter)) return false;
        site.DragDrop(source, at);
        return true;
    }

    // The page set as the next start reads it.
    std::unique_ptr<TVantorManager> Saved() {
        Vantor->SaveAll();
        auto pages = std::make_unique<TVantorManager>(Platform);
        EXPECT_TRUE(pages->LoadFromFile(Data + "Main.pag"));
        return pages;
    }
};

}  // namespace

TEST_F(VantorDragTest, EntriesReorderOnEntriesOfTheirPageWithTheSound) {
    TVantor& vantor = Start();
    // Not on itself, and the bare panel takes nothing from the main window.
    EXPECT_FALSE(Entry(0).DragOver(Entry(0), POINT{1, 1}, dsDragEnter));
    EXPECT_FALSE(vantor.PTexture.DragOver(Entry(0), POINT{1, 1}, dsDragEnter));
    EXPECT_FALSE(Entry(0).DragOver(vantor.TabSet, POINT{1, 1}, dsDragEnter));
    EXPECT_TRUE(Desktop->Sounds.empty());

    ASSERT_TRUE(DropOn(Entry(3), Entry(0)));
    EXPECT_EQ(Titles(*vantor.MainPages().Pages(0)), (TStrings{"a1", SeparatorTitle, "a3", "a0"}));
    EXPECT_EQ(Desktop->Sounds.size(), 1u);
    // The controls are bound again: the separator now sits in slot 1.
    EXPECT_TRUE(vantor.MainView().Separator(1)->Showing());
    EXPECT_FALSE(vantor.MainView().Button(1)->Showing());

    // A separator is dragged like any entry.
    ASSERT_TRUE(DropOn(Entry(0), Entry(1)));
    EXPECT_EQ(Titles(*vantor.MainPages().Pages(0)), (TStrings{SeparatorTitle, "a1", "a3", "a0"}));
    EXPECT_EQ(Titles(*Saved()->Pages(0)), (TStrings{SeparatorTitle, "a1", "a3", "a0"}));
}

TEST_F(VantorDragTest, EntriesDroppedOnAnotherTabMoveThereAndWithCtrlAreCopied) {
    TVantor& vantor = Start();
    ASSERT_EQ(vantor.TabSet.TabIndex(), 0);
    // Its own page's tab refuses it; a point off the tabs too.
    EXPECT_FALSE(vantor.TabSet.DragOver(Entry(0), TabPoint(0), dsDragEnter));

    ASSERT_TRUE(DropOn(vantor.TabSet, Entry(1), TabPoint(1)));
    EXPECT_EQ(Titles(*vantor.MainPages().Pages(0)), (TStrings{"a0", SeparatorTitle, "a3"}));
    EXPECT_EQ(Titles(*vantor.MainPages().Pages(1)), (TStrings{"b0", "b1", "a1"}));
    EXPECT_EQ(Desktop->Sounds.size(), 1u);
    EXPECT_EQ(vantor.MainPages().CurrentPage(), 0);  // the window stays on its page

    Desktop->CtrlDown = true;
    ASSERT_TRUE(DropOn(vantor.TabSet, Entry(2), TabPoint(2)));
    EXPECT_EQ(Titles(*vantor.MainPages().Pages(0)), (TStrings{"a0", SeparatorTitle, "a3"}));
    Desktop->CtrlDown = false;

    const auto saved = Saved();
    EXPECT_EQ(Titles(*saved->Pages(0)), (TStrings{"a0", SeparatorTitle, "a3"}));
    EXPECT_EQ(Titles(*saved->Pages(1)), (TStrings{"b0", "b1", "a1"}));
    ASSERT_EQ(Titles(*saved->Pages(2)), (TStrings{"a3"}));
    const TVantorButton& copy = *saved->Pages(2)->Buttons(0);
    EXPECT_EQ(copy.Keyword, "kw-a3");
    EXPECT_EQ(copy.Arguments, "/arg");
    EXPECT_EQ(copy.ShowCmd, 3);
}

TEST_F(VantorDragTest, TheFocusStaysInsideThePageWhenEntriesAreDraggedAway) {
    TVantor& vantor = Start();
    vantor.CurrentButton = 3;
    vantor.PlaceFocusFrame(false);
    ASSERT_EQ(vantor.CurrentButton, 3);
    ASSERT_TRUE(DropOn(vantor.TabSet, Entry(0), TabPoint(2)));  // a1 | a3
    EXPECT_EQ(vantor.CurrentButton, 2);
    ASSERT_TRUE(DropOn(vantor.TabSet, Entry(0), TabPoint(2)));  // | a3
    EXPECT_EQ(vantor.CurrentButton, 1);
    // Only a separator is left: no frame clamps the focus, the drop does.
    ASSERT_TRUE(DropOn(vantor.TabSet, Entry(1), TabPoint(2)));
    EXPECT_EQ(Titles(*vantor.MainPages().Pages(0)), (TStrings{SeparatorTitle}));
    EXPECT_EQ(vantor.CurrentButton, 0);
    EXPECT_EQ(Titles(*Saved()->Pages(2)), (TStrings{"a0", "a1", "a3"}));
}

TEST_F(VantorDragTest, ATabDroppedOnAnotherMovesItsPageThereAndSelectsIt) {
    TVantor& vantor = Start();
    POINT from = TabPoint(0);
    vantor.EntryDrag().TabSetMouseDown(mbLeft, from.x, from.y);
    ASSERT_EQ(vantor.EntryDrag().TabDragSource(), 0);
    EXPECT_FALSE(vantor.TabSet.DragOver(vantor.TabSet, TabPoint(0), dsDragEnter));

    ASSERT_TRUE(DropOn(vantor.TabSet, vantor.TabSet, TabPoint(2)));
    TVantorManager& pages = vantor.MainPages();
    EXPECT_EQ(pages.Pages(0)->Caption, "B");
    EXPECT_EQ(pages.Pages(1)->Caption, "C");
    EXPECT_EQ(pages.Pages(2)->Caption, "A");
    EXPECT_EQ(pages.CurrentPage(), 2);
    EXPECT_EQ(vantor.TabSet.TabIndex(), 2);
    EXPECT_EQ(vantor.TabSet.Tabs().Count(), 3);
    EXPECT_EQ(Desktop->Sounds.size(), 1u);  // "DragDrop" only, no page-click sound
    // The view shows page "A" in its new place.
    EXPECT_EQ(vantor.MainView().Page(), pages.Pages(2));
    EXPECT_TRUE(vantor.MainView().Button(0)->Showing());

    const auto saved = Saved();
    EXPECT_EQ(saved->Pages(0)->Caption, "B");
    EXPECT_EQ(saved->Pages(2)->Caption, "A");
    EXPECT_EQ(Titles(*saved->Pages(2)), (TStrings{"a0", "a1", SeparatorTitle, "a3"}));
}

TEST_F(VantorDragTest, TheSplitterSizesVerticalTabsOnly) {
    TVantor& vantor = Start();
    TVantorManager& settings = vantor.MainPages();
    settings.HorizontalTab = false;
    settings.SetPageTabLayout(deTop);
    settings.SetTabSetHeight(30);
    vantor.RefreshTabsAndFonts();
    SetWindowPos(vantor.Handle(), nullptr, 0, 0, 300, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    vantor.FormResize();
    ASSERT_EQ(settings.TabSetHeight(), 30);

    vantor.EntryDrag().SplitterMouseDown(mbLeft, 5, 1);
    vantor.EntryDrag().SplitterMouseMove(ssLeft, 5, 11);
    EXPECT_EQ(settings.TabSetHeight(), 40);
    vantor.EntryDrag().SplitterMouseMove(ssLeft, 5, 200);
    EXPECT_EQ(settings.TabSetHeight(), 64);
    vantor.EntryDrag().SplitterMouseMove(0, 5, -200);  // no button held: nothing
    EXPECT_EQ(settings.TabSetHeight(), 64);
    vantor.EntryDrag().SplitterMouseMove(ssLeft, 5, -200);
    EXPECT_EQ(settings.TabSetHeight(), 20);

    settings.HorizontalTab = true;
    vantor.RefreshTabsAndFonts();
    vantor.FormResize();
    const int before = settings.TabSetHeight();
    vantor.EntryDrag().SplitterMouseMove(ssLeft, 5, 30);
    EXPECT_EQ(settings.TabSetHeight(), before);
}

TEST_F(VantorDragTest, LeavingAPressedEntryRunsTheDragToTheEntryReleasedOn) {
    TVantor& vantor = Start();
    vantor.Show();
    SetWindowPos(vantor.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(vantor.Handle());
    // Released over a3: the drag loop reads the release's pointer position.
    const RECT over = Entry(3).ClientToParent();
    POINT at{(over.left + over.right) / 2, (over.top + over.bottom) / 2};
    ClientToScreen(vantor.PTexture.Handle(), &at);
    SetCursorPos(at.x, at.y);
    PostMessageW(vantor.PTexture.Handle(), WM_LBUTTONUP, 0, 0);

    // Still inside the control: no drag.
    vantor.EntryDrag().EntryMouseMove(Entry(0), ssLeft, 1, 1);
    EXPECT_FALSE(vantor.EntryDrag().EntryDragging());
    vantor.EntryDrag().EntryMouseMove(Entry(0), ssLeft, -1, 1);
    EXPECT_FALSE(vantor.EntryDrag().EntryDragging());
    EXPECT_EQ(Titles(*vantor.MainPages().Pages(0)), (TStrings{"a1", SeparatorTitle, "a3", "a0"}));
}
