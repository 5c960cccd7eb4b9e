#include "layout/auto_hide.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr int SW = 1024;
constexpr int SH = 768;
constexpr TRect Screen{0, 0, SW, SH};

TSlideGeometry Docked(int edge, TPoint at, int w = 200, int h = 300, int hideWidth = 4) {
    return TSlideGeometry{edge, at, w, h, Screen, Screen, hideWidth};
}

std::vector<int> Xs(const std::vector<TPoint>& path) {
    std::vector<int> xs;
    for (const TPoint& p : path) xs.push_back(p.X);
    return xs;
}

std::vector<int> Ys(const std::vector<TPoint>& path) {
    std::vector<int> ys;
    for (const TPoint& p : path) ys.push_back(p.Y);
    return ys;
}

}  // namespace

TEST(AutoHide, SlidesLeaveExactlyTheHideWidthAndComeBackToTheEdge) {
    // Left, 200 wide, HideWidth 16: steps of (200 - 16) / 4 = 46.
    const TSlideGeometry left = Docked(deLeft, {0, 50}, 200, 300, 16);
    EXPECT_EQ(Xs(HidePath(left, true)), (std::vector<int>{-46, -92, -138, -184}));
    EXPECT_EQ(Ys(HidePath(left, true)), (std::vector<int>{50, 50, 50, 50}));
    EXPECT_EQ(HidePath(left, false), (std::vector<TPoint>{{-184, 50}}));
    EXPECT_EQ(Xs(ShowPath(Docked(deLeft, {-184, 50}, 200, 300, 16), true)), (std::vector<int>{-138, -92, -46, 0}));

    // Right: the hidden window's left edge is HideWidth inside the screen.
    EXPECT_EQ(Xs(HidePath(Docked(deRight, {824, 0}), true)), (std::vector<int>{873, 922, 971, 1020}));
    EXPECT_EQ(Xs(ShowPath(Docked(deRight, {1020, 0}), true)), (std::vector<int>{971, 922, 873, 824}));
    // Top and bottom move vertically by (300 - 4) / 4 = 74.
    EXPECT_EQ(Ys(HidePath(Docked(deTop, {300, 0}), true)), (std::vector<int>{-74, -148, -222, -296}));
    EXPECT_EQ(Ys(ShowPath(Docked(deTop, {300, -296}), true)), (std::vector<int>{-222, -148, -74, 0}));
    EXPECT_EQ(Ys(HidePath(Docked(deBottom, {300, 468}), true)), (std::vector<int>{542, 616, 690, 764}));
    EXPECT_EQ(ShowPath(Docked(deBottom, {300, 764}), false), (std::vector<TPoint>{{300, 468}}));

    // A window without an edge stays where it is.
    EXPECT_EQ(HidePath(Docked(deNone, {7, 9}), true), (std::vector<TPoint>(4, TPoint{7, 9})));

    // Each animated frame is padded to 50 ms; slow frames are not padded.
    EXPECT_EQ(FramePause(0), 50u);
    EXPECT_EQ(FramePause(20), 30u);
    EXPECT_EQ(FramePause(50), 0u);
    EXPECT_EQ(FramePause(4000000000u), 0u);
}

TEST(AutoHide, AHiddenWindowBackOnTheScreenIsNoLongerHidden) {
    EXPECT_TRUE(IsHiddenWindowOnScreen({0, 0, SW, SH}, Screen));
    EXPECT_FALSE(IsHiddenWindowOnScreen({-184, 0, 200, 300}, Screen));
    EXPECT_FALSE(IsHiddenWindowOnScreen({1020, 0, 200, 300}, Screen));
    EXPECT_FALSE(IsHiddenWindowOnScreen({300, 764, 200, 300}, Screen));
}

