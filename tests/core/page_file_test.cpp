#include <gtest/gtest.h>

#include "errors.h"
#include "fake_platform.h"
#include "model/memory_stream.h"
#include "model/vantor_classes.h"

static std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

static std::string LoadError(TVantorManager& set, std::string_view data) {
    try {
        set.LoadFromBytes(data);
    } catch (const EVantorError& e) {
        return e.what();
    }
    return "";
}

static std::vector<std::string> Fields(const TVantorButton& b) {
    return {b.LinkTo,
            b.Title,
            b.Keyword,
            b.Arguments,
            b.WorkingDir,
            std::to_string(b.ShowCmd),
            b.Forbidden ? "1" : "0",
            b.IconPath,
            std::to_string(b.IconIndex)};
}

static void ExpectSamePage(const TVantorPage& a, const TVantorPage& b) {
    EXPECT_EQ(a.Caption, b.Caption);
    EXPECT_EQ(a.ViewStyle, b.ViewStyle);
    EXPECT_EQ(a.DefaultLayout, b.DefaultLayout);
    EXPECT_EQ(a.ButtonWidth, b.ButtonWidth);
    EXPECT_EQ(a.Margin, b.Margin);
    EXPECT_EQ(a.TitleWidth, b.TitleWidth);
    ASSERT_EQ(a.Count(), b.Count());
    for (int32_t i = 0; i < a.Count(); ++i) EXPECT_EQ(Fields(*a.Buttons(i)), Fields(*b.Buttons(i)));
}

// A set of three pages with every kind of field.
static void FillSample(TVantorManager& set) {
    set.Pages(0)->Caption = "メイン";
    set.Pages(0)->Add("C:\\Program Files\\表\\ソフト.exe", "ソフト", "soft", "-a \"x y\"", "D:\\Work", 3, true,
                      "C:\\icons.dll", 12);
    set.Pages(0)->Add(SeparatorLink, "", "", "", "", ShowNormal, false, "", 0);
    set.Pages(0)->Add("http://example.com/", "Web", "web", "", "", 6, false, "", -1);
    set.AddPage("Tools", 5);
    set.Pages(1)->DefaultLayout = false;
    set.Pages(1)->ButtonWidth = 48;
    set.Pages(1)->Margin = 4;
    set.Pages(1)->TitleWidth = 120;
    for (int i = 0; i < 5; ++i) set.Pages(1)->Add(Format("D:\\Bin\\t%d.exe", i), "", "", "", "", 5, false, "", 0);
    set.AddPage("空", 7);
}

