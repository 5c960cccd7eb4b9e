// The document: references that find an entry again after the pages changed
// under them, and the one notification every edit raises.
#include "document/document.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace {

void Fill(TVantorPage& page, int count) {
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(
            page.Add("C:\\x" + std::to_string(i) + ".exe", "x" + std::to_string(i), "", "", "", 5, false, "", 0));
}

}  // namespace

// A dialog holds a reference while the user works; meanwhile another command
// moves, deletes or adds entries. The reference follows the entry through a
// move and a sort, and once the entry is gone nothing is written anywhere.
TEST(DocumentTest, AReferenceFindsItsEntryAgainOrNothing) {
    TFakePlatform fs;
    TDocument doc(fs, "C:\\Data\\");
    TVantorPage& page = *doc.Main().Pages(0);
    Fill(page, 4);
    const TEntryRef third = doc.RefOf(TBarKind::Main, page, 2);
    ASSERT_TRUE(third.Valid());

    page.Move(2, 0);
    ASSERT_EQ(doc.EntryIndex(third), 0);
    TVantorButton fields;
    fields.CopyDataFrom(*doc.FindEntry(third));
    fields.Title = "edited";
    EXPECT_TRUE(doc.StoreEntry(third, fields));
    EXPECT_EQ(page.Buttons(0)->Title, "edited");

    // Renamed, it is no longer the entry the reference was made for.
    EXPECT_EQ(doc.FindEntry(third), nullptr);
    const TEntryRef edited = doc.RefOf(TBarKind::Main, page, 0);
    EXPECT_TRUE(doc.DeleteEntry(edited));
    // Its slot goes to the next entry added, which is not it either.
    TVantorButton other;
    other.LinkTo = "C:\\other.exe";
    ASSERT_TRUE(doc.AddEntry(doc.CurrentPage(TBarKind::Main), other).Done);
    EXPECT_EQ(page.Buttons(page.Count() - 1)->SlotIndex, edited.EntrySlot);
    fields.Title = "written into another entry";
    EXPECT_FALSE(doc.StoreEntry(edited, fields));
    for (int i = 0; i < page.Count(); ++i) EXPECT_NE(page.Buttons(i)->Title, fields.Title);

    // A page deleted under a reference: its entries are gone with it.
    ASSERT_TRUE(doc.AddPage(TVantorPage(fs)).Done);
    const TPageRef second = doc.PageRefAt(TBarKind::Main, 1);
    Fill(*doc.FindPage(second), 1);
    const TEntryRef onSecond = doc.RefOf(TBarKind::Main, *doc.FindPage(second), 0);
    EXPECT_TRUE(doc.DeletePage(second).Done);
    EXPECT_EQ(doc.FindEntry(onSecond), nullptr);
    EXPECT_FALSE(doc.CutEntry(onSecond));
}

// Every edit is heard once, by every view, with what it touched; the files it
// touches wait to be saved, and the keyword bar's made-up pages never do.
TEST(DocumentTest, EveryEditIsHeardOnceAndMarksItsFiles) {
    TFakePlatform fs;
    TDocument doc(fs, "C:\\Data\\");
    std::vector<TChange> heard;
    int stopping = 0;
    doc.Listen([&](const TChange& change) { heard.push_back(change); });
    // A view that closes on the first change it hears.
    stopping = doc.Listen([&](const TChange&) { doc.StopListening(stopping); });

    const TPageRef mainPage = doc.CurrentPage(TBarKind::Main);
    TVantorButton entry;
    entry.LinkTo = "C:\\a.exe";
    entry.Title = "a";
    ASSERT_TRUE(doc.AddEntry(mainPage, entry).Done);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].Touches(mainPage));
    EXPECT_TRUE(doc.Unsaved(TDataFile::Main));
    EXPECT_FALSE(doc.Unsaved(TDataFile::Smart));

    // Cut here, paste into the smart bar: two changes, two files.
    const TEntryRef added = doc.RefOf(TBarKind::Main, *doc.FindPage(mainPage), 0);
    ASSERT_TRUE(doc.CutEntry(added));
    doc.Smart().AddPage("スマートバー", 0);
    const TPageRef smartPage = doc.CurrentPage(TBarKind::SmartBar);
    EXPECT_EQ(doc.Paste(smartPage), 1);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[2].Set, TBarKind::SmartBar);
    EXPECT_TRUE(doc.Unsaved(TDataFile::Smart));
    EXPECT_EQ(doc.FindPage(smartPage)->Buttons(0)->LinkTo, "C:\\a.exe");
    // Pasting an empty clipboard, or onto a page that is gone, is no change.
    doc.Clipboard().Clear();
    EXPECT_EQ(doc.Paste(smartPage), 0);
    EXPECT_EQ(doc.Paste(TPageRef{TBarKind::SmartBar, 30}), 0);
    EXPECT_EQ(heard.size(), 3u);

    doc.MarkAllSaved();
    doc.Keyword().AddPage("", 0);
    doc.Changed(TChange::WholeSet(TBarKind::KeywordBar));
    EXPECT_FALSE(doc.AnyUnsaved());
    doc.Changed(TChange::SettingsOnly());
    EXPECT_TRUE(doc.Unsaved(TDataFile::Settings));
    EXPECT_FALSE(doc.Unsaved(TDataFile::Main));
}
