#include "AudioSpy.hpp"
#include "Camera.hpp"
#include "FrameTimer.hpp"
#include "GameDriver.hpp"
#include "GhostRecorder.hpp"
#include "LevelList.hpp"
#include "MenuLayout.hpp"
#include "Screen.hpp"
#include "TestSupport.hpp"
#include "TileMap.hpp"

#include <allegro5/allegro.h>

namespace {

// Places on the virtual screen: the middle of each button, and a place on none.
const Kest::tvec2<float> selectAt(1280, 720);
const Kest::tvec2<float> tutorialAt(1280, 920);
const Kest::tvec2<float> exitAt(1280, 1120);
const Kest::tvec2<float> mainAt(1280, 1120);
const Kest::tvec2<float> resumeAt(1280, 520);
const Kest::tvec2<float> playAt(1280, 1290);
const Kest::tvec2<float> backAt(60, 60);
const Kest::tvec2<float> leftAt(300, 720);
const Kest::tvec2<float> rightAt(2260, 720);
const Kest::tvec2<float> resetAt(2360, 50);
const Kest::tvec2<float> soundsAt(2485, 1365);
const Kest::tvec2<float> nowhere(1800, 200);

class GameMenuTest : public ::testing::Test {
protected:
    void click(Kest::tvec2<float> at) { driver.click(at.x, at.y); }
    void moveTo(Kest::tvec2<float> at) { driver.moveMouse(at.x, at.y); }
    GameDriver driver;
    Game& game = driver.game;
};

} // namespace

TEST_F(GameMenuTest, mainAndPauseMenu_transitions)
{
    struct Row {
        const char* what;
        Kest::tvec2<float> mouseAt;
        bool click;
        int key;
        int screen;
        int quit;
        int from = Screen::MainMenu;
        // Where the tutorial's back button will lead: 1 the pause menu, 0 the
        // main menu, -1 not looked at. The row starts from the other value.
        int returnsToPause = -1;
    } rows[] = {
        {"Enter", nowhere, false, ALLEGRO_KEY_ENTER, Screen::SelectMap, 0},
        {"click select", selectAt, true, 0, Screen::SelectMap, 0},
        {"click tutorial", tutorialAt, true, 0, Screen::Tutorial, 0, Screen::MainMenu, 0},
        {"click exit", exitAt, true, 0, Screen::MainMenu, 1},
        {"click nowhere", nowhere, true, 0, Screen::MainMenu, 0},
        {"Escape", nowhere, false, ALLEGRO_KEY_ESCAPE, Screen::MainMenu, 1},
        // Both in one tick: both act.
        {"click select and Escape", selectAt, true, ALLEGRO_KEY_ESCAPE, Screen::SelectMap, 1},
        // On the pause menu hovering a button decides, and Escape back to
        // play forgets it.
        {"pause: over select", selectAt, false, 0, Screen::Pause, 0, Screen::Pause, 0},
        {"pause: over tutorial", tutorialAt, false, 0, Screen::Pause, 0, Screen::Pause, 1},
        {"pause: over main", mainAt, false, 0, Screen::Pause, 0, Screen::Pause, 0},
        {"pause: Escape over tutorial", tutorialAt, false, ALLEGRO_KEY_ESCAPE, Screen::Pause, 0, Screen::Pause, 0},
    };
    for (const Row& row : rows) {
        game.screen = row.from;
        game.quit = 0;
        game.inGame = false;
        game.tutorialReturnsToPause = row.returnsToPause != 1;
        if (row.click)
            click(row.mouseAt);
        else
            moveTo(row.mouseAt);
        if (row.key != 0)
            driver.press(row.key);
        driver.tick();
        EXPECT_EQ(game.screen, row.screen) << row.what;
        EXPECT_EQ(game.quit, row.quit) << row.what;
        if (row.returnsToPause != -1) {
            EXPECT_EQ(game.tutorialReturnsToPause, row.returnsToPause == 1) << row.what;
        }
    }
}

TEST_F(GameMenuTest, mapSelection_keysWinOverTheClickAndTheChoiceStopsAtBothEnds)
{
    game.screen = Screen::SelectMap;
    const int count = game.levelList->getCount();
    ASSERT_GE(count, 3);

    // Right and a click on the left arrow in one tick: only Right acts.
    click(leftAt);
    driver.press(ALLEGRO_KEY_RIGHT);
    driver.tick();
    EXPECT_EQ(game.selectedLevel, 2);

    driver.press(ALLEGRO_KEY_LEFT);
    driver.tick();
    driver.press(ALLEGRO_KEY_LEFT);
    driver.tick();
    EXPECT_EQ(game.selectedLevel, 1) << "went below the first level";

    for (int i = 0; i < count + 2; i++) {
        click(rightAt);
        driver.tick();
    }
    EXPECT_EQ(game.selectedLevel, count) << "went past the last level";
    click(leftAt);
    driver.tick();
    EXPECT_EQ(game.selectedLevel, count - 1);

    click(backAt);
    driver.tick();
    EXPECT_EQ(game.screen, Screen::MainMenu);
    game.screen = Screen::SelectMap;
    driver.press(ALLEGRO_KEY_ESCAPE);
    driver.tick();
    EXPECT_EQ(game.screen, Screen::MainMenu);
}

