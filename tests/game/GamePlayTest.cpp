#include "Camera.hpp"
#include "DisplaySpy.hpp"
#include "FrameTimer.hpp"
#include "GameDriver.hpp"
#include "GhostRecorder.hpp"
#include "LevelList.hpp"
#include "MapObject.hpp"
#include "MlMap.hpp"
#include "Screen.hpp"
#include "TestSupport.hpp"
#include "TileMap.hpp"

#include <allegro5/allegro.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// Levels of the test tree, by number.
const int walkLevel = 1;
const int doorLevel = 2;
const int deadlyLevel = 3;
const int limitLevel = 4;
const int foreverLevel = 5;
const int darkLevel = 6;

// Every level of the tree starts the player at (40, 40), 16 x 16, and moves
// it 3 units a tick.
const float startX = 40.0f;
const float startY = 40.0f;
const float speed = 3.0f;

class GamePlayTest : public ::testing::Test {
protected:
    // The player of the walk level walks right onto its goal: won in 67 ticks.
    void walkToTheGoal()
    {
        driver.startLevel(walkLevel);
        driver.holdFor(ALLEGRO_KEY_RIGHT, 67);
    }
    Rect player() { return game.tileMap->objects["PLAYER"]->rect; }
    Rect ghost() { return game.tileMap->objects["GHOST"]->rect; }
    GameDriver driver;
    Game& game = driver.game;
};

} // namespace

TEST_F(GamePlayTest, arrowsMoveByTheLevelsSpeedAndAreRecorded)
{
    driver.startLevel(walkLevel);
    ASSERT_EQ(game.tileMap->getPlayerSpeed(), 3);
    driver.hold(ALLEGRO_KEY_UP);
    driver.hold(ALLEGRO_KEY_RIGHT);
    driver.tick();
    driver.release(ALLEGRO_KEY_UP);
    driver.release(ALLEGRO_KEY_RIGHT);
    driver.tick();
    EXPECT_FLOAT_EQ(player().x, startX + speed);
    EXPECT_FLOAT_EQ(player().y, startY - speed);
    EXPECT_EQ(game.ghostRecorder->frames, (std::vector<std::string>{"68", ""}));

    // Opposite keys cancel.
    driver.hold(ALLEGRO_KEY_LEFT);
    driver.hold(ALLEGRO_KEY_RIGHT);
    driver.tick();
    EXPECT_FLOAT_EQ(player().x, startX + speed);
    EXPECT_EQ(game.ghostRecorder->frames.back(), "46");
}

TEST_F(GamePlayTest, firstTickOfPlaySwitchesTheMusicAndBackspaceRestartsQuietly)
{
    driver.tick();
    driver.startLevel(walkLevel);
    driver.tick();
    EXPECT_TRUE(driver.songPlaying("ingame"));
    EXPECT_FALSE(driver.songPlaying("menu"));

    driver.holdFor(ALLEGRO_KEY_DOWN, 5);
    driver.soundsPlayed();
    driver.press(ALLEGRO_KEY_BACKSPACE);
    driver.tick();
    EXPECT_EQ(driver.soundsPlayed(), (std::vector<std::string>{"restart"}));
    EXPECT_FLOAT_EQ(player().y, startY);
    EXPECT_EQ(game.frameTimer->getTotal(), 0) << "the restart tick does not count";
    EXPECT_EQ(game.ghostRecorder->frames.size(), 1u) << "the restart tick is the new run's first entry";
}

TEST_F(GamePlayTest, escapeWithEnterAndBackspaceInOneTickOnlyPauses)
{
    driver.startLevel(walkLevel);
    driver.tick(3);
    driver.press(ALLEGRO_KEY_ESCAPE);
    driver.press(ALLEGRO_KEY_ENTER);
    driver.press(ALLEGRO_KEY_BACKSPACE);
    driver.tick();
    EXPECT_FALSE(game.inGame);
    EXPECT_EQ(game.screen, Screen::Pause);
    EXPECT_FALSE(game.ghostMode);
    EXPECT_EQ(game.frameTimer->getTotal(), 3);
}

