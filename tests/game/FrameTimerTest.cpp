#include "FrameTimer.hpp"

#include <gtest/gtest.h>

TEST(FrameTimer, secondsTextsAreTruncatedToTwoDecimals)
{
    struct Case {
        int ticks;
        const char* text;
    } cases[] = {
        {90, "1.50"}, {100, "1.66"}, {1, "0.01"}, {0, "0.00"}, {61, "1.01"}, {3600, "60.00"}, {-30, "-0.50"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameTimer::formatSeconds(c.ticks), c.text) << c.ticks << " ticks";

    FrameTimer timer;
    for (int i = 0; i < 100; i++)
        timer.tick();
    EXPECT_EQ(timer.getTotalText(), "1.66");
}

TEST(FrameTimer, limitIsReachedStrictlyAfterIt)
{
    FrameTimer timer;
    timer.setCountdown(600);
    EXPECT_EQ(timer.getTotalText(), "10.00");
    for (int i = 0; i < 600; i++)
        timer.tick();
    EXPECT_FALSE(timer.isLimitReached());
    EXPECT_EQ(timer.getTotalText(), "0.00");
    timer.tick();
    EXPECT_TRUE(timer.isLimitReached());
}

TEST(FrameTimer, stoppedTimerCountsTheGhostRunApart)
{
    FrameTimer timer;
    for (int i = 0; i < 90; i++)
        timer.tick();
    timer.stop();
    for (int i = 0; i < 30; i++)
        timer.tick();
    EXPECT_EQ(timer.getFramesText(), "1.50") << "the recorded run's time changed while stopped";
    EXPECT_EQ(timer.getTotal(), 120);
    EXPECT_EQ(timer.getTotalText(), "2.00");

    // A rerun of the ghost counts its own ticks from 0 again.
    timer.stop();
    EXPECT_EQ(timer.getTotal(), 90);

    // Restart after stop: frames from 0, pausedFrames left at 0.
    timer.restart();
    timer.tick();
    EXPECT_EQ(timer.getFrames(), 1);
    EXPECT_EQ(timer.getTotal(), 1);
}