TEST_F(GameMenuTest, mapSelection_startsTheChosenLevelAfresh)
{
    const Rect playerStart(40, 40, 16, 16);
    const Rect noObject;
    auto expectAfresh = [&](const char* when) {
        ASSERT_TRUE(game.inGame) << when;
        EXPECT_EQ(game.levelList->currentIndex, 3) << when;
        EXPECT_EQ(*game.tileMap->getPlayer(), playerStart) << when << ": the player was not activated at its start";
        EXPECT_EQ(*game.tileMap->getGhost(), noObject) << when << ": the ghost is shown";
        EXPECT_EQ(game.tileMap->getState(), TileMap::Playing) << when;
        EXPECT_FALSE(game.ghostMode) << when;
        EXPECT_TRUE(game.ghostRecorder->recording) << when;
        EXPECT_TRUE(game.ghostRecorder->frames.empty()) << when;
        EXPECT_EQ(game.frameTimer->getTotal(), 0) << when;
        EXPECT_TRUE(game.frameTimer->running) << when;
        EXPECT_TRUE(game.frameTimer->countdown) << when;
        EXPECT_EQ(game.frameTimer->limit, 600) << when;
    };

    game.screen = Screen::SelectMap;
    game.selectedLevel = 4;  // the level with a time limit of 10 s
    click(playAt);
    driver.tick();
    expectAfresh("first start");

    // A run that changed everything a start resets: moved, timed, recorded,
    // then turned into a ghost run that is under way.
    driver.holdFor(ALLEGRO_KEY_DOWN, 10);
    driver.press(ALLEGRO_KEY_ENTER);
    driver.holdFor(ALLEGRO_KEY_RIGHT, 5);
    ASSERT_TRUE(game.ghostMode);
    ASSERT_NE(game.tileMap->getPlayer()->x, playerStart.x);
    ASSERT_NE(game.tileMap->getGhost()->y, playerStart.y);
    ASSERT_EQ(game.frameTimer->getTotal(), 14);

    // Out through the pause screen to the map selection, and the same level
    // started again.
    driver.press(ALLEGRO_KEY_ESCAPE);
    driver.tick();
    click(selectAt);
    driver.tick();
    ASSERT_EQ(game.screen, Screen::SelectMap);
    ASSERT_EQ(game.selectedLevel, 4);
    click(playAt);
    driver.tick();
    expectAfresh("second start");
}

TEST_F(GameMenuTest, tutorialReturnsToWhereItWasOpened)
{
    click(tutorialAt);
    driver.tick();
    ASSERT_EQ(game.screen, Screen::Tutorial);
    click(backAt);
    driver.tick();
    EXPECT_EQ(game.screen, Screen::MainMenu);

    driver.startLevel(1);
    ASSERT_TRUE(game.inGame);
    driver.press(ALLEGRO_KEY_ESCAPE);
    driver.tick();
    ASSERT_FALSE(game.inGame);
    ASSERT_EQ(game.screen, Screen::Pause);
    click(tutorialAt);
    driver.tick();
    ASSERT_EQ(game.screen, Screen::Tutorial);

    // Escape acts as a click: over nothing it only clicks.
    moveTo(nowhere);
    driver.tick();
    driver.soundsPlayed();
    driver.press(ALLEGRO_KEY_ESCAPE);
    driver.tick();
    EXPECT_EQ(game.screen, Screen::Tutorial);
    EXPECT_EQ(driver.soundsPlayed(), (std::vector<std::string>{"click"}));

    moveTo(backAt);
    driver.press(ALLEGRO_KEY_ESCAPE);
    driver.tick();
    EXPECT_EQ(game.screen, Screen::Pause);
}

