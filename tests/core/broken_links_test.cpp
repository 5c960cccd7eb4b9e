#include "launch/broken_links.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace {

void Add(TVantorPage& page, const std::string& target, const std::string& title) {
    ASSERT_TRUE(page.Add(target, title, "", "", "", 1, false, "", 0));
}

std::vector<std::string> Titles(const std::vector<TLinkCheck>& checks) {
    std::vector<std::string> titles;
    for (const TLinkCheck& c : checks) titles.push_back(c.Title);
    return titles;
}

}  // namespace

TEST(BrokenLinks, OnlyFileTargetsAreLookedAtAndEachTargetOnce) {
    TFakePlatform platform;
    TVantorManager main(platform);
    TVantorManager smart(platform);
    TVantorPage& page = *main.Pages(0);
    Add(page, "C:\\gone.exe", "gone");
    Add(page, SeparatorLink, "-");
    Add(page, "http://example.com/", "web");
    Add(page, "C:\\here.exe", "here");
    Add(page, "\\\\server\\share\\tool.exe", "far");
    Add(*smart.Pages(0), "c:\\GONE.EXE", "gone again");
    const std::vector<TLinkCheck> checks = LinksToCheck({&main, nullptr, &smart});
    EXPECT_EQ(Titles(checks), (std::vector<std::string>{"gone", "here", "far", "gone again"}));
    EXPECT_EQ(checks[3].Set, 2);

    int probes = 0;
    const auto broken = FindBrokenLinks(checks, [&](const std::string& target) {
        ++probes;
        if (IsNetworkPath(target)) return TLinkState::Unknown;  // no answer in time: not called broken
        return target == "C:\\here.exe" ? TLinkState::Present : TLinkState::Missing;
    });
    EXPECT_EQ(Titles(broken), (std::vector<std::string>{"gone", "gone again"}));
    EXPECT_EQ(probes, 3);  // the same file in another case is not asked again
}

TEST(BrokenLinks, DeletingTakesOnlyEntriesStillWhereTheyWere) {
    TFakePlatform platform;
    TVantorManager main(platform);
    TVantorPage& page = *main.Pages(0);
    for (const char* t : {"a", "b", "c", "d"}) Add(page, std::string("C:\\") + t + ".exe", t);
    std::vector<TLinkCheck> chosen = LinksToCheck({&main});
    chosen.erase(chosen.begin() + 2);  // a, b, d
    // Meanwhile the user renamed d: it is not the entry that was checked.
    page.Buttons(3)->Title = "d renamed";
    const std::vector<TLinkCheck> deleted = DeleteCheckedEntries({&main}, chosen);
    EXPECT_EQ(Titles(deleted), (std::vector<std::string>{"b", "a"}));
    ASSERT_EQ(page.Count(), 2);
    EXPECT_EQ(page.Buttons(0)->Title, "c");
    EXPECT_EQ(page.Buttons(1)->Title, "d renamed");
    EXPECT_TRUE(DeleteCheckedEntries({&main}, chosen).empty());  // a second time finds nothing where it was

    // What is still listed follows its entries up the page.
    ForgetDeleted(chosen, deleted);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].Index, 1);
    EXPECT_EQ(page.Buttons(chosen[0].Index)->LinkTo, chosen[0].Target);
}
