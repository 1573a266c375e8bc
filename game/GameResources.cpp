#include "Game.hpp"

#include "Display.hpp"
#include "MenuLayout.hpp"
#include "Resources.hpp"

#include <allegro5/allegro.h>

void Game::loadResources()
{
    // The loading picture shows at once, while the rest loads.
    resources->loadBitmap("Resources/Pictures/menu/loading.jpg", "loading");
    resources->drawBitmapToView("loading");
    display->flip();

    resources->loadFont("Resources/Fonts/font1.ttf", "font1");
    // Draws every glyph once at the sizes the menus and the play screen use,
    // into the back buffer that the first frame clears again.
    const std::string glyphs = "qwertzuiopasdfghjklyxcvbnmQWERTZUIOPASDFGHJKLYXCVBNM0123456789.,_";
    for (int size : {60, 25, 20, 15})
        resources->drawScreenText("font1", size, al_map_rgb_f(1, 1, 1), Kest::tvec2<float>(0, 0), 0, glyphs);

    resources->loadBitmap("Resources/Pictures/arrow_up.png", "arrow_up");
    resources->loadBitmap("Resources/Pictures/arrow_down.png", "arrow_down");
    resources->loadBitmap("Resources/Pictures/arrow_left.png", "arrow_left");
    resources->loadBitmap("Resources/Pictures/arrow_right.png", "arrow_right");
    resources->loadBitmap("Resources/Pictures/menu/main_menu.jpg", "main_menu");
    resources->loadBitmap("Resources/Pictures/menu/tutorial.jpg", "tutorial");
    resources->loadBitmap("Resources/Pictures/menu/menu.jpg", "menu");
    resources->loadBitmap("Resources/Pictures/menu/select_map.png", "m_map");

    // Menu rectangles are given by their centre and held in top-left form.
    menuLayout->mapPanel = Rect(1280, 720, 1600, 900).fromCenterForm();
    menuLayout->previewArea = Rect(1280, 720, 1450, 750).fromCenterForm();

    struct Button {
        const char* name;
        const char* file;
        Rect* rect;
        bool* hovered;
        Rect centred;
    } buttons[] = {
        {"select", "select", &menuLayout->selectButton, &menuLayout->selectHovered, Rect(1280, 720, 693, 173)},
        {"tutorial", "tutorial", &menuLayout->tutorialButton, &menuLayout->tutorialHovered,
         Rect(1280, 920, 480, 173)},
        {"exit", "exit", &menuLayout->exitButton, &menuLayout->exitHovered, Rect(1280, 1120, 340, 173)},
        {"main", "main_menu", &menuLayout->mainButton, &menuLayout->mainHovered, Rect(1280, 1120, 625, 173)},
        {"resume", "resume", &menuLayout->resumeButton, &menuLayout->resumeHovered, Rect(1280, 520, 500, 173)},
        {"play", "play", &menuLayout->playButton, &menuLayout->playHovered, Rect(1280, 1290, 340, 173)},
        {"back", "back", &menuLayout->backButton, &menuLayout->backHovered, Rect(60, 60, 100, 100)},
        {"left", "left", &menuLayout->leftButton, &menuLayout->leftHovered, Rect(300, 720, 250, 250)},
        {"right", "right", &menuLayout->rightButton, &menuLayout->rightHovered, Rect(2260, 720, 250, 250)},
        {"reset", "reset", &menuLayout->resetButton, &menuLayout->resetHovered, Rect(2360, 50, 360, 86)},
    };
    for (Button& button : buttons) {
        const std::string key = std::string("m_") + button.name;
        const std::string path = std::string("Resources/Pictures/menu/") + button.file;
        resources->loadBitmap(path + "_butt0.png", key + "_0");
        resources->loadBitmap(path + "_butt1.png", key + "_1");
        *button.rect = button.centred.fromCenterForm();
        *button.hovered = false;
    }

    resources->loadBitmap("Resources/Pictures/menu/noStar.png", "m_noStar");
    resources->loadBitmap("Resources/Pictures/menu/oneStar.png", "m_oneStar");
    resources->loadBitmap("Resources/Pictures/menu/twoStars.png", "m_twoStars");
    resources->loadBitmap("Resources/Pictures/menu/threeStars.png", "m_threeStars");

    resources->loadBitmap("Resources/Pictures/menu/sounds0.png", "m_sounds_0");
    resources->loadBitmap("Resources/Pictures/menu/sounds1.png", "m_sounds_1");
    // The one button given by its top-left corner: the lower right corner.
    menuLayout->soundsButton = Rect(2435, 1315, 100, 100);
    menuLayout->soundsHovered = false;

    resources->loadSong("Resources/Sounds/menu.ogg", "menu");
    resources->loadSong("Resources/Sounds/ingame.ogg", "ingame");

    resources->loadSound("Resources/Sounds/select.ogg", "select");
    resources->loadSound("Resources/Sounds/select_click.ogg", "click");
    resources->loadSound("Resources/Sounds/ghost.ogg", "ghost");
    resources->loadSound("Resources/Sounds/restart.ogg", "restart");
    resources->loadSound("Resources/Sounds/win.ogg", "win");
    resources->loadSound("Resources/Sounds/death.ogg", "death");

    soundsOn = true;
    resources->playSong("menu");
    menuMusicOn = true;
    gameMusicOn = false;
}
