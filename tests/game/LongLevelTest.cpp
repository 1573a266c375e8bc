// A level longer than the largest texture the display takes (16384 pixels
// under Xvfb's software GL): its group batches become memory bitmaps, and the
// real game loads it, plays it and draws it like any other.

#include "Bitmap.hpp"
#include "Camera.hpp"
#include "Display.hpp"
#include "GameDriver.hpp"
#include "MapObject.hpp"
#include "Resources.hpp"
#include "TestSupport.hpp"
#include "TileMap.hpp"

#include <allegro5/allegro.h>

namespace {

// A corridor of 150 x 12 cells of 128 units (19200 x 1536) with the view
// following the player: walls round it, floor inside, the goal at the far end
// of the player's row. The player starts centred in cell (1, 6) and moves a
// tile a tick ((128 + 128) / 200 x 100).
std::string corridor()
{
    const std::string pictures = "Resources/Pictures/level/";
    std::string text = "[Info]\nTILE_SIZE 128 128\nPLAYER_SIZE 80 80\nPLAYER_POS 2 7\nPLAYER_SPEED 100\n"
                       "PLAYER_BMP " + pictures + "player.png\nGHOST_BMP " + pictures + "ghost.png\nCAMERA_FIX 1\n"
                       "[Types]\n. 0 0 0 0 " + pictures + "floor.png\n# 1 0 1 0 " + pictures + "wall.png " +
                       pictures + "wall.png\nG 1 1 0 0 " + pictures + "goal.png " + pictures + "goal.png\n[Map]\n";
    for (int row = 0; row < 12; row++) {
        for (int column = 0; column < 150; column++) {
            const bool wall = row == 0 || row == 11 || column == 0 || column == 149;
            text += wall ? "#0" : row == 6 && column == 148 ? "G0" : ".0";
        }
        text += "\n";
    }
    return text;
}

} // namespace

TEST(LongLevel, corridorWiderThanTheLargestTextureLoadsPlaysAndDraws)
{
    const std::string dir = makeTempDir();
    const std::string path = dir + "/corridor.txt";
    writeFile(path, corridor());
    GameDriver driver("PATH__NAME__1STAR_TIME__2STARS_TIME__3STARS_TIME__DONE__TIME (FRAMES) <ignored line>\n" + path +
                      " Corridor 1800 1200 600 0 0\n");
    Game& game = driver.game;
    driver.startLevel(1);
    ASSERT_TRUE(game.inGame);
    TileMap* map = game.tileMap;
    EXPECT_EQ(map->getMapRect(), Rect(0, 0, 19200, 1536));
    EXPECT_EQ(game.resources->getBatch(path + "00")->width, 19200);

    // 140 ticks to the right, each with its frame: the player's right edge
    // (232 + 140 x 128 = 18152) stops short of the goal (18944), and the view
    // has reached the map's right end (16640 to 19200).
    driver.holdFor(ALLEGRO_KEY_RIGHT, 140);
    EXPECT_EQ(map->objects.at("PLAYER")->rect, Rect(18072, 792, 80, 80));
    EXPECT_EQ(game.camera->getView(), Rect(16640, 96, 2560, 1440));
    EXPECT_EQ(map->getState(), TileMap::Playing);

    // The frame beyond 16384 units, on the 956 x 538 window: the view's world
    // units scaled by 956 / 2560 and 538 / 1440.
    game.resources->clearScreen();
    game.draw();
    ALLEGRO_BITMAP* frame = al_get_backbuffer(game.display->get());
    const struct { const char* what; float x, y; Rgba colour; } probes[] = {
        {"top wall", 17600, 110, {120, 120, 120, 255}},
        {"floor", 17000, 300, {30, 30, 30, 255}},
        {"player", 18112, 832, {255, 255, 255, 255}},
        {"goal", 19008, 832, {0, 200, 0, 255}},
        {"right wall", 19136, 1200, {120, 120, 120, 255}},
    };
    for (const auto& p : probes) {
        const int x = static_cast<int>((p.x - 16640.0f) * 956.0f / 2560.0f);
        const int y = static_cast<int>((p.y - 96.0f) * 538.0f / 1440.0f);
        EXPECT_EQ(pixelAt(frame, x, y), p.colour) << p.what << " at (" << x << ", " << y << ")";
    }

    // On to the goal.
    driver.hold(ALLEGRO_KEY_RIGHT);
    driver.tick(7);
    EXPECT_EQ(map->getState(), TileMap::Won);
    removeTree(dir);
}
