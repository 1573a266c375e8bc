#include "TestTree.hpp"

#include <allegro5/allegro_image.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

struct Picture {
    const char* path;
    int width;
    int height;
    unsigned char r, g, b;
};

// Pictures of the resource table, then the level pictures. Sizes are small:
// the game scales every picture into its place.
const Picture pictures[] = {
    {"Resources/Pictures/menu/loading.jpg", 64, 36, 90, 90, 90},
    {"Resources/Pictures/menu/main_menu.jpg", 64, 36, 0, 0, 160},
    {"Resources/Pictures/menu/tutorial.jpg", 64, 36, 160, 0, 160},
    {"Resources/Pictures/menu/menu.jpg", 64, 36, 0, 120, 0},
    {"Resources/Pictures/menu/select_map.png", 32, 18, 40, 40, 40},
    {"Resources/Pictures/arrow_up.png", 8, 8, 255, 255, 0},
    {"Resources/Pictures/arrow_down.png", 8, 8, 0, 255, 255},
    {"Resources/Pictures/arrow_left.png", 8, 8, 255, 0, 255},
    {"Resources/Pictures/arrow_right.png", 8, 8, 255, 128, 0},
    {"Resources/Pictures/menu/noStar.png", 21, 4, 50, 50, 50},
    {"Resources/Pictures/menu/oneStar.png", 21, 4, 100, 100, 0},
    {"Resources/Pictures/menu/twoStars.png", 21, 4, 150, 150, 0},
    {"Resources/Pictures/menu/threeStars.png", 21, 4, 200, 200, 0},
    {"Resources/Pictures/menu/sounds0.png", 10, 10, 80, 0, 0},
    {"Resources/Pictures/menu/sounds1.png", 10, 10, 0, 80, 0},
    {"Resources/Animations/ghost_fade.png", 64, 8, 255, 255, 255},
    {"Resources/Pictures/level/floor.png", 8, 8, 30, 30, 30},
    {"Resources/Pictures/level/wall.png", 8, 8, 120, 120, 120},
    {"Resources/Pictures/level/goal.png", 8, 8, 0, 200, 0},
    {"Resources/Pictures/level/deadly.png", 8, 8, 200, 0, 0},
    {"Resources/Pictures/level/door.png", 8, 8, 140, 70, 0},
    {"Resources/Pictures/level/open.png", 8, 8, 60, 30, 0},
    {"Resources/Pictures/level/switch0.png", 8, 8, 0, 0, 200},
    {"Resources/Pictures/level/switch1.png", 8, 8, 100, 100, 255},
    {"Resources/Pictures/level/player.png", 8, 8, 255, 255, 255},
    {"Resources/Pictures/level/ghost.png", 8, 8, 0, 255, 0},
    {"Resources/Pictures/level/light.png", 8, 8, 255, 255, 255},
};

const char* const buttons[] = {"select", "tutorial", "exit", "main_menu", "resume",
                               "play",   "back",     "left", "right",     "reset"};

// Every type the levels use. Floor is a decoration; walls and doors are
// solid; the goal and the deadly tile are not.
const char* const types =
    "[Types]\n"
    ". 0 0 0 0 Resources/Pictures/level/floor.png\n"
    "# 1 0 1 0 Resources/Pictures/level/wall.png Resources/Pictures/level/wall.png\n"
    "G 1 1 0 0 Resources/Pictures/level/goal.png Resources/Pictures/level/goal.png\n"
    "X 1 2 0 0 Resources/Pictures/level/deadly.png Resources/Pictures/level/deadly.png\n"
    "D 1 0 1 0 Resources/Pictures/level/door.png Resources/Pictures/level/open.png\n"
    "S 2 0 0 0 Resources/Pictures/level/switch0.png Resources/Pictures/level/switch1.png\n";

const std::string info = "[Info]\n"
                         "TILE_SIZE 32 32\n"
                         "PLAYER_SIZE 16 16\n"
                         "PLAYER_POS 2 2\n"
                         "PLAYER_SPEED 10\n"
                         "PLAYER_BMP Resources/Pictures/level/player.png\n"
                         "GHOST_BMP Resources/Pictures/level/ghost.png\n";

