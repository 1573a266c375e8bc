#include "Game.hpp"

#include "Camera.hpp"
#include "Events.hpp"
#include "FrameTimer.hpp"
#include "GhostRecorder.hpp"
#include "LevelList.hpp"
#include "Resources.hpp"
#include "Screen.hpp"
#include "TileMap.hpp"

#include <allegro5/allegro.h>

#include <climits>

namespace {
// Ticks the won state shows before play returns to the map selection.
const int winDelay = 180;
const int ticksPerSecond = 60;
} // namespace

int Game::timeLimitTicks()
{
    // A level file may give any number of seconds; past what a tick count can
    // hold the limit is simply never reached.
    const long long ticks = static_cast<long long>(tileMap->getTimeLimit()) * ticksPerSecond;
    return ticks > INT_MAX ? INT_MAX : static_cast<int>(ticks);
}

void Game::resetRun()
{
    frameTimer->reset();
    if (tileMap->hasTimeLimit())
        frameTimer->setCountdown(timeLimitTicks());
    frameTimer->restart();
    ghostRecorder->reset();
    ghostRecorder->startRecording();
    tileMap->restart();
}

void Game::rerunGhost()
{
    frameTimer->stop();
    ghostRecorder->rewind();
    tileMap->restart();
}

// One tick of play. The order matters: the state handling sees what the
// previous tick's world update left, and a restart made here is followed in
// the same tick by the movement, the recording and the world update, so a
// recorded run and its replay line up tick for tick.
void Game::updateGame()
{
    // The camera follows the level's camera mode at the end of every tick
    // (Game::update), so the frame shows where this tick leaves the player.
    resources->updateAnimations();

    if (!gameMusicOn && soundsOn) {
        gameMusicOn = true;
        menuMusicOn = false;
        resources->stopSong("menu");
        resources->playSong("ingame");
    }

    switch (tileMap->getState()) {
    case TileMap::Won:
        if (winCountdown == winDelay) {
            playSound("win");
            levelList->completeCurrentLevel(static_cast<float>(frameTimer->getTotal()));
        }
        winCountdown--;
        if (winCountdown < 0 || events->wasKeyPressed(ALLEGRO_KEY_ESCAPE) ||
            events->wasKeyPressed(ALLEGRO_KEY_ENTER) || events->wasKeyPressed(ALLEGRO_KEY_BACKSPACE)) {
            winCountdown = winDelay;
            gameMusicOn = false;
            inGame = false;
            tutorialReturnsToPause = false;
            screen = Screen::SelectMap;
            tileMap->resetState();
            camera->clearBounds();
            camera->resetSize();
            return;
        }
        // The world keeps moving while the win shows; the timer stands.
        break;
    case TileMap::Dead:
        playSound("death");
        if (ghostMode)
            rerunGhost();
        else
            resetRun();
        break;
    default:
        if (events->wasKeyPressed(ALLEGRO_KEY_ESCAPE)) {
            // The menu tick switches the music.
            gameMusicOn = false;
            inGame = false;
            tutorialReturnsToPause = true;
            screen = Screen::Pause;
        } else if (events->wasKeyPressed(ALLEGRO_KEY_BACKSPACE)) {
            playSound("restart");
            resetRun();
            tileMap->deactivateObject("GHOST");
            ghostMode = false;
        } else if (events->wasKeyPressed(ALLEGRO_KEY_ENTER)) {
            playSound("ghost");
            frameTimer->stop();
            ghostRecorder->stopRecording();
            ghostRecorder->rewind();
            ghostMode = true;
            tileMap->restart();
            tileMap->activateObject("GHOST");
        } else {
            frameTimer->tick();
            // A time-out restarts silently.
            if (tileMap->hasTimeLimit() && frameTimer->isLimitReached()) {
                if (ghostMode)
                    rerunGhost();
                else
                    resetRun();
            }
        }
        break;
    }

    // Opposite keys cancel; a diagonal is the sum of both axes.
    const float speed = static_cast<float>(tileMap->getPlayerSpeed());
    Rect* player = tileMap->getPlayer();
    const bool left = events->isKeyDown(ALLEGRO_KEY_LEFT);
    const bool right = events->isKeyDown(ALLEGRO_KEY_RIGHT);
    const bool up = events->isKeyDown(ALLEGRO_KEY_UP);
    const bool down = events->isKeyDown(ALLEGRO_KEY_DOWN);
    if (left)
        player->x -= speed;
    if (right)
        player->x += speed;
    if (up)
        player->y -= speed;
    if (down)
        player->y += speed;

    if (!ghostMode)
        ghostRecorder->recordFrame(up, down, left, right);
    else
        ghostRecorder->replayFrame(*tileMap->getGhost(), tileMap->getPlayerSpeed());

    tileMap->update();
}

void Game::drawGame()
{
    tileMap->draw();
    tileMap->drawLight();
    resources->drawAnimations();

    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    if (tileMap->getState() == TileMap::Won)
        drawShadowedText(60, Kest::tvec2<float>(1190, 630), Kest::tvec2<float>(1180, 620), ALLEGRO_ALIGN_CENTRE,
                         "YOU WON!", white);
    drawShadowedText(20, Kest::tvec2<float>(17, 17), Kest::tvec2<float>(10, 10), ALLEGRO_ALIGN_LEFT,
                     "Time: " + frameTimer->getTotalText(), white);

    if (ghostMode) {
        // Several arrows may lie on each other in the GHOST's rectangle.
        const Rect ghost = *tileMap->getGhost();
        if (ghostRecorder->isUp())
            resources->drawBitmap("arrow_up", ghost, false);
        if (ghostRecorder->isDown())
            resources->drawBitmap("arrow_down", ghost, false);
        if (ghostRecorder->isRight())
            resources->drawBitmap("arrow_right", ghost, false);
        if (ghostRecorder->isLeft())
            resources->drawBitmap("arrow_left", ghost, false);
        drawShadowedText(15, Kest::tvec2<float>(15, 75), Kest::tvec2<float>(10, 70), ALLEGRO_ALIGN_LEFT,
                         "Ghost Time: " + frameTimer->getFramesText(), al_map_rgb(200, 200, 200));
    }
}
