// The data tree that the game loads at start is complete: every file of the
// fixed resource table is there and loads with Allegro, at the size its place
// on the 2560 x 1440 virtual screen needs; so are the pictures that levels
// name.

#include "TestSupport.hpp"

#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_ttf.h>

#include <string>

namespace {

// The repository's root, where Resources/ lies.
const std::string root = ORVELLE_SOURCE_DIR;

struct Picture {
    const char* path;
    int width, height;  // 0: any size
};

// Each picture's size is fixed where the game draws it 1:1 on the virtual
// screen: the buttons into their layout rectangles, the backgrounds over the
// whole screen, the panel, the stars and the sounds toggle.
const Picture fixedPictures[] = {
    {"Resources/Pictures/menu/loading.jpg", 2560, 1440},
    {"Resources/Pictures/arrow_up.png", 0, 0},
    {"Resources/Pictures/arrow_down.png", 0, 0},
    {"Resources/Pictures/arrow_left.png", 0, 0},
    {"Resources/Pictures/arrow_right.png", 0, 0},
    {"Resources/Pictures/menu/main_menu.jpg", 2560, 1440},
    {"Resources/Pictures/menu/tutorial.jpg", 2560, 1440},
    {"Resources/Pictures/menu/menu.jpg", 2560, 1440},
    {"Resources/Pictures/menu/select_map.png", 1600, 900},
    {"Resources/Pictures/menu/select_butt0.png", 693, 173},
    {"Resources/Pictures/menu/select_butt1.png", 693, 173},
    {"Resources/Pictures/menu/tutorial_butt0.png", 480, 173},
    {"Resources/Pictures/menu/tutorial_butt1.png", 480, 173},
    {"Resources/Pictures/menu/exit_butt0.png", 340, 173},
    {"Resources/Pictures/menu/exit_butt1.png", 340, 173},
    {"Resources/Pictures/menu/main_menu_butt0.png", 625, 173},
    {"Resources/Pictures/menu/main_menu_butt1.png", 625, 173},
    {"Resources/Pictures/menu/resume_butt0.png", 500, 173},
    {"Resources/Pictures/menu/resume_butt1.png", 500, 173},
    {"Resources/Pictures/menu/play_butt0.png", 340, 173},
    {"Resources/Pictures/menu/play_butt1.png", 340, 173},
    {"Resources/Pictures/menu/back_butt0.png", 100, 100},
    {"Resources/Pictures/menu/back_butt1.png", 100, 100},
    {"Resources/Pictures/menu/left_butt0.png", 250, 250},
    {"Resources/Pictures/menu/left_butt1.png", 250, 250},
    {"Resources/Pictures/menu/right_butt0.png", 250, 250},
    {"Resources/Pictures/menu/right_butt1.png", 250, 250},
    {"Resources/Pictures/menu/reset_butt0.png", 360, 86},
    {"Resources/Pictures/menu/reset_butt1.png", 360, 86},
    {"Resources/Pictures/menu/noStar.png", 420, 80},
    {"Resources/Pictures/menu/oneStar.png", 420, 80},
    {"Resources/Pictures/menu/twoStars.png", 420, 80},
    {"Resources/Pictures/menu/threeStars.png", 420, 80},
    {"Resources/Pictures/menu/sounds0.png", 100, 100},
    {"Resources/Pictures/menu/sounds1.png", 100, 100},
};

const char* const sounds[] = {
    "Resources/Sounds/menu.ogg",    "Resources/Sounds/ingame.ogg",  "Resources/Sounds/select.ogg",
    "Resources/Sounds/select_click.ogg", "Resources/Sounds/ghost.ogg", "Resources/Sounds/restart.ogg",
    "Resources/Sounds/win.ogg",     "Resources/Sounds/death.ogg",
};

// Pictures that level files name: tiles and figures are square, so that
// they read the same whatever tile size a level chooses.
const char* const levelPictures[] = {
    "Resources/Pictures/tiles/floor.png",           "Resources/Pictures/tiles/wall.png",
    "Resources/Pictures/tiles/door_closed.png",     "Resources/Pictures/tiles/door_open.png",
    "Resources/Pictures/tiles/switch_up.png",       "Resources/Pictures/tiles/switch_down.png",
    "Resources/Pictures/tiles/darkness_on_up.png",  "Resources/Pictures/tiles/darkness_on_down.png",
    "Resources/Pictures/tiles/darkness_off_up.png", "Resources/Pictures/tiles/darkness_off_down.png",
    "Resources/Pictures/tiles/deadly.png",          "Resources/Pictures/tiles/goal.png",
    "Resources/Pictures/objects/player.png",        "Resources/Pictures/objects/ghost.png",
    "Resources/Pictures/objects/light.png",
};

} // namespace

TEST(ResourceFiles, everyFixedPictureLoadsAtItsLayoutSize)
{
    startAllegroHeadless();
    for (const Picture& p : fixedPictures) {
        ALLEGRO_BITMAP* bitmap = al_load_bitmap((root + "/" + p.path).c_str());
        ASSERT_NE(bitmap, nullptr) << p.path << " is missing or unreadable";
        if (p.width != 0) {
            EXPECT_EQ(al_get_bitmap_width(bitmap), p.width) << p.path;
            EXPECT_EQ(al_get_bitmap_height(bitmap), p.height) << p.path;
        }
        al_destroy_bitmap(bitmap);
    }
}

TEST(ResourceFiles, ghostTrailIsOneRowOfEightFrames)
{
    startAllegroHeadless();
    ALLEGRO_BITMAP* strip = al_load_bitmap((root + "/Resources/Animations/ghost_fade.png").c_str());
    ASSERT_NE(strip, nullptr);
    EXPECT_GT(al_get_bitmap_width(strip), 0);
    EXPECT_EQ(al_get_bitmap_width(strip) % 8, 0) << "width " << al_get_bitmap_width(strip);
    al_destroy_bitmap(strip);
}

TEST(ResourceFiles, fontLoadsAtTheSmallestAndLargestTextSizes)
{
    startAllegroHeadless();
    // Font indices 5 and 100 are loaded at three times their size.
    for (int pixels : {15, 300}) {
        ALLEGRO_FONT* font = al_load_ttf_font((root + "/Resources/Fonts/font1.ttf").c_str(), pixels, 0);
        ASSERT_NE(font, nullptr) << "at " << pixels << " pixels";
        EXPECT_GT(al_get_text_width(font, "DONE 12.35"), 0);
        al_destroy_font(font);
    }
}

TEST(ResourceFiles, everySongAndSoundLoads)
{
    startAllegroHeadless();
    // Samples are made by the audio add-on, which must be installed first.
    ASSERT_TRUE(al_install_audio());
    for (const char* path : sounds) {
        ALLEGRO_SAMPLE* sample = al_load_sample((root + "/" + path).c_str());
        ASSERT_NE(sample, nullptr) << path << " is missing or unreadable";
        EXPECT_GT(al_get_sample_length(sample), 0u) << path;
        al_destroy_sample(sample);
    }
}

TEST(ResourceFiles, levelPicturesLoadAndAreSquare)
{
    startAllegroHeadless();
    for (const char* path : levelPictures) {
        ALLEGRO_BITMAP* bitmap = al_load_bitmap((root + "/" + path).c_str());
        ASSERT_NE(bitmap, nullptr) << path << " is missing or unreadable";
        EXPECT_EQ(al_get_bitmap_width(bitmap), al_get_bitmap_height(bitmap)) << path;
        al_destroy_bitmap(bitmap);
    }
}
