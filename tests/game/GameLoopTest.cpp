#include "Display.hpp"
#include "Events.hpp"
#include "FrameTimer.hpp"
#include "GameDriver.hpp"
#include "TestSupport.hpp"
#include "TileMap.hpp"

#include <allegro5/allegro.h>

namespace {

// The real game on the private X server, its timer stopped: every tick is an
// injected timer event and every pass of the loop is run by the test, so the
// queue holds exactly what the test put there.
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
    driver.startLevel(1);
    ASSERT_TRUE(game.inGame);
    const float startX = game.tileMap->getPlayer()->x;
    const float speed = static_cast<float>(game.tileMap->getPlayerSpeed());
    const int flipsBefore = game.display->getFlipCount();

    // Backspace pressed and Right held before three ticks: three key events,
    // then the ticks, all waiting at once.
    driver.press(ALLEGRO_KEY_BACKSPACE);
    driver.hold(ALLEGRO_KEY_RIGHT);
    for (int i = 0; i < 3; i++)
        driver.queueTick();
    for (int pass = 0; pass < 5; pass++) {
        game.loopPass();
        EXPECT_EQ(game.display->getFlipCount(), flipsBefore) << "drew while events waited, pass " << pass;
    }
    game.loopPass();
    EXPECT_EQ(game.display->getFlipCount(), flipsBefore + 1);
    // Every tick moved the player; only the first restarted the run, so the
    // two after it counted.
    EXPECT_FLOAT_EQ(game.tileMap->getPlayer()->x, startX + 3 * speed);
    EXPECT_EQ(game.frameTimer->getTotal(), 2) << "the restart was not seen by the first tick alone";

    // An event that is not a tick updates nothing and draws nothing new.
    inject(ALLEGRO_EVENT_MOUSE_AXES);
    game.loopPass();
    EXPECT_EQ(game.display->getFlipCount(), flipsBefore + 1);
    EXPECT_FLOAT_EQ(game.tileMap->getPlayer()->x, startX + 3 * speed);
    EXPECT_EQ(game.quit, 0);
}

TEST_F(GameLoopTest, closeRequestEndsTheLoopAfterItsPass)
{
    const int flipsBefore = game.display->getFlipCount();
    inject(ALLEGRO_EVENT_TIMER);
    inject(ALLEGRO_EVENT_DISPLAY_CLOSE);
    game.loopPass();
    EXPECT_EQ(game.quit, 0);
    EXPECT_EQ(game.display->getFlipCount(), flipsBefore) << "drew while the close request waited";
    game.loopPass();
    EXPECT_EQ(game.quit, 1);
    EXPECT_EQ(game.display->getFlipCount(), flipsBefore + 1) << "the pass that saw the request drew no frame";
}