TEST_F(GamePlayTest, deadlyTileRestartsTheRun)
{
    driver.startLevel(deadlyLevel);
    driver.hold(ALLEGRO_KEY_RIGHT);
    // The deadly tile's left edge (96) meets the player's right edge after
    // 14 ticks; the next tick restarts and moves again from the start.
    driver.tick(14);
    ASSERT_EQ(game.tileMap->getState(), TileMap::Dead);
    driver.soundsPlayed();
    driver.tick();
    EXPECT_EQ(driver.soundsPlayed(), (std::vector<std::string>{"death"}));
    EXPECT_EQ(game.tileMap->getState(), TileMap::Playing);
    EXPECT_FLOAT_EQ(player().x, startX + speed);
    EXPECT_EQ(game.ghostRecorder->frames, (std::vector<std::string>{"6"}));
}

TEST_F(GamePlayTest, timeLimitResetsTheRunSilentlyPastItsLastTickAndOnlyThen)
{
    // The limit in seconds, as the level file gives it. Past what a tick
    // count can hold a limit is never reached; taken modulo an int's range
    // it would be a negative limit, reached at the first tick, or one of 44
    // ticks.
    struct Row {
        const char* seconds;
        bool reached;
    } rows[] = {
        {"10", true},
        {"40000000", false},
        {"71582789", false},
    };
    const std::string levelFile = driver.folder + "/Resources/Levels/forever.txt";
    const std::string level = readFile(levelFile);
    const std::string limitLine = "GHOST_TIME 99999999\n";
    ASSERT_NE(level.find(limitLine), std::string::npos) << level;
    for (const Row& row : rows) {
        std::string changed = level;
        changed.replace(changed.find(limitLine), limitLine.size(), std::string("GHOST_TIME ") + row.seconds + "\n");
        writeFile(levelFile, changed);

        // The limit is set by the level's start and again by every reset.
        driver.startLevel(foreverLevel);
        driver.tick(50);
        EXPECT_EQ(game.frameTimer->getTotal(), 50) << row.seconds << " s: reached after the start";
        driver.press(ALLEGRO_KEY_BACKSPACE);
        driver.tick();
        // The reset tick counts nothing; then 600 ticks count down to 0.00.
        driver.tick(600);
        EXPECT_EQ(game.frameTimer->getTotal(), 600) << row.seconds << " s: reached after a reset";
        if (row.reached) {
            EXPECT_EQ(game.frameTimer->getTotalText(), "0.00");
        }
        driver.hold(ALLEGRO_KEY_DOWN);
        driver.soundsPlayed();
        driver.tick();
        driver.release(ALLEGRO_KEY_DOWN);
        EXPECT_EQ(game.frameTimer->getTotal(), row.reached ? 0 : 601) << row.seconds << " s";
        if (row.reached) {
            EXPECT_EQ(game.frameTimer->getTotalText(), "10.00");
            EXPECT_TRUE(driver.soundsPlayed().empty());
            EXPECT_FLOAT_EQ(player().y, startY + speed) << "the reset tick moves from the start";
        }
        EXPECT_EQ(game.ghostRecorder->frames.size(), row.reached ? 1u : 602u) << row.seconds << " s";
        driver.press(ALLEGRO_KEY_ESCAPE);
        driver.tick();
    }
}

TEST_F(GamePlayTest, winStoresTheTimeOnTheFirstWonTickAndReturnsAfterTheDelay)
{
    walkToTheGoal();
    ASSERT_EQ(game.tileMap->getState(), TileMap::Won);
    const std::string listFile = driver.folder + "/Resources/Levels/LevelList.txt";
    EXPECT_EQ(readFile(listFile).find("Walk 1800 1200 600 1"), std::string::npos) << "stored before the win showed";

    driver.soundsPlayed();
    driver.tick();
    EXPECT_EQ(driver.soundsPlayed(), (std::vector<std::string>{"win"}));
    EXPECT_NE(readFile(listFile).find("Resources/Levels/walk.txt Walk 1800 1200 600 1 67\n"), std::string::npos)
        << readFile(listFile);
    EXPECT_TRUE(game.levelList->isDone(walkLevel));

    // 180 ticks in all show the win; the timer stands meanwhile.
    driver.tick(179);
    EXPECT_TRUE(game.inGame);
    EXPECT_EQ(game.frameTimer->getTotal(), 67);
    driver.tick();
    EXPECT_FALSE(game.inGame);
    EXPECT_EQ(game.screen, Screen::SelectMap);
    EXPECT_EQ(game.tileMap->getState(), TileMap::Playing);
}

