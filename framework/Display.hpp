#pragma once

#include <allegro5/allegro.h>

#include <string>

// The single Allegro display: its creation (window or full screen), its size,
// the flip of each frame and the mouse cursor. Made once by the game and never
// deleted.
class Display {
public:
    Display();
    ~Display();

    // flags 1 (windowed) or 16 (resizable): a window of width x height at 10, 10.
    // flags 2 (full screen) or 512 (full-screen window): the size of the last
    // listed display mode, at 0, 0; width and height are then not used.
    void create(std::string title, int width, int height, int flags);
    void destroy();
    void flip();

    ALLEGRO_DISPLAY* get();
    int getWidth();
    int getHeight();
    // Frames shown so far; the game itself never asks.
    int getFlipCount();

    // A system cursor id: the menus pass 17 (the link hand) over a button.
    void setCursor(int cursorId);
    void setDefaultCursor();

private:
    ALLEGRO_DISPLAY* display = nullptr;
    ALLEGRO_DISPLAY_MODE mode = {};
    // The size asked for; the rest of the program takes it as the display size.
    int width = 0;
    int height = 0;
    int flipCount = 0;
};
