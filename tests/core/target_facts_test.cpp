// What the window decides from answers about targets: the cache that keeps
// them for a while, the menu without answers, and checks of a drive that did
// not answer.
#include "launch/target_facts.h"

#include <gtest/gtest.h>

#include "commands/menu_rules.h"
#include "dialogs/properties.h"

TEST(TargetCacheTest, AnswersServeWhatWasAskedWhileYoungEnoughNewestFirst) {
    TTargetCache<int> cache;
    using C = TTargetCache<int>;
    cache.Store(TargetKey("\\\\Server\\Share\\App.exe"), tqFacts, 1, 1000);
    // The file system ignores case; an answer without the shell item does
    // not serve a start that needs one.
    ASSERT_NE(cache.Find(TargetKey("\\\\SERVER\\share\\app.EXE"), tqKind, 1000, C::FreshMs), nullptr);
    EXPECT_EQ(cache.Find(TargetKey("\\\\server\\share\\app.exe"), tqItem, 1000, C::FreshMs), nullptr);
    // Fresh enough for a decision for a few seconds; for a menu much longer.
    const std::string key = TargetKey("\\\\server\\share\\app.exe");
    EXPECT_NE(cache.Find(key, tqFacts, 1000 + C::FreshMs, C::FreshMs), nullptr);
    EXPECT_EQ(cache.Find(key, tqFacts, 1001 + C::FreshMs, C::FreshMs), nullptr);
    EXPECT_NE(cache.Find(key, tqFacts, 1001 + C::FreshMs, C::ShownMs), nullptr);

    // A later answer to other questions: the newest one that covers the
    // question wins; the same questions replace the old answer.
    cache.Store(key, tqItem, 2, 3000);
    EXPECT_EQ(*cache.Find(key, tqKind, 3000, C::ShownMs), 2);
    EXPECT_EQ(*cache.Find(key, tqFacts, 3000, C::ShownMs), 1);
    cache.Store(key, tqFacts, 3, 4000);
    EXPECT_EQ(*cache.Find(key, tqKind, 4000, C::ShownMs), 3);
    EXPECT_EQ(cache.Size(), 2u);
    // A target said to be missing is looked at again.
    cache.Forget(key);
    EXPECT_EQ(cache.Find(key, tqKind, 4000, C::ShownMs), nullptr);

    // The tick count wraps after 49.7 days; ages are differences.
    cache.Store(TargetKey("C:\\a"), tqKind, 4, 0xFFFFFF00u);
    EXPECT_NE(cache.Find(TargetKey("C:\\a"), tqKind, 0x100u, C::FreshMs), nullptr);
    // What is older than a menu may use goes at the next store.
    cache.Store(TargetKey("C:\\b"), tqKind, 5, 0x100u + C::ShownMs + 1);
    EXPECT_EQ(cache.Size(), 1u);
}

TEST(TargetCacheTest, AnUnansweredTargetLeavesTheMenuWithoutWhatLiesBesideItAndPassesTheDialog) {
    // Nothing known yet, or the drive did not answer: no help, read-me or
    // folder items, but a shortcut can be made.
    const TTargetFacts unanswered;
    for (const TTargetFacts* facts : {static_cast<const TTargetFacts*>(nullptr), &unanswered}) {
        const TEntryMenuState state = EntryMenuState(TMenuOwner::Main, false, "\\\\s\\x\\app.exe", facts);
        EXPECT_TRUE(state.OpenThisFolder && state.MakeShortCut && state.ChangeButton);
        EXPECT_TRUE(state.HelpFile.empty() && state.ReadMeFile.empty() && state.Folder.empty());
    }
    // A look that cannot tell stops there: nothing beside it is asked.
    int looks = 0;
    const TTargetFacts unknown = LookAtTarget("\\\\s\\x\\app.exe", true, [&looks](const std::string&) {
        ++looks;
        return TTargetKind::Unknown;
    });
    EXPECT_EQ(unknown.Kind, TTargetKind::Unknown);
    EXPECT_EQ(looks, 1);

    TEntryFields f;
    f.LinkTo = "\\\\s\\x\\app.exe";
    f.WorkingDir = "\\\\s\\x";
    f.IconPath = "\\\\s\\x\\app.ico";
    EXPECT_TRUE(CheckEntryFields(f, true, [](const std::string&) { return TTargetKind::Unknown; }).Ok());
    EXPECT_EQ(CheckEntryFields(f, true,
                               [](const std::string& p) {
                                   return p == "\\\\s\\x\\app.ico" ? TTargetKind::Folder : TTargetKind::Unknown;
                               })
                  .Field,
              TEntryField::IconPath);
    // Each path looked at once; a web address not at all.
    f.IconPath = "\\\\S\\X\\APP.EXE";
    EXPECT_EQ(EntryCheckPaths(f, true), (std::vector<std::string>{"\\\\s\\x\\app.exe", "\\\\s\\x"}));
    f.LinkTo = "https://example.com/";
    EXPECT_EQ(EntryCheckPaths(f, true), (std::vector<std::string>{"\\\\s\\x", "\\\\S\\X\\APP.EXE"}));
    EXPECT_TRUE(CheckEntryFields(f, true, [](const std::string& p) {
                    return p == "https://example.com/" ? TTargetKind::Missing : TTargetKind::Unknown;
                }).Ok());
}

// A drive or share that took seconds to answer is spared what is only nice to
// have (icons, help items) for a while; one prompt answer clears it again.
TEST(SlowPlacesTest, ASlowLookMarksItsDriveOrShareUntilAPromptOne) {
    EXPECT_EQ(PlaceOf("S:\\tools\\a.exe"), "s:");
    // A share's name may end in a double-byte character whose second byte is
    // the separator's ("表" is 0x95 0x5C).
    EXPECT_EQ(PlaceOf("\\\\Server\\\x95\x5C\\a.exe"), "\\\\server\\\x95\x5C");
    EXPECT_EQ(PlaceOf("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(PlaceOf("\\\\server"), "");
    EXPECT_EQ(PlaceOf("relative\\a.exe"), "");

    TSlowPlaces places;
    uint32_t now = 0xFFFFF000u;  // the tick count wraps meanwhile
    int looks = 0;
    auto slowLook = [&](const std::string&) {
        ++looks;
        now += 5000;
        return TTargetKind::File;
    };
    const TTargetLook look = NotingLook(slowLook, places, [&] { return now; });
    // The first look proves the share slow: no help or read-me lookups follow.
    const TTargetFacts facts =
        LookAtTarget("\\\\server\\share\\tool.exe", true, look, [&] { return !places.IsSlow("\\\\SERVER\\Share", now); });
    EXPECT_EQ(facts.Kind, TTargetKind::File);
    EXPECT_EQ(looks, 1);
    EXPECT_TRUE(facts.HelpFile.empty());
    EXPECT_TRUE(places.IsSlow("\\\\server\\share\\other.txt", now));
    EXPECT_FALSE(places.IsSlow("\\\\server\\other\\a.exe", now));
    EXPECT_FALSE(places.IsSlow("C:\\a.exe", now));
    EXPECT_FALSE(places.IsSlow("\\\\server\\share\\a", now + TSlowPlaces::HoldMs + 1));
    // One prompt answer there and it is asked as any other.
    places.Noted("\\\\server\\share\\b.txt", 20, now);
    EXPECT_FALSE(places.IsSlow("\\\\server\\share\\a", now));
}
