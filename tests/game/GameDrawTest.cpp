#include "DisplaySpy.hpp"
#include "GameDriver.hpp"
#include "LevelList.hpp"
#include "Screen.hpp"
#include "TileMap.hpp"

#include <allegro5/allegro.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// The test tree's pictures are one colour each, so a pixel of the window
// tells which picture (or which text) the game drew there.
const Rgba mainMenuBackground = {0, 0, 160, 255};   // main_menu.jpg
const Rgba menuBackground = {0, 120, 0, 255};       // menu.jpg
const Rgba tutorialBackground = {160, 0, 160, 255}; // tutorial.jpg
const Rgba mapPanel = {40, 40, 40, 255};            // select_map.png
const Rgba soundsOff = {80, 0, 0, 255};             // sounds0.png
const Rgba soundsOn = {0, 80, 0, 255};              // sounds1.png
const Rgba noStar = {50, 50, 50, 255};
const Rgba oneStar = {100, 100, 0, 255};
const Rgba twoStars = {150, 150, 0, 255};
const Rgba threeStars = {200, 200, 0, 255};
const Rgba floorTile = {30, 30, 30, 255};
const Rgba wallTile = {120, 120, 120, 255};
const Rgba goalTile = {0, 200, 0, 255};
const Rgba player = {255, 255, 255, 255};
const Rgba arrowUp = {255, 255, 0, 255};
const Rgba arrowDown = {0, 255, 255, 255};
const Rgba arrowLeft = {255, 0, 255, 255};
const Rgba arrowRight = {255, 128, 0, 255};
// The texts: white, the ghost clock light grey, every shadow dark grey.
const Rgba white = {255, 255, 255, 255};
const Rgba ghostTimeGrey = {200, 200, 200, 255};
const Rgba shadow = {23, 23, 23, 255};
// The floor under the standing ghost (ghost.png, green, tinted to alpha 80)
// and its first trail copy (white, alpha 80), each layer blended as
// source * alpha + destination * (1 - alpha). Allegro's default blender,
// which adds the source unscaled, would show white here.
const Rgba ghostOverFloor = {94, 149, 94, 255};

// The buttons' pictures: the tree colours button i of its list (select,
// tutorial, exit, main, resume, play, back, left, right, reset) red with
// 10 i of green, dark when normal and light when hovered.
enum Button { Select, Tutorial, Exit, Main, Resume, Play, Back, Left, Right, Reset };
Rgba normal(Button i) { return {120, static_cast<unsigned char>(10 * i), 0, 255}; }
Rgba hovered(Button i) { return {250, static_cast<unsigned char>(10 * i), 0, 255}; }

// Pictures and text are drawn exactly (flat colours scaled without
// filtering, points chosen inside glyphs and shadows); the JPEG backgrounds
// come back a unit or so off their colour, and the renderer rounds a blend
// in 8 bits its own way.
const int exact = 0;
const int jpeg = 2;
const int blend = 2;

// A pixel of the 956 x 538 window. The menus' 2560 x 1440 virtual screen
// shows at 956/2560 of its size; the test tree's levels (320 x 160 units)
// fill the window at about three pixels a unit.
struct Probe {
    const char* what;
    int x, y;
    Rgba colour;
    int tolerance;
};

const int anyCursor = -1;

// One screen as the game shows it: show() leads the game there from the
// frame before (real input, real ticks) and lets it draw; the probes are
// read from that frame's back buffer, the cursor is the last one set.
struct Frame {
    const char* screen;
    std::function<void()> show;
    int cursor;
    std::vector<Probe> probes;
};

::testing::AssertionResult near(const Rgba& got, const Rgba& want, int tolerance)
{
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << got << ", want " << want << " within " << tolerance;
}

class GameDrawTest : public ::testing::Test {
protected:
    void expectFrames(const std::vector<Frame>& frames)
    {
        for (const Frame& frame : frames) {
            const int drawn = DisplaySpy::frameCount();
            frame.show();
            ASSERT_GT(DisplaySpy::frameCount(), drawn) << frame.screen << ": no frame drawn";
            for (const Probe& p : frame.probes) {
                EXPECT_TRUE(near(DisplaySpy::framePixel(p.x, p.y), p.colour, p.tolerance))
                    << frame.screen << ", " << p.what << " at (" << p.x << ", " << p.y << ")";
            }
            if (frame.cursor != anyCursor) {
                EXPECT_EQ(DisplaySpy::lastCursor(), frame.cursor) << frame.screen << ": the mouse cursor";
            }
        }
    }

    GameDriver driver;
    Game& game = driver.game;
};

} // namespace