TEST(PageFile, WritesTheDocumentedBytes) {
    TFakePlatform fake;
    TVantorManager set(fake);
    set.Pages(0)->Caption = "A";
    set.Pages(0)->ViewStyle = 0;
    set.Pages(0)->ApplyDefaultLayout();
    std::string expected = Bytes({0x4D, 0x4E, 0x00, 0x03, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x50, 0x47,
                                  0x00, 0x03, 0x02, 0x00, 0x00, 0x00, 0x41, 0x00, 0x00, 0x01, 0x26, 0x00, 0x00, 0x00,
                                  0x02, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(set.SaveToBytes(), expected);

    set.SaveToFile("C:\\Data\\Main.pag");
    std::string stored;
    ASSERT_TRUE(fake.ReadWholeFile("C:\\Data\\Main.pag", stored));
    EXPECT_EQ(stored, expected);
}

TEST(PageFile, RoundTripKeepsPagesAndRenumbersSlots) {
    TFakePlatform fake;
    TVantorManager set(fake);
    FillSample(set);
    set.Pages(1)->Delete(1);  // leaves a hole in the slots
    set.Move(2, 0);
    set.ReservedValue = 1234;
    set.SaveToFile("C:\\Main.pag");

    TVantorManager loaded(fake);
    EXPECT_TRUE(TVantorManager(fake).LoadFromFile("C:\\Main.pag"));  // read whole
    loaded.SetCurrentPage(0);
    loaded.ShortCuts = {"Launch=Ctrl+L"};
    loaded.LoadFromFile("C:\\Main.pag");
    ASSERT_EQ(loaded.Count(), 3);
    for (int32_t i = 0; i < 3; ++i) {
        ExpectSamePage(*loaded.Pages(i), *set.Pages(i));
        EXPECT_EQ(loaded.Pages(i)->SlotIndex, i);
        for (int32_t j = 0; j < loaded.Pages(i)->Count(); ++j) EXPECT_EQ(loaded.Pages(i)->Buttons(j)->SlotIndex, j);
    }
    EXPECT_EQ(loaded.ReservedValue, 1234);
    EXPECT_EQ(loaded.ShortCuts, std::vector<std::string>{"Launch=Ctrl+L"});
    EXPECT_EQ(loaded.SaveToBytes(), set.SaveToBytes());
}

TEST(PageFile, ReloadComparesWorkingDirWithTheStoredTarget) {
    // The first load compares the working folder with the target as stored;
    // once the target has moved to the System folder, a reload clears it.
    TFakePlatform fake;
    TVantorManager source(fake);
    source.Pages(0)->Add("C:\\x.exe", "x", "", "", "", 5, false, "", 0);
    source.Pages(0)->Buttons(0)->LinkTo = "C:\\WINDOWS\\x.exe";
    source.Pages(0)->Buttons(0)->WorkingDir = "C:\\WINDOWS\\SYSTEM";
    TVantorManager first(fake);
    first.LoadFromBytes(source.SaveToBytes());
    EXPECT_EQ(first.Pages(0)->Buttons(0)->LinkTo, "C:\\WINDOWS\\SYSTEM\\x.exe");
    EXPECT_EQ(first.Pages(0)->Buttons(0)->WorkingDir, "C:\\WINDOWS\\SYSTEM");
    TVantorManager second(fake);
    second.LoadFromBytes(first.SaveToBytes());
    EXPECT_EQ(second.Pages(0)->Buttons(0)->WorkingDir, "");
}

// Builds files of any version by hand.
struct TOldEntry {
    std::string LinkTo, Title, Keyword, Arguments, WorkingDir;
    int32_t ShowCmd = 5;
    uint8_t Forbidden = 0;
    std::string IconPath;
    int32_t IconIndex = 0;
};

static void WritePage(TMemoryWriter& w, uint16_t version, const std::string& caption, uint8_t style,
                      const std::vector<TOldEntry>& entries, int32_t count = -1) {
    w.WriteWord(0x4750);
    w.WriteWord(version);
    w.WriteStreamString(caption);
    w.WriteByte(style);
    if (version >= 768) {
        w.WriteByte(0);
        w.WriteInt32(50);
        w.WriteInt32(3);
        w.WriteInt32(60);
    }
    w.WriteInt32(count >= 0 ? count : static_cast<int32_t>(entries.size()));
    for (const TOldEntry& e : entries) {
        w.WriteStreamString(e.LinkTo);
        w.WriteStreamString(e.Title);
        if (version >= 560) w.WriteStreamString(e.Keyword);
        w.WriteStreamString(e.Arguments);
        w.WriteStreamString(e.WorkingDir);
        w.WriteInt32(e.ShowCmd);
        w.WriteByte(e.Forbidden);
        w.WriteStreamString(e.IconPath);
        w.WriteInt32(e.IconIndex);
    }
}

static void WriteHeader(TMemoryWriter& w, uint16_t version, int32_t pages, int32_t reserved = 77) {
    w.WriteWord(0x4E4D);
    w.WriteWord(version);
    w.WriteInt32(pages);
    if (version >= 657) w.WriteInt32(reserved);
    if (version <= 560) {
        for (size_t i = 0; i < (version == 560 ? 64u : 128u); ++i) w.WriteByte(0xEE);
    }
}

static const std::vector<TOldEntry> kOldEntries = {
    {"C:\\Apps\\Edit.exe", "Editor", "ed", "", "C:\\Apps", 7, 1, "", 0},
    {"HTTP://example.com/a.html", "Example", "ex", "", "", 5, 0, "", 0},
};

TEST(PageFile, ReadsEveryOlderVersion) {
    TFakePlatform fake;
    struct TCase {
        uint16_t FileVersion, PageVersion;
        int32_t Reserved;
        bool ResetsShortCuts, HasKeywords, HasLayout;
    };
    const TCase cases[] = {
        {768, 768, 77, false, true, true},     {767, 767, 0, false, true, false}, {700, 700, 0, false, true, false},
        {657, 657, 0, false, true, false},     {656, 656, 0, false, true, false}, {600, 600, 0, false, true, false},
        {561, 561, 0, false, true, false},     {560, 560, 0, true, true, false},  {560, 559, 0, true, false, false},
        {0x22F, 0x200, 0, true, false, false}, {1, 1, 0, true, false, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.FileVersion);
        TMemoryWriter w;
        WriteHeader(w, c.FileVersion, 2);
        WritePage(w, c.PageVersion, "P", 3, kOldEntries);
        WritePage(w, c.PageVersion, "", 6, {});
        TVantorManager set(fake);
        set.ReservedValue = 5;
        set.ShortCuts = {"x=y"};
        set.LoadFromBytes(w.Data());

        EXPECT_EQ(set.ReservedValue, c.Reserved);
        EXPECT_EQ(set.ShortCuts, c.ResetsShortCuts ? TVantorManager(fake).ShortCuts : std::vector<std::string>{"x=y"});
        ASSERT_EQ(set.Count(), 2);
        const TVantorPage& page = *set.Pages(0);
        EXPECT_EQ(page.Caption, "P");
        EXPECT_EQ(set.Pages(1)->Caption, "ページ2");
        EXPECT_EQ(page.ViewStyle, 3);
        EXPECT_EQ(page.DefaultLayout, !c.HasLayout);
        EXPECT_EQ(page.ButtonWidth, c.HasLayout ? 50 : 22);
        EXPECT_EQ(page.Margin, c.HasLayout ? 3 : 2);
        EXPECT_EQ(page.TitleWidth, c.HasLayout ? 60 : 86);
        EXPECT_EQ(set.Pages(1)->ButtonWidth, c.HasLayout ? 50 : 70);
        ASSERT_EQ(page.Count(), 2);
        EXPECT_EQ(page.Buttons(0)->Keyword, c.HasKeywords ? "ed" : "Edit");
        EXPECT_EQ(page.Buttons(1)->Keyword, c.HasKeywords ? "ex" : "Example");
        EXPECT_EQ(page.Buttons(0)->ShowCmd, ShowNormal);
        EXPECT_EQ(page.Buttons(0)->WorkingDir, "");
        EXPECT_TRUE(page.Buttons(0)->Forbidden);
    }
}

TEST(PageFile, RejectedFilesLeaveThePagesAlone) {
    TFakePlatform fake;
    TVantorManager set(fake);
    FillSample(set);
    set.ReservedValue = 9;
    std::string before = set.SaveToBytes();

    EXPECT_THROW(set.LoadFromFile("C:\\missing.pag"), EVantorError);
    try {
        set.LoadFromFile("C:\\missing.pag");
    } catch (const EVantorError& e) {
        EXPECT_STREQ(e.what(), "データファイルが存在しません。");
    }
    const std::string unrecognised = "データファイルを正しく認識できません。";
    EXPECT_EQ(LoadError(set, ""), unrecognised);
    EXPECT_EQ(LoadError(set, "MN\x00"), unrecognised);
    EXPECT_EQ(LoadError(set, "NM" + before.substr(2)), unrecognised);
    TMemoryWriter cut;  // an old header whose skipped block is cut short
    WriteHeader(cut, 560, 1);
    EXPECT_EQ(LoadError(set, cut.Data().substr(0, 40)), unrecognised);
    EXPECT_EQ(set.ReservedValue, 0);  // cleared once the version is known
    set.ReservedValue = 9;
    EXPECT_EQ(set.SaveToBytes(), before);

    TMemoryWriter newer;
    WriteHeader(newer, 769, 1);
    WritePage(newer, 768, "P", 0, {});
    EXPECT_THROW(set.LoadFromBytes(newer.Data()), ENewerVersionError);  // not taken for damage
    EXPECT_EQ(set.ReservedValue, 0);
    set.ReservedValue = 9;
    EXPECT_EQ(set.SaveToBytes(), before);
}

TEST(PageFile, DamagedPageEndsTheLoadKeepingWhatWasRead) {
    TFakePlatform fake;
    TOldEntry e{"C:\\a.exe", "a", "a", "", "", 5, 0, "", 0};

    {  // wrong page magic: no empty page is made up for it
        TMemoryWriter w;
        WriteHeader(w, 768, 3);
        WritePage(w, 768, "one", 0, {e});
        w.WriteWord(0x1234);
        TVantorManager set(fake);
        EXPECT_EQ(LoadError(set, w.Data()), "");
        ASSERT_EQ(set.Count(), 1);
        EXPECT_EQ(set.Pages(0)->Count(), 1);
    }
    {  // a newer page loads while empty, fails at its first entry
        TMemoryWriter w;
        WriteHeader(w, 768, 3);
        WritePage(w, 769, "empty", 0, {});
        WritePage(w, 769, "full", 0, {e, e});
        WritePage(w, 768, "never", 0, {});
        TVantorManager set(fake);
        set.LoadFromBytes(w.Data());
        ASSERT_EQ(set.Count(), 2);
        EXPECT_EQ(set.Pages(0)->Caption, "empty");
        EXPECT_EQ(set.Pages(1)->Caption, "full");
        EXPECT_EQ(set.Pages(1)->Count(), 0);
    }
    {  // an over-long string stops at that page; earlier pages and entries stay
        TMemoryWriter w;
        WriteHeader(w, 768, 3);
        WritePage(w, 768, "one", 0, {e});
        WritePage(w, 768, "two", 0, {e}, 2);
        w.WriteInt32(70000);
        w.WriteByte('x');
        TVantorManager set(fake);
        set.LoadFromBytes(w.Data());
        ASSERT_EQ(set.Count(), 2);
        EXPECT_EQ(set.Pages(0)->Count(), 1);
        EXPECT_EQ(set.Pages(1)->Count(), 1);
    }
    {  // a negative length is as bad as an over-long one
        TMemoryWriter w;
        WriteHeader(w, 768, 1);
        WritePage(w, 768, "one", 0, {}, 1);
        w.WriteInt32(-1);
        TVantorManager set(fake);
        set.LoadFromBytes(w.Data());
        ASSERT_EQ(set.Count(), 1);
        EXPECT_EQ(set.Pages(0)->Count(), 0);
    }
}

TEST(PageFile, CountsBeyondTheLimitsAndTheData) {
    TFakePlatform fake;
    TOldEntry e{"C:\\a.exe", "", "a", "", "", 5, 0, "", 0};

    TMemoryWriter forty;
    WriteHeader(forty, 768, 40);
    for (int i = 0; i < 40; ++i) WritePage(forty, 768, Format("p%d", i), 0, {e});
    TVantorManager set(fake);
    EXPECT_FALSE(set.LoadFromBytes(forty.Data()));  // pages were left out: the caller keeps the file
    ASSERT_EQ(set.Count(), MaxPagesPerSet);
    EXPECT_EQ(set.Pages(31)->Caption, "p31");

    // Entries beyond 128 are read and dropped; the next page still loads.
    TMemoryWriter many;
    WriteHeader(many, 768, 2);
    WritePage(many, 768, "big", 0, std::vector<TOldEntry>(130, e));
    WritePage(many, 768, "next", 0, {e});
    EXPECT_FALSE(set.LoadFromBytes(many.Data()));
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Pages(0)->Count(), MaxButtonsPerPage);
    EXPECT_EQ(set.Pages(0)->Buttons(127)->Title, "ボタン128");
    EXPECT_EQ(set.Pages(1)->Count(), 1);

    // Counts far beyond the data read until the data ends.
    TMemoryWriter huge;
    WriteHeader(huge, 768, 0x7FFFFFFF);
    WritePage(huge, 768, "p", 0, {e, e}, 0x7FFFFFFF);
    EXPECT_FALSE(set.LoadFromBytes(huge.Data()));
    ASSERT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Pages(0)->Count(), 2);

    TMemoryWriter none;
    WriteHeader(none, 768, -5);
    set.LoadFromBytes(none.Data());
    EXPECT_EQ(set.Count(), 0);
}

