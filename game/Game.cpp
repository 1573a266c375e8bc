#include "Game.hpp"

#include "AllegroInit.hpp"
#include "Camera.hpp"
#include "Display.hpp"
#include "Events.hpp"
#include "FrameTimer.hpp"
#include "GhostRecorder.hpp"
#include "LevelList.hpp"
#include "MenuLayout.hpp"
#include "Resources.hpp"
#include "Screen.hpp"
#include "TileMap.hpp"

Game::Game()
    : quit(0), screen(Screen::MainMenu), display(new Display()), camera(new Camera()),
      events(new Events()), resources(new Resources()), levelList(new LevelList()),
      tileMap(new TileMap()), ghostRecorder(new GhostRecorder()), frameTimer(new FrameTimer),
      menuLayout(new MenuLayout), inGame(false), tutorialReturnsToPause(false), soundsOn(false),
      menuMusicOn(false), gameMusicOn(false), ghostMode(false), selectedLevel(1), winCountdown(180),
      redraw(false)
{
}

void Game::init()
{
    initAllegro();
    display->create("Orvelle", 956, 538, displayFlags);
    camera->init(display);
    camera->setView(Rect(0.0f, 0.0f, 2560.0f, 1440.0f));
    events->init(display, camera, 60.0);
    resources->init(display, camera, 20);
    levelList->load(resources, camera, "Resources/Levels/LevelList.txt");
    inGame = false;
}

void Game::run()
{
    init();
    redraw = false;
    loadResources();
    while (quit == 0)
        loopPass();
    teardown();
}

void Game::loopPass()
{
    events->waitEvent();
    if (events->isTimerTick()) {
        // Every tick is updated, in order, however late.
        update();
        events->endFrame();
        redraw = true;
    }
    if (events->isDisplayClosed())
        quit = 1;
    // Draw only when nothing waits: under load several ticks are updated and
    // one frame is drawn after the last.
    if (redraw && events->isQueueEmpty()) {
        redraw = false;
        resources->clearScreen();
        draw();
        display->flip();
    }
}

void Game::teardown()
{
    display->destroy();
    events->destroy();
    resources->destroyAll();
}

void Game::update()
{
    const bool wasInGame = inGame;
    const int wasScreen = screen;
    if (inGame)
        updateGame();
    else
        updateMenu();

    // The frame after this tick shows the state it leaves: the view is set
    // last, after whatever the tick started, left, paused, resumed or
    // restarted, and a menu screen just entered lights the button under the
    // mouse, not the ones of its last visit. Nothing else moves the view
    // between two ticks, so it stands at the next tick's start too.
    setScreenView();
    if (!inGame && (wasInGame || screen != wasScreen))
        hoverScreen();
}

void Game::setScreenView()
{
    if (!inGame) {
        // Pushed into the level's bounds while they are still set, as on
        // the pause screen.
        camera->setView(Rect(0.0f, 0.0f, 2560.0f, 1440.0f));
        return;
    }
    switch (tileMap->getCameraMode()) {
    case 0:
        camera->setView(tileMap->getMapRect());
        break;
    case 1:
        camera->centerOn(tileMap->getPlayer()->toCenterForm().getPosition());
        break;
    default:
        break;
    }
}

void Game::draw()
{
    if (inGame)
        drawGame();
    else
        drawMenu();
}

void Game::playSound(const char* key)
{
    if (soundsOn)
        resources->playSound(key);
}

void Game::drawShadowedText(int size, Kest::tvec2<float> shadowAt, Kest::tvec2<float> textAt, int flags,
                            const std::string& text, ALLEGRO_COLOR color)
{
    resources->drawScreenText("font1", size, al_map_rgb(23, 23, 23), shadowAt, flags, text);
    resources->drawScreenText("font1", size, color, textAt, flags, text);
}