TEST_F(GameMenuTest, pauseMenu_resumeKeepsTheRunAndLeavingClearsTheBounds)
{
    driver.startLevel(1);
    driver.holdFor(ALLEGRO_KEY_RIGHT, 10);
    // Over no button, whose hover would set where the tutorial returns to.
    moveTo(nowhere);
    driver.press(ALLEGRO_KEY_ESCAPE);
    driver.tick();
    ASSERT_EQ(game.screen, Screen::Pause);
    EXPECT_TRUE(game.tutorialReturnsToPause);
    const int total = game.frameTimer->getTotal();
    const Rect player = *game.tileMap->getPlayer();
    const size_t recorded = game.ghostRecorder->frames.size();

    driver.tick(5);
    click(resumeAt);
    driver.tick();
    ASSERT_TRUE(game.inGame);
    EXPECT_EQ(game.frameTimer->getTotal(), total);
    EXPECT_FLOAT_EQ(game.tileMap->getPlayer()->x, player.x);
    EXPECT_EQ(game.ghostRecorder->frames.size(), recorded);

    // The ways out of the pause screen to a screen without the level. The
    // level's bounds hold the small map in the middle of the view, so while
    // they are set the menus' view is pushed to (-1120, -640); the frame
    // drawn after the tick that leaves must already show the whole virtual
    // screen.
    struct Row {
        const char* what;
        Kest::tvec2<float> clickAt;
        int key;
        int screen;
    } rows[] = {
        {"click select", selectAt, 0, Screen::SelectMap},
        {"click main", mainAt, 0, Screen::MainMenu},
        {"Backspace", nowhere, ALLEGRO_KEY_BACKSPACE, Screen::SelectMap},
    };
    for (const Row& row : rows) {
        driver.startLevel(1);
        driver.tick();
        driver.press(ALLEGRO_KEY_ESCAPE);
        driver.tick(2);
        ASSERT_EQ(game.screen, Screen::Pause) << row.what;
        ASSERT_FLOAT_EQ(game.camera->getView().x, -1120) << row.what << ": the level's bounds are not what this expects";

        if (row.key != 0)
            driver.press(row.key);
        else
            click(row.clickAt);
        driver.tick();
        EXPECT_EQ(game.screen, row.screen) << row.what;
        EXPECT_EQ(game.camera->getView(), Rect(0, 0, 2560, 1440)) << row.what;
        game.camera->setView(Rect(-500, -500, 2560, 1440));
        EXPECT_FLOAT_EQ(game.camera->getView().x, -500) << row.what << ": bounds still set";
    }
}

TEST_F(GameMenuTest, soundsToggleReachesTheMusicAtTheNextTick)
{
    driver.tick();
    ASSERT_TRUE(driver.songPlaying("menu"));
    click(soundsAt);
    driver.tick();
    EXPECT_FALSE(game.soundsOn);
    EXPECT_TRUE(driver.songPlaying("menu")) << "stopped in the tick of the click";
    driver.tick();
    EXPECT_FALSE(driver.songPlaying("menu"));

    click(soundsAt);
    driver.tick();
    EXPECT_TRUE(game.soundsOn);
    EXPECT_FALSE(driver.songPlaying("menu"));
    driver.tick();
    EXPECT_TRUE(driver.songPlaying("menu"));
    EXPECT_FALSE(driver.songPlaying("ingame"));
}

TEST_F(GameMenuTest, hoverPlaysSelectOncePerNewHover)
{
    moveTo(nowhere);
    driver.tick();
    driver.soundsPlayed();

    moveTo(selectAt);
    driver.tick(3);
    moveTo(tutorialAt);
    driver.tick();
    moveTo(exitAt);
    driver.tick(2);
    EXPECT_EQ(driver.soundsPlayed(), (std::vector<std::string>{"select", "select", "select"}));
    EXPECT_TRUE(game.menuLayout->exitHovered);
    EXPECT_FALSE(game.menuLayout->selectHovered || game.menuLayout->tutorialHovered);

    // With sounds off the flags still change, silently.
    game.soundsOn = false;
    driver.soundsPlayed();
    moveTo(tutorialAt);
    driver.tick();
    EXPECT_TRUE(game.menuLayout->tutorialHovered);
    EXPECT_TRUE(driver.soundsPlayed().empty());
}

TEST_F(GameMenuTest, resetButtonClearsEveryLevelsProgressInTheFile)
{
    game.levelList->completeLevel(1, 950.0f);
    game.screen = Screen::SelectMap;
    click(resetAt);
    driver.tick();
    EXPECT_FALSE(game.levelList->isDone(1));
    const std::string list = readFile(driver.folder + "/Resources/Levels/LevelList.txt");
    EXPECT_EQ(list.find(" 1 950"), std::string::npos) << list;
}

TEST(GameMenuEmptyList, mapSelectionShowsNothingAndStartsNothing)
{
    GameDriver driver("PATH__NAME__1STAR_TIME__2STARS_TIME__3STARS_TIME__DONE__TIME (FRAMES) <ignored line>\n");
    Game& game = driver.game;
    ASSERT_EQ(game.levelList->getCount(), 0);
    game.screen = Screen::SelectMap;
    for (int key : {ALLEGRO_KEY_RIGHT, ALLEGRO_KEY_ENTER, ALLEGRO_KEY_LEFT}) {
        driver.press(key);
        driver.tick(2);
        EXPECT_EQ(game.selectedLevel, 1);
        EXPECT_FALSE(game.inGame);
    }
    driver.click(1280, 1290);  // play
    driver.tick(2);
    EXPECT_FALSE(game.inGame);
    EXPECT_EQ(game.selectedLevel, 1);
}
