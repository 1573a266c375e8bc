#pragma once

#include <allegro5/allegro.h>

// The keyboard and mouse as the event source last saw them, and what went down
// since the last tick. Owned by Events.
struct InputState {
    // Held keys and the mouse (x, y, z, w in window pixels, buttons 1 left,
    // 2 right, 4 middle), refreshed after every event.
    ALLEGRO_KEYBOARD_STATE keyboard;
    ALLEGRO_MOUSE_STATE mouse;
    // By Allegro key code: a key-down event for it since the last endFrame.
    bool keyPressed[ALLEGRO_KEY_MAX];
    // By button mask: 1 left, 2 right, 3 left or right, 4 middle; 0 never set.
    bool mousePressed[5];
    // Saved by endFrame; nothing reads them.
    float prevMouseX;
    float prevMouseY;
    float prevMouseZ;
    float prevMouseW;
    bool mouseInDisplay;
};
