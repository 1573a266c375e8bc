#pragma once

#include "Game.hpp"

#include <allegro5/allegro.h>

#include <string>
#include <vector>

// The real Game on the tests' data tree, driven tick by tick from outside:
// its timer is stopped, input is injected into its event source, and every
// tick is one injected timer event run through the real loop.
class GameDriver {
public:
    // Picks the repository's own Resources tree instead of the tests' tree.
    struct Shipped {};

    // Makes the data tree in a fresh folder (levelList replaces the tree's
    // list file when given), changes into it and starts the game.
    explicit GameDriver(const std::string& levelList = "");
    // Copies the repository's Resources tree into a fresh folder and starts
    // the game there, so that wins rewrite the copy's level list, never the
    // repository's.
    explicit GameDriver(Shipped);
    ~GameDriver();

    // Key held from the next tick on, until released.
    void hold(int keyCode);
    void release(int keyCode);
    // Key held through n ticks, then let go.
    void holdFor(int keyCode, int n);
    // Key pressed and released before the next tick.
    void press(int keyCode);
    // The mouse to a place on the 2560 x 1440 virtual screen.
    void moveMouse(float x, float y);
    // Moves there and clicks the left button before the next tick.
    void click(float x, float y);
    // n ticks, each followed by whatever the loop does next (a frame when
    // nothing waits).
    void tick(int n = 1);
    // One tick's timer event queued behind what waits, without running the
    // loop: a caller that runs the loop event by event (Game::loopPass) with
    // the next tick already queued gets no frame drawn in between.
    void queueTick();

    // The keys of the sounds played since the last call, in order.
    std::vector<std::string> soundsPlayed();
    bool songPlaying(const std::string& key);

    // Menu screens: from the main menu to the map selection, choose level n
    // (from 1) and start it.
    void startLevel(int n);

    std::string folder;
    Game game;

private:
    void startGame();
    // Waits until the X server has reported the game's start-up pointer move,
    // so that no report of it can reach the queue after the test begins.
    void settlePointer();
    void inject(ALLEGRO_EVENT event);
    int mouseX = 0;
    int mouseY = 0;
    std::string oldDirectory;
};
