#include "Camera.hpp"
#include "Display.hpp"
#include "TestSupport.hpp"

#include <allegro5/allegro_primitives.h>

// Memory bitmaps ignore projection transforms, so the camera's projection is
// checked on a video bitmap of a real display.
TEST(CameraProjection, stretchesTheViewOntoTheWholeTarget)
{
    ASSERT_TRUE(al_init());
    ASSERT_TRUE(al_init_primitives_addon());
    Display display;
    display.create("Orvelle camera test", 956, 538, ALLEGRO_WINDOWED);
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
    ALLEGRO_BITMAP* target = al_create_bitmap(256, 144);
    ASSERT_NE(target, nullptr);
    al_set_target_bitmap(target);
    al_clear_to_color(al_map_rgb(0, 0, 0));

    Camera camera;
    camera.init(&display);
    // The view (100, 50, 1280, 720) onto 256 x 144 pixels: 5 world units per
    // pixel, y growing downwards.
    camera.setView(Rect(100, 50, 1280, 720));
    al_draw_filled_rectangle(100 + 640, 50 + 360, 100 + 690, 50 + 410, al_map_rgb(255, 0, 0));
    al_draw_filled_rectangle(100, 50, 150, 100, al_map_rgb(0, 255, 0));

    const Rgba red{255, 0, 0, 255};
    const Rgba green{0, 255, 0, 255};
    const Rgba black{0, 0, 0, 255};
    EXPECT_EQ(pixelAt(target, 130, 74), red);
    EXPECT_EQ(pixelAt(target, 126, 70), black);
    EXPECT_EQ(pixelAt(target, 139, 83), black);
    EXPECT_EQ(pixelAt(target, 4, 4), green);
    EXPECT_EQ(pixelAt(target, 12, 12), black);

    al_destroy_bitmap(target);
    display.destroy();
}
