// When edits reach the disk: a burst is saved once, shortly after it ends;
// steady editing is saved within the bound; the tick counter's wrap changes
// nothing; a save held by a modal window or failed is asked for again.
#include "document/save_schedule.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Quiet = TSaveSchedule::QuietDelay;
constexpr uint32_t Longest = TSaveSchedule::LongestDelay;

// Runs the schedule the way the window does: a one-shot timer set to Wait,
// saving when it fires and is due. Returns the ticks at which saves ran.
std::vector<uint32_t> SavesDuring(TSaveSchedule& schedule, uint32_t from, uint32_t until) {
    std::vector<uint32_t> saves;
    for (uint32_t now = from; now - from <= until - from; now += 100)
        if (schedule.Due(now)) {
            schedule.Saved();
            saves.push_back(now);
        }
    return saves;
}

}  // namespace

TEST(SaveSchedule, ABurstOfChangesIsSavedOnceAfterTheLastOne) {
    TSaveSchedule schedule;
    EXPECT_FALSE(schedule.Pending());
    EXPECT_EQ(schedule.Wait(1000), std::nullopt);
    EXPECT_FALSE(schedule.Due(1000 + Longest * 2));

    // Cut at 1 s, paste at 2.5 s and 4 s: one save, 3 s after the paste.
    schedule.Changed(1000);
    EXPECT_EQ(schedule.Wait(1000), Quiet);
    schedule.Changed(2500);
    schedule.Changed(4000);
    EXPECT_EQ(schedule.Wait(5000), Quiet - 1000);
    EXPECT_FALSE(schedule.Due(6999));
    EXPECT_TRUE(schedule.Due(7000));
    schedule.Saved();
    EXPECT_FALSE(schedule.Pending());
    EXPECT_EQ(schedule.Wait(7000), std::nullopt);
}

TEST(SaveSchedule, SteadyEditingIsSavedWithinTheBound) {
    TSaveSchedule schedule;
    // A change every 2 s for 31 minutes never leaves 3 s of quiet.
    std::vector<uint32_t> saves;
    for (uint32_t now = 0; now < 31 * 60000; now += 2000) {
        schedule.Changed(now);
        if (schedule.Due(now + 1000)) {
            schedule.Saved();
            saves.push_back(now + 1000);
        }
    }
    ASSERT_EQ(saves.size(), 3u);
    EXPECT_EQ(saves[0], Longest + 1000);
    // The bound runs from the first change not saved, not from the start.
    EXPECT_LE(saves[1] - saves[0], Longest + 2000);
    EXPECT_TRUE(schedule.Pending());
}

TEST(SaveSchedule, TheTickCounterWrapsBetweenChangeAndSave) {
    TSaveSchedule schedule;
    const uint32_t beforeWrap = 0xFFFFFFFFu - 1000;
    schedule.Changed(beforeWrap);
    EXPECT_EQ(schedule.Wait(beforeWrap + 500), Quiet - 500);
    EXPECT_EQ(SavesDuring(schedule, beforeWrap, beforeWrap + Quiet + 1000),
              (std::vector<uint32_t>{beforeWrap + Quiet}));

    // The bound, too, holds across the wrap.
    TSaveSchedule steady;
    uint32_t now = 0xFFFFFFFFu - 60000;
    steady.Changed(now);
    for (int i = 0; i < 400 && !steady.Due(now); ++i) steady.Changed(now += 2000);
    EXPECT_EQ(now - (0xFFFFFFFFu - 60000), Longest);
}

TEST(SaveSchedule, ASaveHeldOrFailedIsAskedForAgain) {
    TSaveSchedule schedule;
    schedule.Changed(0);
    ASSERT_TRUE(schedule.Due(Quiet));
    // A dialog is open: held, again and again, then saved once it closes.
    uint32_t now = Quiet;
    for (int i = 0; i < 5; ++i) {
        schedule.Held(now);
        EXPECT_FALSE(schedule.Due(now));
        EXPECT_EQ(schedule.Wait(now), TSaveSchedule::HeldRetry);
        now += TSaveSchedule::HeldRetry;
        EXPECT_TRUE(schedule.Due(now));
    }
    schedule.Saved();
    EXPECT_FALSE(schedule.Pending());

    // A failed save keeps the changes waiting, and further edits do not make
    // it try at each one.
    schedule.Changed(now);
    schedule.Failed(now + Quiet);
    schedule.Changed(now + Quiet + 10);
    EXPECT_FALSE(schedule.Due(now + Quiet + 10 + Quiet));
    EXPECT_TRUE(schedule.Pending());
    EXPECT_TRUE(schedule.Due(now + Quiet + TSaveSchedule::FailedRetry));
    schedule.Saved();
    // The next change after a save is on the usual footing again.
    schedule.Changed(now + 100000);
    EXPECT_EQ(schedule.Wait(now + 100000), Quiet);
}