TEST_F(GamePlayTest, enterDuringTheWinLeavesToTheMapSelection)
{
    walkToTheGoal();
    driver.tick(5);
    driver.press(ALLEGRO_KEY_ENTER);
    driver.tick();
    EXPECT_FALSE(game.inGame);
    EXPECT_FALSE(game.ghostMode);
    EXPECT_EQ(game.screen, Screen::SelectMap);
    EXPECT_EQ(game.winCountdown, 180);
}

TEST_F(GamePlayTest, ghostRetracesTheRecordedRunTickForTick)
{
    driver.startLevel(doorLevel);
    // A run that walks down onto the switch (below the start) and on to the
    // right, with a pause in between.
    const int heldKeys[][2] = {{ALLEGRO_KEY_DOWN, 16}, {0, 5}, {ALLEGRO_KEY_RIGHT, 20}, {ALLEGRO_KEY_UP, 10}};
    std::vector<Rect> recorded;
    for (const auto& stretch : heldKeys) {
        if (stretch[0] != 0)
            driver.hold(stretch[0]);
        for (int i = 0; i < stretch[1]; i++) {
            driver.tick();
            recorded.push_back(player());
        }
        if (stretch[0] != 0)
            driver.release(stretch[0]);
    }
    const int runTicks = game.frameTimer->getTotal();

    // Enter: the ghost replays while the player moves freely (left here).
    driver.soundsPlayed();
    driver.hold(ALLEGRO_KEY_LEFT);
    driver.press(ALLEGRO_KEY_ENTER);
    for (size_t i = 0; i < recorded.size(); i++) {
        driver.tick();
        ASSERT_FLOAT_EQ(ghost().x, recorded[i].x) << "tick " << i;
        ASSERT_FLOAT_EQ(ghost().y, recorded[i].y) << "tick " << i;
    }
    EXPECT_EQ(driver.soundsPlayed(), (std::vector<std::string>{"ghost"}));
    EXPECT_TRUE(game.ghostMode);
    // The player walked left freely until the wall stopped it.
    EXPECT_FLOAT_EQ(player().x, startX - 2 * speed);
    EXPECT_EQ(game.frameTimer->getFrames(), runTicks) << "the recorded run's time changed";
    EXPECT_EQ(game.ghostRecorder->frames.size(), recorded.size()) << "recorded during the ghost run";
}

TEST_F(GamePlayTest, ghostHoldsTheSwitchWhileThePlayerPassesAndTheWinCountsBothRuns)
{
    driver.startLevel(doorLevel);
    // The switch's top edge (96) meets the player's bottom edge after 14 ticks.
    driver.holdFor(ALLEGRO_KEY_DOWN, 14);
    ASSERT_TRUE(game.tileMap->switchTiles[0]->pressed);

    // Without the ghost the door stops the player.
    driver.press(ALLEGRO_KEY_BACKSPACE);
    driver.hold(ALLEGRO_KEY_RIGHT);
    driver.tick(80);
    EXPECT_EQ(game.tileMap->getState(), TileMap::Playing) << "passed a closed door";
    driver.release(ALLEGRO_KEY_RIGHT);

    // Record again, then let the ghost stand on the switch.
    driver.press(ALLEGRO_KEY_BACKSPACE);
    driver.holdFor(ALLEGRO_KEY_DOWN, 14);
    const int recordedTicks = game.frameTimer->getFrames();
    driver.press(ALLEGRO_KEY_ENTER);
    driver.hold(ALLEGRO_KEY_RIGHT);
    int ghostTicks = 0;
    while (game.tileMap->getState() != TileMap::Won && ghostTicks < 200) {
        driver.tick();
        ghostTicks++;
    }
    ASSERT_EQ(game.tileMap->getState(), TileMap::Won);
    driver.release(ALLEGRO_KEY_RIGHT);
    driver.tick();
    // The Enter tick counts nothing; every later ghost tick counts.
    EXPECT_EQ(game.frameTimer->getTotal(), recordedTicks + ghostTicks - 1);
    EXPECT_EQ(game.levelList->maps[doorLevel - 1]->bestTime, recordedTicks + ghostTicks - 1);
}