TEST(AutoHide, TheWindowHidesOffItsOwnMonitorButNeverOntoAnother) {
    // Two monitors side by side; the second one's task bar along the bottom.
    const TRect first{0, 0, 1280, 1024};
    const TRect second{1280, 0, 2560, 1024};
    const TRect secondWork{1280, 0, 2560, 994};
    const std::vector<TRect> monitors{first, second};
    auto onSecond = [&](int edge, TPoint at) { return TSlideGeometry{edge, at, 200, 300, second, secondWork, 4}; };

    // Against the second monitor's outer edge: off it, 4 pixels left.
    const TSlideGeometry right = onSecond(deRight, {2360, 100});
    EXPECT_EQ(HidePath(right, false), (std::vector<TPoint>{{2556, 100}}));
    EXPECT_EQ(ShowPath(right, false), (std::vector<TPoint>{{2360, 100}}));
    EXPECT_EQ(HiddenSliver(right), (TRect{2556, 100, 2560, 400}));
    EXPECT_TRUE(CanHideOffEdge(right, monitors));
    // Against the edge the two share: hidden, it would stand on the first.
    EXPECT_FALSE(CanHideOffEdge(onSecond(deLeft, {1280, 100}), monitors));
    EXPECT_TRUE(CanHideOffEdge(TSlideGeometry{deLeft, {0, 100}, 200, 300, first, first, 4}, monitors));
    // Docked above the task bar, it slides past it off the monitor's edge and
    // comes back to stand on it.
    const TSlideGeometry bottom = onSecond(deBottom, {1500, 694});
    EXPECT_EQ(Ys(HidePath(bottom, true)), (std::vector<int>{777, 858, 939, 1020}));
    EXPECT_EQ(Ys(ShowPath(onSecond(deBottom, {1500, 1020}), true)), (std::vector<int>{937, 856, 775, 694}));
    EXPECT_TRUE(IsHiddenWindowOnScreen({1500, 694, 200, 300}, second));
    EXPECT_FALSE(IsHiddenWindowOnScreen({1500, 1020, 200, 300}, second));
}

TEST(AutoHide, WhereAWindowManagerKeepsMoreInReachAllButTheSliverIsCutAway) {
    const TSlideGeometry left = Docked(deLeft, {0, 50}, 200, 300, 4);
    const TRect sliver = HiddenSliver(left);
    EXPECT_EQ(sliver, (TRect{0, 50, 4, 350}));
    // Where it was asked to go, nothing is cut.
    EXPECT_EQ(SliverClip({-196, 50, 200, 300}, sliver, Screen), std::nullopt);
    // Kept with a tenth of it on the screen: only the 4 pixels at the edge show.
    EXPECT_EQ(SliverClip({-180, 50, 200, 300}, sliver, Screen), (TRect{180, 0, 184, 300}));
    // At the top, likewise, in window coordinates.
    const TSlideGeometry top = Docked(deTop, {300, 0}, 200, 300, 4);
    EXPECT_EQ(SliverClip({300, -270, 200, 300}, HiddenSliver(top), Screen), (TRect{0, 270, 200, 274}));
}

TEST(AutoHide, PointerChecksShowAndHideAfterTheirPauses) {
    TPointerWatch watch;
    TPointerCheck over{true, true, false, 125, 500, 500};
    // 500 ms at 125 ms a check: the fourth check over the sliver shows.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ShowOrHide(watch, over), TSlideAction::None);
    EXPECT_EQ(ShowOrHide(watch, over), TSlideAction::Show);
    EXPECT_EQ(watch.HoverTicks, 0);
    // Leaving the sliver starts the count again.
    ShowOrHide(watch, over);
    ShowOrHide(watch, TPointerCheck{false, true, false, 125, 500, 500});
    EXPECT_EQ(watch.HoverTicks, 0);

    // ShowPause 0, or negative as an unclamped file may give: the first check shows.
    over.ShowPause = 0;
    EXPECT_EQ(ShowOrHide(watch, over), TSlideAction::Show);
    over.ShowPause = -5;
    EXPECT_EQ(ShowOrHide(watch, over), TSlideAction::Show);
    // The longest pause is reached, not skipped by an overflowing product.
    over.ShowPause = INT_MAX;
    watch.HoverTicks = INT_MAX / 125 - 1;
    EXPECT_EQ(ShowOrHide(watch, over), TSlideAction::None);
    EXPECT_EQ(ShowOrHide(watch, over), TSlideAction::Show);

    // Away from the shown window: only while the user works elsewhere.
    TPointerWatch away;
    TPointerCheck outside{false, false, false, 125, 250, 250};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ShowOrHide(away, outside), TSlideAction::None);
    EXPECT_EQ(away.AwayTicks, 0);
    outside.WorkingElsewhere = true;
    EXPECT_EQ(ShowOrHide(away, outside), TSlideAction::None);
    // The pointer coming back in starts the wait again.
    ShowOrHide(away, TPointerCheck{true, false, true, 125, 250, 250});
    EXPECT_EQ(ShowOrHide(away, outside), TSlideAction::None);
    EXPECT_EQ(ShowOrHide(away, outside), TSlideAction::Hide);
    outside.HidePause = 0;
    EXPECT_EQ(ShowOrHide(away, outside), TSlideAction::Hide);
}

