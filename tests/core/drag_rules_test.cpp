#include "layout/drag_rules.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "layout/frame_layout.h"
#include "model/vantor_classes.h"

namespace {

void AddTitled(TVantorPage& page, const std::string& title) {
    ASSERT_TRUE(page.Add("C:\\" + title + ".exe", title, "", "", "", ShowNormal, false, "", 0));
}

std::vector<std::string> Titles(const TVantorPage& page) {
    std::vector<std::string> titles;
    for (int32_t i = 0; i < page.Count(); ++i) titles.push_back(page.Buttons(i)->Title);
    return titles;
}

using Titles_ = std::vector<std::string>;

}  // namespace

TEST(DragAcceptance, EntryOnEntryNeedsAnotherControlOfTheSamePanelOutsideTheKeywordBar) {
    EXPECT_TRUE(AcceptEntryOnEntry(false, true, TEntryWindow::Main));
    EXPECT_TRUE(AcceptEntryOnEntry(false, true, TEntryWindow::Smart));
    EXPECT_TRUE(AcceptEntryOnEntry(false, true, TEntryWindow::History));
    EXPECT_FALSE(AcceptEntryOnEntry(true, true, TEntryWindow::Main));
    EXPECT_FALSE(AcceptEntryOnEntry(false, false, TEntryWindow::Main));
    EXPECT_FALSE(AcceptEntryOnEntry(false, true, TEntryWindow::Keyword));
}

TEST(DragAcceptance, TabsRefuseTheSelectedOneFromTheMainWindowOnly) {
    EXPECT_TRUE(AcceptOnTab(TEntryWindow::Main, 2, 0, 3));
    EXPECT_FALSE(AcceptOnTab(TEntryWindow::Main, 0, 0, 3));
    EXPECT_FALSE(AcceptOnTab(TEntryWindow::Main, -1, 0, 3));
    EXPECT_FALSE(AcceptOnTab(TEntryWindow::Main, 3, 0, 3));
    EXPECT_TRUE(AcceptOnTab(TEntryWindow::Smart, 0, 0, 3));
    EXPECT_TRUE(AcceptOnTab(TEntryWindow::Keyword, 1, 1, 3));
    EXPECT_FALSE(AcceptOnTab(TEntryWindow::History, -1, 0, 3));
    // The panel takes only what comes from a bar.
    EXPECT_FALSE(AcceptOnPanel(TEntryWindow::Main));
    EXPECT_TRUE(AcceptOnPanel(TEntryWindow::Smart));
    EXPECT_TRUE(AcceptOnPanel(TEntryWindow::Keyword));
}

TEST(DragEffects, MoveEntryShiftsTheEntriesBetweenAndKeepsSlots) {
    TFakePlatform fake;
    TVantorPage page(fake);
    for (const char* t : {"a", "b", "c", "d"}) AddTitled(page, t);
    EXPECT_TRUE(MoveEntry(page, 0, 2));
    EXPECT_EQ(Titles(page), (Titles_{"b", "c", "a", "d"}));
    EXPECT_EQ(page.Buttons(2)->SlotIndex, 0);
    EXPECT_TRUE(MoveEntry(page, 3, 0));
    EXPECT_EQ(Titles(page), (Titles_{"d", "b", "c", "a"}));
    EXPECT_FALSE(MoveEntry(page, 1, 1));
    EXPECT_FALSE(MoveEntry(page, 4, 0));
    EXPECT_FALSE(MoveEntry(page, 0, -1));
    EXPECT_EQ(Titles(page), (Titles_{"d", "b", "c", "a"}));
}

