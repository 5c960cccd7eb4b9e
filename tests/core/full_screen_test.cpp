#include "layout/full_screen.h"

#include <gtest/gtest.h>

TEST(FullScreenForeground, OnlyAnotherProgramCoveringTheWholeMonitorCounts) {
    TForegroundWindow f;
    f.Monitor = TRect{0, 0, 1920, 1080};
    f.Window = TRect{0, 0, 1920, 1080};
    f.ClassName = "GameWindow";
    EXPECT_TRUE(IsFullScreenForeground(f));
    f.Window = TRect{-8, -8, 1928, 1088};  // a maximised frame overhangs: still the whole screen
    EXPECT_TRUE(IsFullScreenForeground(f));
    f.Window = TRect{0, 0, 1920, 1040};  // a maximised window above the task bar
    EXPECT_FALSE(IsFullScreenForeground(f));

    f.Window = f.Monitor;
    f.ClassName = "Progman";  // the desktop
    EXPECT_FALSE(IsFullScreenForeground(f));
    f.ClassName = "GameWindow";
    f.OwnProgram = true;
    EXPECT_FALSE(IsFullScreenForeground(f));
    f.OwnProgram = false;
    f.OnLaunchersMonitor = false;  // full screen on the other monitor
    EXPECT_FALSE(IsFullScreenForeground(f));
    f.OnLaunchersMonitor = true;
    f.Monitor = TRect{};
    EXPECT_FALSE(IsFullScreenForeground(f));
}