TEST(PageFile, EveryTruncationKeepsTheCompletePages) {
    TFakePlatform fake;
    TVantorManager set(fake);
    FillSample(set);
    std::string full = set.SaveToBytes();
    // Where each page's own header and the whole page end.
    std::vector<size_t> headerEnds, pageEnds;
    size_t offset = 12;
    for (int32_t i = 0; i < set.Count(); ++i) {
        TVantorPage bare(fake);
        bare.Caption = set.Pages(i)->Caption;
        TMemoryWriter header, w;
        bare.SaveToStream(header);
        headerEnds.push_back(offset + header.Data().size());
        set.Pages(i)->SaveToStream(w);
        offset += w.Data().size();
        pageEnds.push_back(offset);
    }
    ASSERT_EQ(offset, full.size());

    for (size_t cut = 0; cut < full.size(); ++cut) {
        SCOPED_TRACE(cut);
        TVantorManager loaded(fake);
        std::string data = full.substr(0, cut);  // its own buffer, so overreads show under sanitizers
        if (cut < 12) {
            EXPECT_THROW(loaded.LoadFromBytes(data), EVantorError);
            EXPECT_EQ(loaded.Count(), 1);
            continue;
        }
        EXPECT_FALSE(loaded.LoadFromBytes(data));  // every cut loses something
        int32_t complete = 0;
        while (complete < 3 && pageEnds[complete] <= cut) ++complete;
        // A page cut inside its own header is not there at all.
        const bool partialShown = complete < 3 && headerEnds[complete] <= cut;
        ASSERT_EQ(loaded.Count(), complete + (partialShown ? 1 : 0));
        for (int32_t i = 0; i < complete; ++i) ExpectSamePage(*loaded.Pages(i), *set.Pages(i));
        if (partialShown) {
            const TVantorPage& partial = *loaded.Pages(complete);
            ASSERT_LE(partial.Count(), set.Pages(complete)->Count());
            for (int32_t j = 0; j < partial.Count(); ++j)
                EXPECT_EQ(Fields(*partial.Buttons(j)), Fields(*set.Pages(complete)->Buttons(j)));
        }
    }
}

