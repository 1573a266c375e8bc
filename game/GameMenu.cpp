#include "Game.hpp"

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

#include <allegro5/allegro.h>

#include <initializer_list>

namespace {

// The link hand that shows over a button.
const int linkCursor = 17;
const int leftButton = 1;

struct MenuButton {
    const Rect& rect;
    bool& hovered;
};

// Finds the first of a screen's buttons (in its fixed order) under the mouse,
// taken as a 1 x 1 rectangle at its virtual position; touching counts. The
// found button's flag is set and the others' cleared; "select" plays for a
// new hover. Returns the index of the button, or -1.
int hoverTest(Game& game, std::initializer_list<MenuButton> buttons)
{
    const Rect mouse(game.events->getVirtualMousePosition(), 1.0f, 1.0f);
    int found = -1;
    int index = 0;
    for (const MenuButton& button : buttons) {
        if (found < 0 && rectsOverlap(mouse, button.rect))
            found = index;
        index++;
    }
    if (found < 0) {
        for (const MenuButton& button : buttons)
            button.hovered = false;
        game.display->setDefaultCursor();
        return -1;
    }
    index = 0;
    for (const MenuButton& button : buttons) {
        if (index == found) {
            if (!button.hovered && game.soundsOn)
                game.resources->playSound("select");
            button.hovered = true;
        } else {
            button.hovered = false;
        }
        index++;
    }
    game.display->setCursor(linkCursor);
    return found;
}

// Leaves the pause screen for a screen without the level: the level's bounds
// go with it.
void leavePause(Game& game, int screen)
{
    game.screen = screen;
    game.camera->clearBounds();
}

} // namespace

void Game::updateMenu()
{
    // The view, the whole virtual screen, is set at the end of every tick
    // (Game::update).

    // A toggle of the sounds in this tick reaches the music at the next tick.
    if (!menuMusicOn && soundsOn) {
        menuMusicOn = true;
        gameMusicOn = false;
        resources->playSong("menu");
        resources->stopSong("ingame");
    } else if (menuMusicOn && !soundsOn) {
        menuMusicOn = false;
        gameMusicOn = false;
        resources->stopSong("menu");
        resources->stopSong("ingame");
    }

    // The hover test comes first, so a click acts on the button found under
    // the mouse in the same tick.
    hoverScreen();
    switch (screen) {
    case Screen::MainMenu:
        updateMainMenu();
        break;
    case Screen::SelectMap:
        updateSelectMap();
        break;
    case Screen::Pause:
        updatePause();
        break;
    case Screen::Tutorial:
        updateTutorial();
        break;
    default:
        break;
    }
}

void Game::toggleSounds()
{
    soundsOn = !soundsOn;
}

void Game::hoverScreen()
{
    MenuLayout& m = *menuLayout;
    switch (screen) {
    case Screen::MainMenu: {
        const int tutorial = 2;
        if (hoverTest(*this, {{m.selectButton, m.selectHovered},
                              {m.exitButton, m.exitHovered},
                              {m.tutorialButton, m.tutorialHovered},
                              {m.soundsButton, m.soundsHovered}}) == tutorial)
            tutorialReturnsToPause = false;
        break;
    }
    case Screen::SelectMap:
        hoverTest(*this, {{m.playButton, m.playHovered},
                          {m.leftButton, m.leftHovered},
                          {m.rightButton, m.rightHovered},
                          {m.backButton, m.backHovered},
                          {m.resetButton, m.resetHovered},
                          {m.soundsButton, m.soundsHovered}});
        break;
    case Screen::Pause: {
        const int select = 1;
        const int tutorial = 2;
        const int main = 3;
        const int hit = hoverTest(*this, {{m.resumeButton, m.resumeHovered},
                                          {m.selectButton, m.selectHovered},
                                          {m.tutorialButton, m.tutorialHovered},
                                          {m.mainButton, m.mainHovered},
                                          {m.soundsButton, m.soundsHovered}});
        if (hit == select || hit == main)
            tutorialReturnsToPause = false;
        else if (hit == tutorial)
            tutorialReturnsToPause = true;
        break;
    }
    case Screen::Tutorial:
        hoverTest(*this, {{m.backButton, m.backHovered}, {m.soundsButton, m.soundsHovered}});
        break;
    default:
        break;
    }
}