// 10 x 5 cells of 32 (the rows between the top and bottom walls given): the
// player starts centred in cell (1, 1) and moves 3 units a tick
// ((32 + 32) / 200 x 10 = 3.2). Every level has the thresholds 1800 1200 600.
const struct {
    const char* file;
    const char* name;
    const char* info;
    const char* rows;
} levels[] = {
    // Walk right to the goal: the player's right edge (56) meets the goal
    // tile's left edge (256) after 67 ticks.
    {"walk", "Walk", "", "#0.0.0.0.0.0.0.0G0#0\n#0.0.0.0.0.0.0.0.0#0\n#0.0.0.0.0.0.0.0.0#0\n"},
    // A door of group a shuts off the goal; its switch lies below the start,
    // out of the way of the straight walk to the door.
    {"door", "Door", "", "#0.0.0.0.0.0Da.0G0#0\n#0.0.0.0.0.0#0#0#0#0\n#0Sa.0.0.0.0.0.0.0#0\n"},
    // A deadly tile right of the start.
    {"deadly", "Deadly", "", "#0.0.0X0.0.0.0.0G0#0\n#0.0.0.0.0.0.0.0.0#0\n#0.0.0.0.0.0.0.0.0#0\n"},
    // Ten seconds to do nothing in.
    {"limit", "Limit", "GHOST_TIME 10\n", "#0.0.0.0.0.0.0.0G0#0\n#0.0.0.0.0.0.0.0.0#0\n#0.0.0.0.0.0.0.0.0#0\n"},
    // A time limit longer than a tick count can hold.
    {"forever", "Forever", "GHOST_TIME 99999999\n", "#0.0.0.0.0.0.0.0G0#0\n"},
    // Dark: only the light around the player shows.
    {"dark", "Dark", "LIGHT_BMP Resources/Pictures/level/light.png\nLIGHT_ONSTART 1\nLIGHT_SIZE 2\n",
     "#0.0.0.0.0.0.0.0G0#0\n#0.0.0.0.0.0.0.0.0#0\n#0.0.0.0.0.0.0.0.0#0\n"},
};

} // namespace

void TestTree::savePicture(const std::string& path, int width, int height, ALLEGRO_COLOR colour)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder);
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(width, height);
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    al_set_target_bitmap(bitmap);
    al_clear_to_color(colour);
    al_set_target_bitmap(previous);
    if (!al_save_bitmap(path.c_str(), bitmap))
        std::abort();
    al_destroy_bitmap(bitmap);
}

void TestTree::write(const std::string& folder, const std::string& sourceDir)
{
    for (const Picture& p : pictures)
        savePicture(folder + "/" + p.path, p.width, p.height, al_map_rgb(p.r, p.g, p.b));
    // Button pictures: normal ones dark red, hovered ones light red, each
    // button a little apart from the others in green.
    for (int i = 0; i < 10; i++) {
        const std::string stem = folder + "/Resources/Pictures/menu/" + buttons[i] + "_butt";
        savePicture(stem + "0.png", 10, 4, al_map_rgb(120, 10 * i, 0));
        savePicture(stem + "1.png", 10, 4, al_map_rgb(250, 10 * i, 0));
    }

    for (const char* part : {"Fonts", "Sounds", "Levels"})
        std::filesystem::create_directories(folder + "/Resources/" + part);
    const auto overwrite = std::filesystem::copy_options::overwrite_existing;
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                               folder + "/Resources/Fonts/font1.ttf", overwrite);
    for (const char* sound : {"menu", "ingame", "select", "select_click", "ghost", "restart", "win", "death"})
        std::filesystem::copy_file(sourceDir + "/tests/data/silence.ogg",
                                   folder + "/Resources/Sounds/" + sound + ".ogg", overwrite);

    const std::string wall = "#0#0#0#0#0#0#0#0#0#0\n";
    std::ofstream list(folder + "/Resources/Levels/LevelList.txt", std::ios::binary);
    list << "PATH__NAME__1STAR_TIME__2STARS_TIME__3STARS_TIME__DONE__TIME (FRAMES) <ignored line>\n";
    for (const auto& level : levels) {
        const std::string path = std::string("Resources/Levels/") + level.file + ".txt";
        std::ofstream(folder + "/" + path, std::ios::binary)
            << info << level.info << types << "[Map]\n" << wall << level.rows << wall;
        list << path << " " << level.name << " 1800 1200 600 0 0\n";
    }
}