TEST(DragEffects, TransferCopiesEveryFieldAndMovesUnlessCtrlOrAnAlwaysCopyingBar) {
    TFakePlatform fake;
    TVantorPage source(fake), target(fake);
    AddTitled(source, "a");
    ASSERT_TRUE(source.Add("C:\\b.exe", "b", "bee", "/x", "C:\\work", ShowMaximized, true, "C:\\i.ico", 3));
    AddTitled(target, "t");

    EXPECT_TRUE(TransferEntry(source, 1, target, false, TEntryWindow::Main));
    EXPECT_EQ(Titles(source), (Titles_{"a"}));
    ASSERT_EQ(Titles(target), (Titles_{"t", "b"}));
    const TVantorButton& copy = *target.Buttons(1);
    EXPECT_EQ(copy.LinkTo, "C:\\b.exe");
    EXPECT_EQ(copy.Keyword, "bee");
    EXPECT_EQ(copy.Arguments, "/x");
    EXPECT_EQ(copy.WorkingDir, "C:\\work");
    EXPECT_EQ(copy.ShowCmd, ShowMaximized);
    EXPECT_TRUE(copy.Forbidden);
    EXPECT_EQ(copy.IconPath, "C:\\i.ico");
    EXPECT_EQ(copy.IconIndex, 3);
    EXPECT_EQ(copy.SlotIndex, 1);  // the target's own free slot

    EXPECT_TRUE(TransferEntry(source, 0, target, true, TEntryWindow::Main));
    EXPECT_EQ(Titles(source), (Titles_{"a"}));
    EXPECT_TRUE(TransferEntry(source, 0, target, false, TEntryWindow::Keyword));
    EXPECT_TRUE(TransferEntry(source, 0, target, false, TEntryWindow::History));
    EXPECT_EQ(Titles(source), (Titles_{"a"}));
    EXPECT_TRUE(TransferEntry(source, 0, target, false, TEntryWindow::Smart));
    EXPECT_EQ(Titles(source), Titles_{});
    EXPECT_EQ(Titles(target), (Titles_{"t", "b", "a", "a", "a", "a"}));
    EXPECT_FALSE(TransferEntry(source, 0, target, false, TEntryWindow::Main));
}

TEST(DragEffects, AFullTargetTakesNothingAndTheSourceKeepsItsEntry) {
    TFakePlatform fake;
    TVantorPage source(fake), target(fake);
    AddTitled(source, "a");
    for (int i = 0; i < MaxButtonsPerPage; ++i) AddTitled(target, "t");
    EXPECT_FALSE(TransferEntry(source, 0, target, false, TEntryWindow::Main));
    EXPECT_EQ(Titles(source), (Titles_{"a"}));
    EXPECT_EQ(target.Count(), MaxButtonsPerPage);
}

TEST(DragEffects, MovePageReordersTheSetAndSelectsTheMovedPage) {
    TFakePlatform fake;
    TVantorManager pages(fake);
    pages.Clear();
    for (const char* c : {"p0", "p1", "p2", "p3"}) ASSERT_TRUE(pages.AddPage(c, 1));
    pages.SetCurrentPage(0);
    EXPECT_TRUE(MovePage(pages, 0, 2));
    std::vector<std::string> captions;
    for (int i = 0; i < pages.Count(); ++i) captions.push_back(pages.Pages(i)->Caption);
    EXPECT_EQ(captions, (Titles_{"p1", "p2", "p0", "p3"}));
    EXPECT_EQ(pages.CurrentPage(), 2);
    EXPECT_FALSE(MovePage(pages, 0, 4));
    EXPECT_FALSE(MovePage(pages, -1, 0));
    EXPECT_EQ(pages.CurrentPage(), 2);
}

TEST(SplitterDrag, GrowsTowardTheInsideOfEachTabSideWithinItsLimits) {
    const TPoint anchor{10, 10};
    EXPECT_EQ(DraggedTabSetHeight(40, deTop, anchor, {10, 15}, false), 45);
    EXPECT_EQ(DraggedTabSetHeight(40, deBottom, anchor, {10, 15}, false), 35);
    EXPECT_EQ(DraggedTabSetHeight(40, deLeft, anchor, {3, 50}, false), 33);
    EXPECT_EQ(DraggedTabSetHeight(40, deRight, anchor, {3, 50}, false), 47);
    EXPECT_EQ(DraggedTabSetHeight(40, deTop, anchor, {10, 100}, false), MaxTabSetHeight);
    EXPECT_EQ(DraggedTabSetHeight(40, deRight, anchor, {100, 10}, false), MinTabSetHeight);
    // Horizontal tabs keep their height; so does a window not docked yet.
    EXPECT_EQ(DraggedTabSetHeight(40, deTop, anchor, {10, 30}, true), 40);
    EXPECT_EQ(DraggedTabSetHeight(40, deNone, anchor, {10, 30}, false), 40);
}
