#include "layout/docking.h"

#include <gtest/gtest.h>

namespace {

constexpr int SW = 1024;
constexpr int SH = 768;
constexpr TRect Screen{0, 0, SW, SH};

// A drag as the window runs it: the anchor from the press, then the window's
// wanted corner from the pointer's move, then the snap.
TSnapResult Drag(int dockEdge, TPoint windowAt, int w, int h, TPoint down, TPoint moveTo) {
    const TPoint anchor = DragAnchor(dockEdge, down, TPoint{});
    const TPoint wanted{moveTo.X - anchor.X + windowAt.X, moveTo.Y - anchor.Y + windowAt.Y};
    return SnapToScreenEdge(wanted, w, h, Screen);
}

}  // namespace

TEST(Docking, TopAndBottomWindowsStickUntilThePointerLeavesTheEdge) {
    // Docked at the top: 10 pixels down keeps it there, 20 tear it off to
    // the side whose half of the free width it is in.
    EXPECT_EQ(Drag(deTop, {100, 0}, 200, 300, {50, 5}, {50, 15}).Edge, deTop);
    EXPECT_EQ(Drag(deTop, {100, 0}, 200, 300, {50, 5}, {50, 15}).Position, (TPoint{100, 0}));
    TSnapResult torn = Drag(deTop, {100, 0}, 200, 300, {50, 5}, {50, 25});
    EXPECT_EQ(torn.Edge, deLeft);
    EXPECT_EQ(torn.Position, (TPoint{0, 4}));
    EXPECT_EQ(Drag(deTop, {700, 0}, 200, 300, {50, 5}, {50, 25}).Edge, deRight);
    EXPECT_EQ(Drag(deTop, {700, 0}, 200, 300, {50, 5}, {50, 25}).Position, (TPoint{824, 4}));

    // Docked at the bottom: the same the other way.
    EXPECT_EQ(Drag(deBottom, {100, 468}, 200, 300, {50, 200}, {50, 190}).Edge, deBottom);
    EXPECT_EQ(Drag(deBottom, {100, 468}, 200, 300, {50, 200}, {50, 180}).Edge, deLeft);

    // Side-docked windows follow the pointer at once; nothing sticks.
    EXPECT_EQ(DragAnchor(deLeft, {7, 9}, {1, 1}), (TPoint{7, 9}));
    EXPECT_EQ(DragAnchor(deRight, {7, 9}, {1, 1}), (TPoint{7, 9}));
    // Before the first snap the anchor stays what it was.
    EXPECT_EQ(DragAnchor(deNone, {7, 9}, {1, 1}), (TPoint{1, 1}));
}

TEST(Docking, SnapPicksTheEdgeAndKeepsTheWindowOnTheScreen) {
    // The top wins over everything, the bottom over the sides; the other
    // coordinate is clamped to the screen.
    EXPECT_EQ(SnapToScreenEdge({-50, -3}, 200, 300, Screen).Position, (TPoint{0, 0}));
    EXPECT_EQ(SnapToScreenEdge({-50, -3}, 200, 300, Screen).Edge, deTop);
    EXPECT_EQ(SnapToScreenEdge({900, 0}, 200, 300, Screen).Position, (TPoint{824, 0}));
    EXPECT_EQ(SnapToScreenEdge({900, 500}, 200, 300, Screen).Position, (TPoint{824, 468}));
    EXPECT_EQ(SnapToScreenEdge({900, 500}, 200, 300, Screen).Edge, deBottom);
    // The exact middle of the free width goes left; one pixel more goes right.
    EXPECT_EQ(SnapToScreenEdge({412, 100}, 200, 300, Screen).Edge, deLeft);
    TSnapResult right = SnapToScreenEdge({413, 100}, 200, 300, Screen);
    EXPECT_EQ(right.Edge, deRight);
    EXPECT_EQ(right.Position, (TPoint{824, 100}));
    // Re-snapping a new window where it stands: its anchor is (0, 0).
    EXPECT_EQ(SnapToScreenEdge({824, 0}, 200, 300, Screen).Edge, deTop);
    // A window as wide as the screen still gets a sane corner.
    EXPECT_EQ(SnapToScreenEdge({30, 0}, SW + 40, 300, Screen).Position, (TPoint{0, 0}));
}

TEST(Docking, SizingKeepsTheDockedSideAtTheScreenEdge) {
    const TRect r{100, 50, 300, 400};
    EXPECT_EQ(KeepDockedSide(r, deTop, Screen), (TRect{100, 0, 300, 400}));
    EXPECT_EQ(KeepDockedSide(r, deBottom, Screen), (TRect{100, 50, 300, SH}));
    EXPECT_EQ(KeepDockedSide(r, deLeft, Screen), (TRect{0, 50, 300, 400}));
    EXPECT_EQ(KeepDockedSide(r, deRight, Screen), (TRect{100, 50, SW, 400}));
    EXPECT_EQ(KeepDockedSide(r, deNone, Screen), r);
}

TEST(Docking, OnASecondMonitorTheWindowSnapsToItsWorkArea) {
    // The second monitor right of the first, its task bar along the bottom.
    const TRect work{1280, 0, 2560, 994};
    const TSnapResult right = SnapToScreenEdge({2300, 300}, 200, 300, work);
    EXPECT_EQ(right.Edge, deRight);
    EXPECT_EQ(right.Position, (TPoint{2360, 300}));
    const TSnapResult left = SnapToScreenEdge({1300, 300}, 200, 300, work);
    EXPECT_EQ(left.Edge, deLeft);
    EXPECT_EQ(left.Position, (TPoint{1280, 300}));
    // The bottom edge is the task bar's top; a window below it comes back up.
    const TSnapResult bottom = SnapToScreenEdge({1500, 900}, 200, 300, work);
    EXPECT_EQ(bottom.Edge, deBottom);
    EXPECT_EQ(bottom.Position, (TPoint{1500, 694}));
    EXPECT_EQ(SnapToScreenEdge({1500, -20}, 200, 300, work).Position, (TPoint{1500, 0}));
    // A monitor left of the main one lies at negative coordinates.
    EXPECT_EQ(SnapToScreenEdge({-1000, 300}, 200, 300, TRect{-1280, 0, 0, 1024}).Position, (TPoint{-1280, 300}));

    EXPECT_EQ(KeepDockedSide(TRect{2000, 50, 2300, 400}, deRight, work), (TRect{2000, 50, 2560, 400}));
    EXPECT_EQ(KeepDockedSide(TRect{2000, 50, 2300, 400}, deBottom, work), (TRect{2000, 50, 2300, 994}));
}
