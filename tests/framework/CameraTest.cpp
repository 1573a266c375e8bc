#include "Camera.hpp"
#include "TestSupport.hpp"

namespace {

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startAllegroHeadless();
        // Memory bitmaps ignore projections; the clamping is what is tested
        // here, the projection itself on a real display.
        target = makeMemoryTarget(16, 16);
        camera.init(nullptr);
    }
    void TearDown() override { al_destroy_bitmap(target); }

    void expectView(float x, float y, float w, float h)
    {
        const Rect v = camera.getView();
        EXPECT_FLOAT_EQ(v.x, x);
        EXPECT_FLOAT_EQ(v.y, y);
        EXPECT_FLOAT_EQ(v.w, w);
        EXPECT_FLOAT_EQ(v.h, h);
    }

    ALLEGRO_BITMAP* target = nullptr;
    Camera camera;
};

} // namespace

TEST_F(CameraTest, setView_pushesLeftAndTopFirstThenRightAndBottom)
{
    // Narrower bounds than the view: the right edge wins.
    camera.setBounds(Rect(0, 0, 1680, 1440));
    camera.setView(Rect(0, 0, 2560, 1440));
    expectView(-880, 0, 2560, 1440);

    // Larger than the bounds on both axes: flush with the far edges.
    camera.setBounds(Rect(100, 200, 1000, 500));
    camera.setView(Rect(-5000, -5000, 2560, 1440));
    expectView(100 + 1000 - 2560, 200 + 500 - 1440, 2560, 1440);

    // Inside the bounds, or touching their edges exactly: unchanged.
    camera.setBounds(Rect(0, 0, 5000, 3000));
    camera.setView(Rect(10, 20, 2560, 1440));
    expectView(10, 20, 2560, 1440);
    camera.setView(Rect(0, 0, 2560, 1440));
    expectView(0, 0, 2560, 1440);
    camera.setView(Rect(2440, 1560, 2560, 1440));
    expectView(2440, 1560, 2560, 1440);

    // Pushed from the left and from below.
    camera.setView(Rect(-50, 2000, 2560, 1440));
    expectView(0, 1560, 2560, 1440);
}

TEST_F(CameraTest, boundsAndSizeWaitForTheNextProjectingCall)
{
    camera.setView(Rect(-100, -100, 1280, 720));
    camera.setBounds(Rect(0, 0, 5000, 5000));
    expectView(-100, -100, 1280, 720);  // setBounds alone moves nothing
    camera.centerOn(Kest::tvec2<float>(0, 0));
    expectView(0, 0, 1280, 720);

    camera.resetSize();
    expectView(0, 0, 2560, 1440);  // size reset, position kept

    camera.clearBounds();
    camera.setView(Rect(-300, -400, 100, 100));
    expectView(-300, -400, 100, 100);  // no longer clamped
}

TEST_F(CameraTest, centerOn_keepsTheSize)
{
    camera.setView(Rect(0, 0, 2560, 1440));
    camera.centerOn(Kest::tvec2<float>(100, 50));
    expectView(-1180, -670, 2560, 1440);
    camera.setView(640, 360, 1280, 720);
    expectView(0, 0, 1280, 720);
}
