#include "Display.hpp"
#include "Events.hpp"
#include "GameDriver.hpp"
#include "TestSupport.hpp"

#include <allegro5/allegro.h>

namespace {

// The real game on the private X server, its timer stopped: every tick is an
// injected timer event and every pass of the loop is run by the test.
class GameLoopTest : public ::testing::Test {
protected:
    void inject(ALLEGRO_EVENT_TYPE type)
    {
        ALLEGRO_EVENT event = {};
        event.type = type;
        game.events->inject(event);
    }

    GameDriver driver;
    Game& game = driver.game;
};

} // namespace

TEST_F(GameLoopTest, ticksPilingUpAreAllUpdatedAndOneFrameIsDrawnAfterTheLast)
{
    ASSERT_EQ(game.display->getWidth(), 956);
    ASSERT_EQ(game.display->getHeight(), 538);
    const int flipsBefore = game.display->getFlipCount();

    inject(ALLEGRO_EVENT_KEY_DOWN);
    for (int i = 0; i < 3; i++)
        inject(ALLEGRO_EVENT_TIMER);
    for (int pass = 0; pass < 3; pass++) {
        game.loopPass();
        EXPECT_EQ(game.display->getFlipCount(), flipsBefore) << "drew while events waited, pass " << pass;
    }
    game.loopPass();
    EXPECT_EQ(game.display->getFlipCount(), flipsBefore + 1);

    // An event that is not a tick updates nothing and draws nothing new.
    inject(ALLEGRO_EVENT_MOUSE_AXES);
    game.loopPass();
    EXPECT_EQ(game.display->getFlipCount(), flipsBefore + 1);
    EXPECT_EQ(game.quit, 0);
}

TEST_F(GameLoopTest, closeRequestEndsTheLoopAfterItsPass)
{
    inject(ALLEGRO_EVENT_TIMER);
    inject(ALLEGRO_EVENT_DISPLAY_CLOSE);
    game.loopPass();
    EXPECT_EQ(game.quit, 0);
    game.loopPass();
    EXPECT_EQ(game.quit, 1);
    // The pass that saw the request still drew the tick's frame.
    EXPECT_GE(game.display->getFlipCount(), 1);
}