TEST_F(GameDrawTest, menuScreens)
{
    const int link = ALLEGRO_SYSTEM_MOUSE_CURSOR_LINK;
    const int arrow = ALLEGRO_SYSTEM_MOUSE_CURSOR_DEFAULT;
    // Level 1's "DONE 25.00": a point inside a letter, and one beside a
    // letter where only the shadow (8 units down and right) lies.
    const Probe doneLine[] = {
        {"the DONE line", 452, 108, white, exact},
        {"the DONE line's shadow", 399, 110, shadow, exact},
    };
    auto stars = [](Rgba colour) { return Probe{"the stars", 478, 422, colour, exact}; };
    auto pressRight = [&] {
        driver.press(ALLEGRO_KEY_RIGHT);
        driver.tick();
    };

    expectFrames({
        {"main menu, mouse over select",
         [&] {
             driver.moveMouse(1280, 720);
             driver.tick();
         },
         link,
         {{"background", 100, 100, mainMenuBackground, jpeg},
          {"select button", 478, 269, hovered(Select), exact},
          {"tutorial button", 478, 343, normal(Tutorial), exact},
          {"exit button", 478, 418, normal(Exit), exact},
          {"sounds button, sounds on", 928, 510, soundsOn, exact}}},
        // The click's tick puts the default cursor back; the next tick finds
        // the mouse over the button again.
        {"main menu, sounds switched off, mouse over the sounds button",
         [&] {
             driver.click(2485, 1365);
             driver.tick(2);
         },
         link,
         {{"sounds button, sounds off", 928, 510, soundsOff, exact},
          {"select button", 478, 269, normal(Select), exact}}},
        {"map selection, level 1 done with one star",
         [&] {
             // Every level's stars take under 1800, 1200 and 600 ticks.
             game.levelList->completeLevel(1, 1500);
             game.levelList->completeLevel(2, 1000);
             game.levelList->completeLevel(3, 500);
             game.levelList->completeLevel(4, 1900);
             driver.moveMouse(1800, 200);
             driver.press(ALLEGRO_KEY_ENTER);
             driver.tick();
         },
         arrow,
         {{"background", 100, 500, menuBackground, jpeg},
          {"map panel", 190, 110, mapPanel, exact},
          {"preview, wall", 230, 150, wallTile, exact},
          {"preview, floor", 300, 300, floorTile, exact},
          {"preview, goal", 667, 213, goalTile, exact},
          {"play button", 478, 481, normal(Play), exact},
          {"back button", 22, 22, normal(Back), exact},
          {"left button", 112, 269, normal(Left), exact},
          {"right button", 844, 269, normal(Right), exact},
          {"reset button", 881, 19, normal(Reset), exact},
          {"sounds button, sounds off", 928, 510, soundsOff, exact},
          // In the l of "Walk", and beside it in its shadow.
          {"the level's name", 509, 33, white, exact},
          {"the level's name's shadow", 514, 57, shadow, exact},
          doneLine[0], doneLine[1], stars(oneStar)}},
        {"map selection, level 2 done with two stars", pressRight, arrow, {stars(twoStars)}},
        {"map selection, level 3 done with three stars", pressRight, arrow, {stars(threeStars)}},
        // "DONE 31.67" lies where "DONE 25.00" did: the font's digits are
        // all of one width.
        {"map selection, level 4 done too slowly for a star", pressRight, arrow, {stars(noStar), doneLine[0]}},
        {"map selection, level 5 not done",
         pressRight,
         arrow,
         {stars(noStar), {"no DONE line: the map panel", 452, 108, mapPanel, exact}}},
        // The mouse moves onto resume after the pause.
        {"pause menu of level 1, mouse over resume",
         [&] {
             driver.startLevel(1);
             driver.press(ALLEGRO_KEY_ESCAPE);
             driver.tick();
             driver.moveMouse(1280, 520);
             driver.tick();
         },
         link,
         {{"background", 100, 500, menuBackground, jpeg},
          {"resume button", 478, 194, hovered(Resume), exact},
          {"select button", 478, 269, normal(Select), exact},
          {"tutorial button", 478, 343, normal(Tutorial), exact},
          {"main menu button", 478, 418, normal(Main), exact},
          {"sounds button, sounds off", 928, 510, soundsOff, exact},
          // The l of "Walk" 50 units lower than on the map selection: its top
          // and foot, its shadow, and nothing just above it.
          {"the level's name, top", 509, 51, white, exact},
          {"the level's name, foot", 509, 97, white, exact},
          {"the level's name's shadow", 514, 75, shadow, exact},
          {"background above the level's name", 509, 46, menuBackground, jpeg}}},
        {"tutorial opened from the pause menu",
         [&] {
             driver.click(1280, 920);
             driver.tick();
         },
         arrow,
         {{"background", 100, 500, tutorialBackground, jpeg},
          {"back button", 22, 22, normal(Back), exact},
          {"sounds button, sounds off", 928, 510, soundsOff, exact}}},
    });
}