TEST(PageFile, StreamStrings) {
    TMemoryWriter w;
    w.WriteInt32(0);  // zero length: empty
    w.WriteInt32(5);  // text ends at the first 0 byte
    for (char c : std::string("ab\0cd", 5)) w.WriteByte(static_cast<uint8_t>(c));
    w.WriteInt32(65535);
    for (int i = 0; i < 65535; ++i) w.WriteByte('z');
    w.WriteStreamString("");
    TMemoryReader r(w.Data());
    EXPECT_EQ(r.ReadStreamString(), "");
    EXPECT_EQ(r.ReadStreamString(), "ab");
    EXPECT_EQ(r.ReadStreamString().size(), 65535u);
    EXPECT_EQ(r.ReadStreamString(), "");
    EXPECT_EQ(r.Remaining(), 0u);
    EXPECT_THROW(r.ReadByte(), EVantorError);

    // Too long to read back: cut at a character boundary instead.
    std::string text = "x";
    for (int i = 0; i < 40000; ++i) text += "あ";
    TMemoryWriter capped;
    capped.WriteStreamString(text);
    TMemoryReader back(capped.Data());
    std::string read = back.ReadStreamString();
    EXPECT_EQ(read.size(), 65533u);
    EXPECT_EQ(read, text.substr(0, 65533));
    TMemoryWriter embedded;
    embedded.WriteStreamString(std::string("ab\0cd", 5));
    EXPECT_EQ(embedded.Data(), Bytes({3, 0, 0, 0, 'a', 'b', 0}));
}