TEST(AutoHide, PointingAtATabOpensItOnceAfterThePause) {
    TPointerWatch watch;
    auto point = [&watch](int tab, int selected, uint32_t now, bool dragging = false) {
        return TabToOpen(watch, TTabPointing{true, tab, selected, dragging, now}, 500);
    };
    // The selected tab never opens, however long the pointer rests on it.
    EXPECT_EQ(point(0, 0, 1000), -1);
    EXPECT_EQ(point(0, 0, 5000), -1);
    // Another tab opens once its pause has passed, then it is the selected one.
    EXPECT_EQ(point(2, 0, 6000), -1);
    EXPECT_EQ(point(2, 0, 6499), -1);
    EXPECT_EQ(point(2, 0, 6500), 2);
    EXPECT_EQ(point(2, 2, 7500), -1);
    EXPECT_EQ(point(2, 2, 9000), -1);
    // No tab, or a drag, starts the wait again.
    EXPECT_EQ(point(1, 2, 10000), -1);
    EXPECT_EQ(point(1, 2, 10400, true), -1);
    EXPECT_EQ(point(1, 2, 10800), -1);
    EXPECT_EQ(point(1, 2, 10900), 1);
    EXPECT_EQ(point(-1, 1, 20000), -1);
    EXPECT_EQ(point(-1, 1, 30000), -1);

    // Leaving the strip forgets the tab; a wrapped clock counts as due.
    EXPECT_EQ(TabToOpen(watch, TTabPointing{false, -1, 1, false, 31000}, 500), -1);
    EXPECT_EQ(watch.PointedTab, -1);
    EXPECT_EQ(point(3, 1, 0xFFFFFF00u), -1);
    EXPECT_EQ(point(3, 1, 20), 3);
}

TEST(AutoHide, ChecksRunOnlyWhileAPauseCountsDownOrSomethingIsWatched) {
    TPointerWatch watch;
    TWatchState state;
    state.Hidden = true;
    state.WorkingElsewhere = true;
    state.SelectedTab = 0;
    // Hidden with the pointer away: nothing to do until the pointer comes,
    // unless another window lies over the sliver and would keep it from it.
    EXPECT_FALSE(PointerChecksWanted(watch, state));
    state.SliverCovered = true;
    EXPECT_TRUE(PointerChecksWanted(watch, state));
    state.SliverCovered = false;

    // The pointer on the sliver: the checks count the show pause, then rest
    // on the shown window, whose leaving its own windows report.
    TPointerCheck check{true, true, true, 125, 500, 500};
    state.PointerInside = true;
    state.LeaveReported = true;
    while (ShowOrHide(watch, check) == TSlideAction::None) EXPECT_TRUE(PointerChecksWanted(watch, state));
    state.Hidden = check.Hidden = false;
    EXPECT_FALSE(PointerChecksWanted(watch, state));
    // Covered there by another program's window, the leave goes untold: watched.
    state.LeaveReported = false;
    EXPECT_TRUE(PointerChecksWanted(watch, state));

    // Away while the user works elsewhere: the hide pause counts down.
    state.PointerInside = check.PointerInside = false;
    while (ShowOrHide(watch, check) == TSlideAction::None) EXPECT_TRUE(PointerChecksWanted(watch, state));
    state.Hidden = true;
    EXPECT_FALSE(PointerChecksWanted(watch, state));
    // Against an edge another monitor continues there is no hide to wait for.
    state.Hidden = false;
    state.CanHide = false;
    EXPECT_FALSE(PointerChecksWanted(watch, state));
    state.CanHide = true;
    // Shown and away while the window is the user's: its deactivation hides it.
    state.Hidden = state.WorkingElsewhere = false;
    EXPECT_FALSE(PointerChecksWanted(watch, state));

    // A tab other than the selected one under the pointer counts its pause.
    watch.PointedTab = 2;
    EXPECT_TRUE(PointerChecksWanted(watch, state));
    state.SelectedTab = 2;
    EXPECT_FALSE(PointerChecksWanted(watch, state));

    // Without AutoHide neither pause counts; corners and a full-screen
    // program in front are watched whatever the window does.
    state.AutoHide = false;
    state.Hidden = state.PointerInside = state.WorkingElsewhere = true;
    EXPECT_FALSE(PointerChecksWanted(watch, state));
    state.CornersWatched = true;
    EXPECT_TRUE(PointerChecksWanted(watch, state));
    state.CornersWatched = false;
    state.Quiet = true;
    EXPECT_TRUE(PointerChecksWanted(watch, state));
}
