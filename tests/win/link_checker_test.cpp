// The look for broken entries on a real file system: what a target's look
// finds, and the worker's answer arriving on the user-interface thread.
#include "shell/link_checker.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "shell/win_platform.h"
#include "win_test_util.h"

TEST(LinkChecker, FindsExactlyTheEntriesWhoseTargetIsGone) {
    TTempFolder folder("vantor-links");
    const std::string here = folder / "ここ表.exe";  // 表 ends in 0x5C
    WriteTextFile(here, "MZ");
    EXPECT_EQ(ProbeTarget(here), TLinkState::Present);
    EXPECT_EQ(ProbeTarget(folder.Path()), TLinkState::Present);  // a folder counts
    EXPECT_EQ(ProbeTarget(folder / "無い.exe"), TLinkState::Missing);
    EXPECT_EQ(ProbeTarget(folder / "無いフォルダ\\x.exe"), TLinkState::Missing);

    TWinPlatform platform;
    TVantorManager main(platform);
    for (const std::string& target :
         {here, folder / "gone1.exe", std::string("http://example.com/"), folder / "gone2.txt"})
        ASSERT_TRUE(main.Pages(0)->Add(target, target.substr(target.size() - 6), "", "", "", 1, false, "", 0));
    TLinkChecker checker;
    bool done = false;
    std::vector<TLinkCheck> broken;
    ASSERT_TRUE(checker.Start(LinksToCheck({&main}), [&](std::vector<TLinkCheck> found) {
        broken = std::move(found);
        done = true;
    }));
    EXPECT_FALSE(checker.Start({}, nullptr));  // one look at a time
    const DWORD deadline = GetTickCount() + 20000;
    MSG msg;
    while (!done && GetTickCount() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    ASSERT_TRUE(done);
    ASSERT_EQ(broken.size(), 2u);
    EXPECT_EQ(broken[0].Index, 1);
    EXPECT_EQ(broken[1].Index, 3);
    EXPECT_FALSE(checker.Running());
}
