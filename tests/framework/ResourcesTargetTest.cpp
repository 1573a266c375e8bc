#include "Bitmap.hpp"
#include "Camera.hpp"
#include "Display.hpp"
#include "ResourceStore.hpp"
#include "Resources.hpp"
#include "TestSupport.hpp"

// The back buffer exists only on a real display.
TEST(ResourcesTarget, endBatch_returnsToTheBackBufferWhateverTheTarget)
{
    ASSERT_TRUE(al_init());
    Display display;
    display.create("Orvelle resources test", 320, 200, ALLEGRO_WINDOWED);
    Camera camera;
    camera.init(&display);
    Resources res;
    res.init(&display, &camera, 0);
    res.createBatch(8, 8, "a");
    res.createBatch(8, 8, "b");
    ALLEGRO_BITMAP* backBuffer = al_get_backbuffer(display.get());

    res.beginBatch("a");
    res.beginBatch("b");
    EXPECT_EQ(al_get_target_bitmap(), res.getBatch("b")->bitmap);
    EXPECT_TRUE(res.drawingToBatch);
    res.endBatch();
    EXPECT_EQ(al_get_target_bitmap(), backBuffer);
    EXPECT_FALSE(res.drawingToBatch);

    // Moving the target alone leaves the flag; a missing key leaves the target.
    res.setTargetToBatch("a");
    EXPECT_EQ(al_get_target_bitmap(), res.getBatch("a")->bitmap);
    EXPECT_FALSE(res.drawingToBatch);
    res.setTargetToBatch("missing");
    res.setTargetToBitmap("a");
    EXPECT_EQ(al_get_target_bitmap(), res.getBatch("a")->bitmap);
    res.endBatch();
    EXPECT_EQ(al_get_target_bitmap(), backBuffer);

    res.destroyBatch("a");
    res.destroyBatch("b");
    delete res.store;
    display.destroy();
}