TEST_F(GameDrawTest, playScreen)
{
    // "Time: " and "Ghost Time: ": a point in the bar of the T and one in
    // the G, and the shadows beside them (7 and 5 units down and right).
    const Probe time[] = {
        {"Time", 17, 15, white, exact},
        {"Time's shadow", 27, 18, shadow, exact},
    };
    const Probe ghostTime[] = {
        {"Ghost Time", 8, 55, ghostTimeGrey, exact},
        {"Ghost Time's shadow", 63, 73, shadow, exact},
    };
    const Probe youWon[] = {
        {"YOU WON!", 444, 294, white, exact},
        {"YOU WON!'s shadow", 486, 253, shadow, exact},
    };
    // A run for the ghost: down, right, up, left, each held for some ticks.
    const int legs[][2] = {{ALLEGRO_KEY_DOWN, 8}, {ALLEGRO_KEY_RIGHT, 8}, {ALLEGRO_KEY_UP, 4}, {ALLEGRO_KEY_LEFT, 4}};
    auto replayLeg = [&](int leg) { driver.tick(legs[leg][1]); };

    expectFrames({
        {"walk level, third tick",
         [&] {
             driver.startLevel(1);
             driver.tick(3);
         },
         anyCursor,
         {{"wall", 50, 480, wallTile, exact},
          {"floor", 500, 300, floorTile, exact},
          {"goal", 810, 160, goalTile, exact},
          {"player", 143, 161, player, exact},
          time[0], time[1],
          {"no YOU WON!: floor", youWon[0].x, youWon[0].y, floorTile, exact},
          {"no Ghost Time: wall", ghostTime[0].x, ghostTime[0].y, wallTile, exact}}},
        // The recorded run stood still; the player steps right in the Enter
        // tick and uncovers the ghost's left edge.
        {"first tick of a ghost run, the ghost standing",
         [&] {
             driver.hold(ALLEGRO_KEY_RIGHT);
             driver.press(ALLEGRO_KEY_ENTER);
             driver.tick();
             driver.release(ALLEGRO_KEY_RIGHT);
         },
         anyCursor,
         {{"ghost's left edge with its trail", 124, 161, ghostOverFloor, blend},
          {"player", 150, 161, player, exact},
          time[0], time[1], ghostTime[0], ghostTime[1]}},
        // The arrows of the ghost's last replayed tick cover its rectangle.
        {"ghost replaying the run's last step down",
         [&] {
             driver.press(ALLEGRO_KEY_BACKSPACE);
             for (const auto& leg : legs) {
                 driver.holdFor(leg[0], leg[1]);
             }
             driver.press(ALLEGRO_KEY_ENTER);
             replayLeg(0);
         },
         anyCursor,
         {{"down arrow on the ghost", 143, 242, arrowDown, exact}}},
        {"ghost replaying the run's last step right", [&] { replayLeg(1); }, anyCursor,
         {{"right arrow on the ghost", 215, 242, arrowRight, exact}}},
        {"ghost replaying the run's last step up", [&] { replayLeg(2); }, anyCursor,
         {{"up arrow on the ghost", 215, 202, arrowUp, exact}}},
        {"ghost replaying the run's last step left", [&] { replayLeg(3); }, anyCursor,
         {{"left arrow on the ghost", 179, 202, arrowLeft, exact}}},
        // The player's right edge meets the goal 67 ticks after the restart.
        {"walk level won",
         [&] {
             driver.press(ALLEGRO_KEY_BACKSPACE);
             driver.holdFor(ALLEGRO_KEY_RIGHT, 67);
         },
         anyCursor,
         {youWon[0], youWon[1], time[0], time[1],
          {"no Ghost Time: wall", ghostTime[0].x, ghostTime[0].y, wallTile, exact}}},
    });
}

