// The main window's painting arithmetic and what it binds to its controls.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "layout/page_binding.h"
#include "layout/painting.h"

TEST(MainViewPainting, SmallWallpapersBecomeTilesOfAtLeast64Pixels) {
    EXPECT_EQ(WallpaperRepeatCount(1), 64);  // 1 x 1 -> 64 x 64
    EXPECT_EQ(WallpaperRepeatCount(30), 3);  // 30 x 10 -> 90 x 70
    EXPECT_EQ(WallpaperRepeatCount(10), 7);
    EXPECT_EQ(WallpaperRepeatCount(32), 2);  // fills 64 exactly
    EXPECT_EQ(WallpaperRepeatCount(48), 2);  // ceil(64 / 48)
    EXPECT_EQ(WallpaperRepeatCount(64), 1);
    EXPECT_EQ(WallpaperRepeatCount(65), 1);  // 100 x 200 and the like stay as they are
    EXPECT_EQ(WallpaperRepeatCount(200), 1);
    EXPECT_EQ(WallpaperRepeatCount(0), 1);  // never a division by zero
    EXPECT_EQ(WallpaperRepeatCount(-5), 1);
}

TEST(MainViewPainting, TilesCoveringAnAreaAndOpacity) {
    TTileRange r = TilesCovering(TRect{10, 70, 130, 129}, 64, 64);
    EXPECT_EQ(r.FirstColumn, 0);
    EXPECT_EQ(r.LastColumn, 2);  // x 128..129 lies in the third tile
    EXPECT_EQ(r.FirstRow, 1);
    EXPECT_EQ(r.LastRow, 2);  // 128 is the first pixel of row 2
    // Exactly one tile; and areas left of the origin.
    r = TilesCovering(TRect{64, 0, 128, 64}, 64, 64);
    EXPECT_EQ(r.FirstColumn, 1);
    EXPECT_EQ(r.LastColumn, 1);
    r = TilesCovering(TRect{-1, -65, 1, 0}, 64, 64);
    EXPECT_EQ(r.FirstColumn, -1);
    EXPECT_EQ(r.LastColumn, 0);
    EXPECT_EQ(r.FirstRow, -2);
    EXPECT_EQ(r.LastRow, -1);
    EXPECT_TRUE(TilesCovering(TRect{5, 5, 5, 50}, 64, 64).IsEmpty());
    EXPECT_TRUE(TilesCovering(TRect{0, 0, 50, 50}, 0, 64).IsEmpty());

    EXPECT_EQ(OpacityAlpha(0), 255);
    EXPECT_EQ(OpacityAlpha(80), 51);
    EXPECT_EQ(OpacityAlpha(33), 170);
    EXPECT_EQ(OpacityAlpha(-4), 255);
    EXPECT_EQ(OpacityAlpha(250), 0);
}

TEST(MainViewBinding, EntriesIconSourcesAndGeometryOfAPage) {
    TFakePlatform platform;
    TVantorPage page(platform);
    page.ViewStyle = 7;
    page.DefaultLayout = false;
    page.ButtonWidth = 40;
    page.Margin = 4;
    page.TitleWidth = 60;
    page.Add("C:\\Tools\\表示.exe", "表示", "", "", "", 5, false, "", 3);
    page.Add(SeparatorLink, SeparatorTitle, "", "", "", 5, false, "", 0);
    page.Add("*separator", "Not one", "", "", "", 5, false, "", 0);  // the separator test is case-sensitive
    page.Add("http://example.com/", "Web", "", "", "", 5, false, "C:\\icons\\web.ico", 2);

    const std::vector<TLayoutEntry> entries = LayoutEntriesOf(page);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_FALSE(entries[0].IsSeparator);
    EXPECT_EQ(entries[0].Title, "表示");
    EXPECT_TRUE(entries[1].IsSeparator);
    EXPECT_FALSE(entries[2].IsSeparator);

    // Without an icon path the target shows the shell's icon, whatever index is stored.
    const TIconSource own = IconSourceOf(*page.Buttons(0));
    EXPECT_EQ(own.Path, "C:\\Tools\\表示.exe");
    EXPECT_EQ(own.Index, -1);
    const TIconSource chosen = IconSourceOf(*page.Buttons(3));
    EXPECT_EQ(chosen.Path, "C:\\icons\\web.ico");
    EXPECT_EQ(chosen.Index, 2);

    const TPageGeometry g = GeometryOf(page);
    EXPECT_EQ(g.ViewStyle, 7);
    EXPECT_FALSE(g.DefaultLayout);
    EXPECT_EQ(g.ButtonWidth, 40);
    EXPECT_EQ(g.Margin, 4);
    EXPECT_EQ(g.TitleWidth, 60);
}
