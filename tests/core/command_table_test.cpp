// One function per action, whichever way it is asked for; the hot-key path
// does not run twice at once.
#include "commands/command_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(CommandTable, RunsTheBoundCommandAndReportsTheUnbound) {
    TCommandTable table;
    int runs = 0;
    table.Bind(ActionOpenFolder, [&] { ++runs; });
    EXPECT_TRUE(table.Run(ActionOpenFolder));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(table.Run(ActionShutdown));
    EXPECT_FALSE(table.Run(-1));
    EXPECT_FALSE(table.Run(ActionCount));
    EXPECT_EQ(table.Unbound().size(), static_cast<size_t>(ActionCount - 1));
    table.Bind(ActionOpenFolder, nullptr);
    EXPECT_FALSE(table.IsBound(ActionOpenFolder));
    table.Bind(ActionCount + 3, [] {});  // ignored, no crash
}

TEST(CommandTable, ExecuteIgnoresMinusOneAndNestedCalls) {
    TCommandTable table;
    int prepared = 0, outer = 0, inner = 0;
    table.Bind(ActionActivate, [&] { ++inner; });
    // A hot key arriving while another action's message box is open.
    table.Bind(ActionMenu, [&] {
        ++outer;
        EXPECT_TRUE(table.Executing());
        EXPECT_FALSE(table.Execute(ActionActivate, [&] { ++prepared; }));
        // The menu path is not guarded: a menu command inside still runs.
        EXPECT_TRUE(table.Run(ActionActivate));
    });
    EXPECT_FALSE(table.Execute(-1, [&] { ++prepared; }));
    EXPECT_EQ(prepared, 0);
    EXPECT_TRUE(table.Execute(ActionMenu, [&] { ++prepared; }));
    EXPECT_EQ(prepared, 1);
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(inner, 1);
    EXPECT_FALSE(table.Executing());
    EXPECT_TRUE(table.Execute(ActionActivate));
    EXPECT_EQ(inner, 2);
}

TEST(CommandTable, TheGuardIsReleasedWhenACommandThrows) {
    TCommandTable table;
    table.Bind(ActionShutdown, [] { throw std::runtime_error("refused"); });
    EXPECT_THROW(table.Execute(ActionShutdown), std::runtime_error);
    EXPECT_FALSE(table.Executing());
}

TEST(CommandTable, ACommandMayUnbindItselfWhileRunning) {
    TCommandTable table;
    int runs = 0;
    table.Bind(ActionExit, [&] {
        table.Bind(ActionExit, nullptr);
        ++runs;
    });
    EXPECT_TRUE(table.Run(ActionExit));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(table.Run(ActionExit));
}
