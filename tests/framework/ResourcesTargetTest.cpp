#include "Camera.hpp"
#include "Display.hpp"
#include "ReleaseStore.hpp"
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

    res.beginBatch("a");
    res.beginBatch("b");
    EXPECT_EQ(al_get_target_bitmap(), res.getBatch("b")->bitmap);
    res.endBatch();
    EXPECT_EQ(al_get_target_bitmap(), al_get_backbuffer(display.get()));
    EXPECT_FALSE(res.drawingToBatch);

    // setTargetToBatch moves the target only, and not for a missing key.
    res.setTargetToBatch("a");
    res.setTargetToBatch("missing");
    EXPECT_EQ(al_get_target_bitmap(), res.getBatch("a")->bitmap);
    EXPECT_FALSE(res.drawingToBatch);

    releaseStore(res);
    display.destroy();
}