TEST_F(GamePlayTest, ghostRunEndsInTheGhostRunAgainOrANewRun)
{
    // Each row records five ticks walking down and five standing, starts the
    // ghost run, walks the player right and ends the ghost run in its own way
    // in a tick with no key held; one more tick follows, so that the two
    // clocks differ.
    // Death, a time-out and Enter run the ghost again: the record kept and
    // replayed from its start, the ghost clock from 0, the recorded run's
    // time kept. Backspace starts a new run without the ghost.
    const struct Row {
        const char* what;
        int level;
        std::function<void()> end;
        bool ghostRun;
        // The play screen's clocks after the tick that follows the end.
        const char* time;
        const char* ghostTime;
    } rows[] = {
        {"death", deadlyLevel,
         [&] {
             // The deadly tile right of the start stops the 14th step.
             driver.holdFor(ALLEGRO_KEY_RIGHT, 14);
             ASSERT_EQ(game.tileMap->getState(), TileMap::Dead);
             driver.tick();
         },
         true, "0.18", "0.16"},
        // Ten seconds: the 591st tick of the ghost run makes 601 in all.
        {"time-out", limitLevel,
         [&] {
             driver.holdFor(ALLEGRO_KEY_RIGHT, 5);
             driver.tick(585);
             ASSERT_EQ(game.frameTimer->pausedFrames, 590);
             driver.tick();
         },
         true, "9.81", "9.83"},
        // Past the record's end, which the replay of the run again forgets.
        {"Enter", walkLevel,
         [&] {
             driver.holdFor(ALLEGRO_KEY_RIGHT, 12);
             driver.press(ALLEGRO_KEY_ENTER);
             driver.tick();
         },
         true, "0.18", "0.16"},
        {"Backspace", walkLevel,
         [&] {
             driver.holdFor(ALLEGRO_KEY_RIGHT, 12);
             driver.press(ALLEGRO_KEY_BACKSPACE);
             driver.tick();
         },
         false, "0.01", nullptr},
    };
    for (const Row& row : rows) {
        driver.startLevel(row.level);
        driver.holdFor(ALLEGRO_KEY_DOWN, 5);
        driver.tick(5);
        const std::vector<std::string> record = game.ghostRecorder->frames;
        ASSERT_EQ(record, (std::vector<std::string>{"2", "2", "2", "2", "2", "", "", "", "", ""}));
        driver.press(ALLEGRO_KEY_ENTER);
        driver.tick();
        row.end();
        driver.tick();

        EXPECT_EQ(game.ghostMode, row.ghostRun) << row.what;
        EXPECT_TRUE(game.tileMap->objects["PLAYER"]->active) << row.what;
        EXPECT_EQ(game.tileMap->objects["GHOST"]->active, row.ghostRun) << row.what;
        EXPECT_EQ(player(), Rect(startX, startY, 16, 16)) << row.what;
        EXPECT_EQ(game.ghostRecorder->recording, !row.ghostRun) << row.what;
        if (row.ghostRun) {
            EXPECT_EQ(game.ghostRecorder->frames, record) << row.what;
            EXPECT_EQ(ghost(), Rect(startX, startY + 2 * speed, 16, 16)) << row.what << ": replayed from its start";
        } else {
            EXPECT_EQ(game.ghostRecorder->frames, std::vector<std::string>(2, "")) << row.what;
        }
        const std::vector<std::string> texts = DisplaySpy::frameTexts();
        auto drawn = [&](const std::string& text) { return std::count(texts.begin(), texts.end(), text) == 2; };
        EXPECT_TRUE(drawn(std::string("Time: ") + row.time)) << row.what << ": " << ::testing::PrintToString(texts);
        if (row.ghostTime != nullptr) {
            EXPECT_TRUE(drawn(std::string("Ghost Time: ") + row.ghostTime))
                << row.what << ": " << ::testing::PrintToString(texts);
        } else {
            EXPECT_EQ(texts.size(), 2u) << row.what << ": " << ::testing::PrintToString(texts);
        }
        driver.press(ALLEGRO_KEY_ESCAPE);
        driver.tick();
    }
}

TEST_F(GamePlayTest, levelLeftThroughThePauseMenuIsTornDownAtTheNextStart)
{
    // A dark level, so that its darkness picture is among what is released.
    driver.startLevel(darkLevel);
    EXPECT_TRUE(game.tileMap->lightOn);
    driver.holdFor(ALLEGRO_KEY_DOWN, 10);
    driver.press(ALLEGRO_KEY_ESCAPE);
    driver.tick();
    driver.press(ALLEGRO_KEY_BACKSPACE);
    driver.tick();
    ::testing::internal::CaptureStdout();
    driver.startLevel(darkLevel);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("BLACK destroyed\n"), std::string::npos) << out;
    EXPECT_NE(out.find("GHOST destroyed\nPLAYER destroyed\n"), std::string::npos) << out;
    EXPECT_TRUE(game.inGame);
}