void Game::updateMainMenu()
{
    MenuLayout& m = *menuLayout;

    // None of the three excludes the others: Escape quits after this tick,
    // and a click or Enter in the same tick still acts.
    if (events->wasKeyPressed(ALLEGRO_KEY_ESCAPE))
        quit = 1;
    if (events->wasMousePressed(leftButton)) {
        playSound("click");
        if (m.selectHovered)
            screen = Screen::SelectMap;
        else if (m.tutorialHovered)
            screen = Screen::Tutorial;
        else if (m.exitHovered)
            quit = 1;
        else if (m.soundsHovered)
            toggleSounds();
        display->setDefaultCursor();
    }
    if (events->wasKeyPressed(ALLEGRO_KEY_ENTER))
        screen = Screen::SelectMap;
}

void Game::updateSelectMap()
{
    MenuLayout& m = *menuLayout;

    // The first that holds: keys before the click.
    if (events->wasKeyPressed(ALLEGRO_KEY_ESCAPE)) {
        screen = Screen::MainMenu;
        display->setDefaultCursor();
    } else if (events->wasKeyPressed(ALLEGRO_KEY_RIGHT)) {
        selectedLevel++;
    } else if (events->wasKeyPressed(ALLEGRO_KEY_LEFT)) {
        selectedLevel--;
    } else if (events->wasKeyPressed(ALLEGRO_KEY_ENTER)) {
        display->setDefaultCursor();
        startSelectedLevel();
    } else if (events->wasMousePressed(leftButton)) {
        display->setDefaultCursor();
        playSound("click");
        if (m.rightHovered)
            selectedLevel++;
        else if (m.leftHovered)
            selectedLevel--;
        else if (m.backHovered)
            screen = Screen::MainMenu;
        else if (m.playHovered)
            startSelectedLevel();
        else if (m.resetHovered)
            levelList->resetProgress();
        else if (m.soundsHovered)
            toggleSounds();
    }

    // The choice stops at both ends. With an empty list it stays at 1,
    // which names no level and is never started.
    if (selectedLevel < 1)
        selectedLevel = 1;
    else if (selectedLevel > levelList->getCount())
        selectedLevel = levelList->getCount() < 1 ? 1 : levelList->getCount();
}

void Game::startSelectedLevel()
{
    if (levelList->getCount() < 1)
        return;
    tileMap = levelList->startLevel(selectedLevel, Kest::tvec2<float>(0.0f, 0.0f));
    tileMap->activateObject("PLAYER");
    inGame = true;
    ghostMode = false;
    frameTimer->reset();
    ghostRecorder->reset();
    ghostRecorder->startRecording();
    if (tileMap->hasTimeLimit())
        frameTimer->setCountdown(timeLimitTicks());
    // The music switches to the in-game song at the first tick of play.
}

void Game::updatePause()
{
    MenuLayout& m = *menuLayout;

    // Resuming leaves the level, its timer and its recording as they were.
    if (events->wasKeyPressed(ALLEGRO_KEY_ESCAPE)) {
        inGame = true;
        tutorialReturnsToPause = false;
        display->setDefaultCursor();
    } else if (events->wasMousePressed(leftButton)) {
        display->setDefaultCursor();
        playSound("click");
        if (m.resumeHovered) {
            inGame = true;
        } else if (m.selectHovered) {
            leavePause(*this, Screen::SelectMap);
        } else if (m.tutorialHovered) {
            screen = Screen::Tutorial;
        } else if (m.mainHovered) {
            leavePause(*this, Screen::MainMenu);
        } else if (m.soundsHovered) {
            toggleSounds();
        }
    } else if (events->wasKeyPressed(ALLEGRO_KEY_BACKSPACE)) {
        leavePause(*this, Screen::SelectMap);
    }
}