// A header that counts fewer pages than follow must not pass for a whole
// file: the next save would drop the rest without the caller keeping it.
TEST(PageFile, HeaderCountsThatDoNotCoverTheDataAreIncomplete) {
    TFakePlatform fake;
    TOldEntry e{"C:\\a.exe", "a", "a", "", "", 5, 0, "", 0};
    auto file = [&](int32_t count) {
        TMemoryWriter w;
        WriteHeader(w, 768, count);
        WritePage(w, 768, "one", 0, {e});
        WritePage(w, 768, "two", 0, {e, e});
        return w.TakeData();
    };
    TVantorManager set(fake);
    EXPECT_TRUE(set.LoadFromBytes(file(2)));
    EXPECT_EQ(set.Count(), 2);

    EXPECT_FALSE(set.LoadFromBytes(file(1)));
    ASSERT_EQ(set.Count(), 1);  // the pages read are used
    EXPECT_EQ(set.Pages(0)->Caption, "one");
    for (int32_t count : {0, -1, -0x7FFFFFFF - 1}) {
        SCOPED_TRACE(count);
        EXPECT_FALSE(set.LoadFromBytes(file(count)));
        EXPECT_EQ(set.Count(), 0);
    }
    // Even a header alone, with nothing behind it, is no saved set.
    TMemoryWriter bare;
    WriteHeader(bare, 768, 0);
    EXPECT_FALSE(set.LoadFromBytes(bare.Data()));
    // Stray bytes behind the last page.
    EXPECT_FALSE(set.LoadFromBytes(file(2) + "x"));
    EXPECT_EQ(set.Count(), 2);
}

