#include "GhostRecorder.hpp"

#include <gtest/gtest.h>

TEST(GhostRecorder, replaysEntriesOncePerCallThenStands)
{
    GhostRecorder recorder;
    recorder.startRecording();
    recorder.recordFrame(true, false, false, false);   // "8"
    recorder.recordFrame(false, false, false, false);  // ""
    recorder.recordFrame(false, true, false, true);    // "26"
    ASSERT_EQ(recorder.frames, (std::vector<std::string>{"8", "", "26"}));

    Rect ghost(100, 100, 16, 16);
    struct Step {
        float x, y;
        bool up, down, right, left, finished;
    } steps[] = {
        {100, 96, true, false, false, false, false},
        {100, 96, false, false, false, false, false},
        {104, 100, false, true, true, false, true},
        {104, 100, false, false, false, false, true},  // past the end
    };
    recorder.stopRecording();
    recorder.rewind();
    for (int round = 0; round < 2; round++) {
        for (const Step& s : steps) {
            recorder.replayFrame(ghost, 4);
            EXPECT_FLOAT_EQ(ghost.x, s.x) << "round " << round;
            EXPECT_FLOAT_EQ(ghost.y, s.y) << "round " << round;
            EXPECT_EQ(recorder.isUp(), s.up);
            EXPECT_EQ(recorder.isDown(), s.down);
            EXPECT_EQ(recorder.isRight(), s.right);
            EXPECT_EQ(recorder.isLeft(), s.left);
            EXPECT_EQ(recorder.finished, s.finished);
        }
        // Rewinding repeats the same moves from the first entry.
        recorder.rewind();
        ghost = Rect(100, 100, 16, 16);
    }
}

TEST(GhostRecorder, entriesHoldTheDigitsInKeypadOrder)
{
    GhostRecorder recorder;
    recorder.startRecording();
    recorder.recordFrame(true, true, true, true);
    recorder.recordFrame(true, false, false, true);
    recorder.recordFrame(false, false, true, false);
    EXPECT_EQ(recorder.frames, (std::vector<std::string>{"2468", "68", "4"}));

    // Other characters in an entry are skipped by the replay.
    recorder.frames = {"x4?"};
    recorder.rewind();
    Kest::tvec2<float> point(0, 0);
    recorder.replayFrame(point, 3);
    EXPECT_FLOAT_EQ(point.x, -3);
    EXPECT_FLOAT_EQ(point.y, 0);
    EXPECT_TRUE(recorder.isLeft());
}

TEST(GhostRecorder, recordingSwitchAndResetAreIndependent)
{
    GhostRecorder recorder;
    recorder.recordFrame(true, false, false, false);
    EXPECT_TRUE(recorder.frames.empty()) << "recorded while stopped";

    recorder.startRecording();
    recorder.recordFrame(true, false, false, false);
    recorder.stopRecording();
    recorder.recordFrame(true, false, false, false);
    EXPECT_EQ(recorder.frames.size(), 1u) << "stop keeps the record and stops appending";

    recorder.startRecording();
    recorder.reset();
    EXPECT_TRUE(recorder.frames.empty());
    EXPECT_TRUE(recorder.recording) << "reset switched recording off";
}

TEST(GhostRecorder, emptyRecordMovesNothingAndCountsAsFinished)
{
    GhostRecorder recorder;
    recorder.startRecording();
    recorder.stopRecording();
    recorder.rewind();
    Rect ghost(5, 6, 7, 8);
    recorder.replayFrame(ghost, 10);
    EXPECT_FLOAT_EQ(ghost.x, 5);
    EXPECT_FLOAT_EQ(ghost.y, 6);
    EXPECT_TRUE(recorder.finished);
    EXPECT_FALSE(recorder.isUp() || recorder.isDown() || recorder.isLeft() || recorder.isRight());
}