void Game::updateTutorial()
{
    MenuLayout& m = *menuLayout;

    // Escape acts as a click: it leaves only with the mouse over Back.
    if (events->wasKeyPressed(ALLEGRO_KEY_ESCAPE) || events->wasMousePressed(leftButton)) {
        playSound("click");
        display->setDefaultCursor();
        if (m.backHovered)
            screen = tutorialReturnsToPause ? Screen::Pause : Screen::MainMenu;
        else if (m.soundsHovered)
            toggleSounds();
    }
}

void Game::drawMenu()
{
    const MenuLayout& m = *menuLayout;
    auto button = [&](const Rect& rect, bool hovered, const char* name) {
        resources->drawScreenBitmap(std::string("m_") + name + (hovered ? "_1" : "_0"), rect, false);
    };
    auto soundsButton = [&]() {
        resources->drawScreenBitmap(soundsOn ? "m_sounds_1" : "m_sounds_0", m.soundsButton, false);
    };
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    const bool levelShown = levelList->getCount() >= 1;

    switch (screen) {
    case Screen::MainMenu:
        resources->drawBitmapToView("main_menu");
        button(m.selectButton, m.selectHovered, "select");
        button(m.tutorialButton, m.tutorialHovered, "tutorial");
        button(m.exitButton, m.exitHovered, "exit");
        soundsButton();
        break;
    case Screen::SelectMap:
        resources->drawBitmapToView("menu");
        resources->drawScreenBitmap("m_map", m.mapPanel, false);
        button(m.playButton, m.playHovered, "play");
        button(m.backButton, m.backHovered, "back");
        button(m.leftButton, m.leftHovered, "left");
        button(m.rightButton, m.rightHovered, "right");
        button(m.resetButton, m.resetHovered, "reset");
        soundsButton();
        if (levelShown) {
            // A world-space draw: in the menus the view is the virtual screen.
            resources->drawBatch(levelList->getPreviewKey(selectedLevel), m.previewArea, false);
            drawShadowedText(60, Kest::tvec2<float>(1290, 60), Kest::tvec2<float>(1280, 50), ALLEGRO_ALIGN_CENTRE,
                             levelList->getName(selectedLevel), white);
            const char* stars = "m_noStar";
            if (levelList->isDone(selectedLevel)) {
                drawShadowedText(25, Kest::tvec2<float>(1288, 273), Kest::tvec2<float>(1280, 265),
                                 ALLEGRO_ALIGN_CENTRE, "DONE " + levelList->getBestTimeText(selectedLevel), white);
                switch (levelList->getStars(selectedLevel)) {
                case 1:
                    stars = "m_oneStar";
                    break;
                case 2:
                    stars = "m_twoStars";
                    break;
                case 3:
                    stars = "m_threeStars";
                    break;
                default:
                    break;
                }
            }
            resources->drawScreenBitmap(stars, Rect(1280, 1130, 420, 80), true);
        }
        break;
    case Screen::Pause:
        resources->drawBitmapToView("menu");
        button(m.resumeButton, m.resumeHovered, "resume");
        button(m.selectButton, m.selectHovered, "select");
        button(m.tutorialButton, m.tutorialHovered, "tutorial");
        button(m.mainButton, m.mainHovered, "main");
        soundsButton();
        if (levelShown)
            drawShadowedText(60, Kest::tvec2<float>(1290, 110), Kest::tvec2<float>(1280, 100), ALLEGRO_ALIGN_CENTRE,
                             levelList->getName(selectedLevel), white);
        break;
    case Screen::Tutorial:
        resources->drawBitmapToView("tutorial");
        button(m.backButton, m.backHovered, "back");
        soundsButton();
        break;
    default:
        break;
    }
}