namespace {

class TCountingPlatform : public TFakePlatform {
public:
    int ExistsCalls = 0;
    bool FileExists(const std::string& path) override {
        ++ExistsCalls;
        return TFakePlatform::FileExists(path);
    }
};

}  // namespace

// A set names the same Windows-folder programs many times; loading asks the
// system once per path, and gives every entry the same answer.
TEST(PageFileLoad, AsksWhetherAWindowsFolderFileExistsOncePerPath) {
    TCountingPlatform platform;
    platform.AddFile("C:\\WINDOWS\\notepad.exe");
    platform.AddFile("C:\\WINDOWS\\SYSTEM\\calc.exe");
    TVantorManager saved(platform);
    for (int p = 0; p < 3; ++p) {
        if (p > 0) {
            ASSERT_TRUE(saved.AddPage("", 0));
        }
        for (int i = 0; i < 40; ++i)
            saved.Pages(p)->Add(i % 2 ? "C:\\WINDOWS\\notepad.exe" : "C:\\WINDOWS\\SYSTEM\\calc.exe", "", "", "", "", 5,
                                false, "", 0);
    }
    const std::string bytes = saved.SaveToBytes();
    TVantorManager loaded(platform);
    platform.ExistsCalls = 0;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes));
    EXPECT_LE(platform.ExistsCalls, 2);
    EXPECT_EQ(loaded.Pages(2)->Buttons(1)->LinkTo, "C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(loaded.Pages(2)->Buttons(0)->LinkTo, "C:\\WINDOWS\\SYSTEM\\calc.exe");

    // After the load every question goes to the system again: files change.
    platform.ExistsCalls = 0;
    loaded.Pages(0)->Add("C:\\WINDOWS\\notepad.exe", "", "", "", "", 5, false, "", 0);
    EXPECT_EQ(platform.ExistsCalls, 1);
}

// Files written by other tools or cut short where a page ends: the header may
// count pages that are not there, and a field may be longer than this
// program's limit. Only the pages present are read, and an over-long field is
// cut (never inside a double-byte character) while the rest reads on; neither
// file passes for whole, so the caller keeps it before a save.
TEST(PageFile, MissingPagesAndOverLongFieldsDoNotCostTheRest) {
    TFakePlatform fake;
    TOldEntry e{"C:\\a.exe", "a", "a", "", "", 5, 0, "", 0};
    {
        TMemoryWriter w;
        WriteHeader(w, 768, 4);
        for (const char* caption : {"one", "two", "three"}) WritePage(w, 768, caption, 0, {e});
        TVantorManager set(fake);
        EXPECT_FALSE(set.LoadFromBytes(w.Data()));
        ASSERT_EQ(set.Count(), 3);
        EXPECT_EQ(set.Pages(2)->Caption, "three");
        w.WriteWord(0x1234);  // not even a page header: no page for it either
        EXPECT_FALSE(set.LoadFromBytes(w.Data()));
        EXPECT_EQ(set.Count(), 3);
    }
    {
        // "x" then double-byte characters: a cut at the byte limit would fall
        // inside one.
        std::string title = "x";
        while (title.size() < 70000) title += "あ";
        TMemoryWriter w;
        WriteHeader(w, 768, 2);
        WritePage(w, 768, "one", 0, {e, e, e});
        WritePage(w, 768, "two", 0, {e});
        std::string data = w.TakeData();
        // The first entry's title, written as another tool would: in full.
        TMemoryWriter field;
        field.WriteInt32(static_cast<int32_t>(title.size() + 1));
        std::string longField = field.TakeData() + title + '\0';
        const size_t titleAt = data.find(std::string("\x02\x00\x00\x00\x61\x00", 6), 12);
        ASSERT_NE(titleAt, std::string::npos);
        data.replace(titleAt, 6, longField);
        TVantorManager set(fake);
        EXPECT_FALSE(set.LoadFromBytes(data));
        ASSERT_EQ(set.Count(), 2);
        ASSERT_EQ(set.Pages(0)->Count(), 3);
        EXPECT_EQ(set.Pages(0)->Buttons(0)->Title, title.substr(0, MaxStreamStringLength - 1));
        EXPECT_EQ(set.Pages(0)->Buttons(2)->Title, "a");
        EXPECT_EQ(set.Pages(1)->Count(), 1);
    }
}