namespace {

// A level larger than the view, which follows the player: 40 x 12 cells of
// 128 units, floor and blue tiles in a chequerboard, so that every place of
// the window tells where the view stands. The player (80 x 80) starts in the
// middle and moves 12.8 units a tick.
std::string followLevel()
{
    const std::string pictures = "Resources/Pictures/level/";
    std::string text = "[Info]\nTILE_SIZE 128 128\nPLAYER_SIZE 80 80\nPLAYER_POS 20 6\nPLAYER_SPEED 10\n"
                       "PLAYER_BMP " + pictures + "player.png\nGHOST_BMP " + pictures + "ghost.png\nCAMERA_FIX 1\n"
                       "[Types]\n. 0 0 0 0 " + pictures + "floor.png\n: 0 0 0 0 " + pictures + "switch0.png\n[Map]\n";
    for (int row = 0; row < 12; row++) {
        for (int column = 0; column < 40; column++)
            text += (row + column) % 2 == 0 ? ".0" : ":0";
        text += "\n";
    }
    return text;
}

// The window on a grid of points, but for the corner of the HUD's clocks
// and the middle, where the player stands in the following view and the
// ghost's trail fades from frame to frame.
std::vector<Rgba> frameGrid()
{
    std::vector<Rgba> grid;
    for (int y = 20; y < 538; y += 40) {
        for (int x = 20; x < 956; x += 40) {
            const bool clocks = x < 240 && y < 60;
            const bool middle = std::abs(x - 478) < 50 && std::abs(y - 269) < 50;
            if (!clocks && !middle)
                grid.push_back(DisplaySpy::framePixel(x, y));
        }
    }
    return grid;
}

} // namespace

// The frame drawn after a tick shows the state that tick leaves: its view
// and its lit buttons. Each row makes one change in a tick; with nothing
// moving after it, the next frame must look the same.
TEST(GameFirstFrame, showsWhatItsTickLeaves)
{
    const std::string dir = makeTempDir();
    const std::string follow = dir + "/follow.txt";
    writeFile(follow, followLevel());
    GameDriver driver("PATH__NAME__1STAR_TIME__2STARS_TIME__3STARS_TIME__DONE__TIME (FRAMES) <ignored line>\n"
                      "Resources/Levels/walk.txt Walk 1800 1200 600 0 0\n" + follow + " Follow 1800 1200 600 0 0\n");
    Game& game = driver.game;
    const int walkLevel = 1;
    const int followLevelNumber = 2;
    auto pressKey = [&](int key) {
        driver.press(key);
        driver.tick();
    };
    auto pause = [&] {
        driver.startLevel(walkLevel);
        pressKey(ALLEGRO_KEY_ESCAPE);
    };

    const struct {
        const char* what;
        // Leads there and makes the change in its last tick.
        std::function<void()> change;
    } rows[] = {
        {"a level started from the map selection", [&] { driver.startLevel(walkLevel); }},
        {"pause", [&] { pressKey(ALLEGRO_KEY_ESCAPE); }},
        {"resume", [&] { pressKey(ALLEGRO_KEY_ESCAPE); }},
        {"a won level left",
         [&] {
             driver.holdFor(ALLEGRO_KEY_RIGHT, 67);
             ASSERT_EQ(game.tileMap->getState(), TileMap::Won);
             pressKey(ALLEGRO_KEY_ESCAPE);
         }},
        {"a following level started", [&] { driver.startLevel(followLevelNumber); }},
        {"a restart in a following level",
         [&] {
             driver.holdFor(ALLEGRO_KEY_RIGHT, 10);
             pressKey(ALLEGRO_KEY_BACKSPACE);
         }},
        // The run stood still, so the ghost stands at the start; the player
        // walks off in the ghost run and comes back with the ghost's rerun.
        {"a ghost run started again in a following level",
         [&] {
             driver.tick(3);
             pressKey(ALLEGRO_KEY_ENTER);
             driver.holdFor(ALLEGRO_KEY_RIGHT, 10);
             pressKey(ALLEGRO_KEY_ENTER);
         }},
        // Clicking tutorial lights its button; back on the main menu the
        // mouse rests on no button.
        {"the main menu again after the tutorial",
         [&] {
             pressKey(ALLEGRO_KEY_ESCAPE);
             driver.click(1280, 1120);
             driver.tick();
             driver.click(1280, 920);
             driver.tick();
             driver.click(60, 60);
             driver.tick();
         }},
        {"the pause screen left by its select button",
         [&] {
             pause();
             driver.click(1280, 720);
             driver.tick();
         }},
        {"the pause screen left by its main menu button",
         [&] {
             pause();
             driver.click(1280, 1120);
             driver.tick();
         }},
        {"the pause screen left by Backspace",
         [&] {
             pause();
             driver.moveMouse(1800, 200);
             pressKey(ALLEGRO_KEY_BACKSPACE);
         }},
    };
    for (const auto& row : rows) {
        row.change();
        const std::vector<Rgba> first = frameGrid();
        driver.tick();
        const std::vector<Rgba> next = frameGrid();
        size_t differing = 0;
        for (size_t i = 0; i < first.size(); i++)
            differing += first[i] == next[i] ? 0 : 1;
        EXPECT_EQ(differing, 0u) << row.what << ": of " << first.size() << " points";
    }
    removeTree(dir);
}
