#pragma once

#include "tvec2.hpp"

#include <allegro5/allegro.h>

#include <string>

class Camera;
class Display;
class Events;
class FrameTimer;
class GhostRecorder;
class LevelList;
class Resources;
class TileMap;
struct MenuLayout;

// The root of the program: owns every long-lived object, holds the state of
// the screen machine and runs the only loop, a fixed step of 60 ticks a second
// with drawing decoupled from updating. The owned objects live for the whole
// run and are never deleted; only tileMap is replaced when a level starts.
class Game {
public:
    // Display flags of this program: 1 windowed, 2 full screen. Defined by the
    // program's main, so both programs share every other line.
    static const int displayFlags;

    Game();

    // Start-up, loading, the loop until quit, teardown.
    void run();
    void init();
    // Loads the pictures, font, songs and sounds that belong to no level,
    // behind a loading picture, lays out the menus and starts the menu song.
    void loadResources();
    // One pass of the loop: waits for one event and acts on it.
    void loopPass();
    void teardown();
    // One tick: the game while a level is played, else the menus.
    void update();
    // One frame, onto the back buffer the loop has just cleared.
    void draw();

    void updateMenu();
    void drawMenu();
    void updateGame();
    void drawGame();

    // Nonzero ends the loop.
    int quit;
    // The menu screen (a Screen value) shown while inGame is false.
    int screen;
    Display* display;
    Camera* camera;
    Events* events;
    Resources* resources;
    LevelList* levelList;
    TileMap* tileMap;
    GhostRecorder* ghostRecorder;
    FrameTimer* frameTimer;
    MenuLayout* menuLayout;
    bool inGame;
    bool tutorialReturnsToPause;
    // Gates every sound and song.
    bool soundsOn;
    bool menuMusicOn;
    bool gameMusicOn;
    // The run replays the recorded run on the GHOST.
    bool ghostMode;
    // 1-based number of the level chosen on the map selection.
    int selectedLevel;
    // Ticks left on the won state.
    int winCountdown;

private:
    // The view of what the current tick shows: the level's, by its camera
    // mode, while a level is played, else the whole virtual screen.
    void setScreenView();
    // The hover test of the current menu screen, with its effects.
    void hoverScreen();
    // The menu screens' ticks and frames.
    void updateMainMenu();
    void updateSelectMap();
    void updatePause();
    void updateTutorial();
    void startSelectedLevel();
    void toggleSounds();
    void playSound(const char* key);
    // Text with its dark shadow drawn first, in virtual-screen units.
    void drawShadowedText(int size, Kest::tvec2<float> shadowAt, Kest::tvec2<float> textAt, int flags,
                          const std::string& text, ALLEGRO_COLOR color);

    // The level's time limit in ticks.
    int timeLimitTicks();
    // A new normal run: timer, recording and level back to their start.
    void resetRun();
    // The ghost replays the recorded run again from the start.
    void rerunGhost();

    // Set by a tick, cleared when a frame is drawn.
    bool redraw;
};
