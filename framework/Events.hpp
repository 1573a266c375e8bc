#pragma once

#include "tvec2.hpp"

#include <allegro5/allegro.h>

class Camera;
class Display;
struct InputState;

// The single event source of the game: the Allegro queue, the fixed-step timer,
// the keyboard and mouse state, and the keys and buttons that went down since
// the last tick. The queries come in two forms: is... for a state now (a held
// key, the last event's type) and was... for something that happened since the
// last tick, which endFrame clears after each update.
class Events {
public:
    Events();
    ~Events();

    void init(Display* display, Camera* camera, double ticksPerSecond);
    // Blocks until an event arrives, takes it and refreshes the input state.
    // When the window loses the keyboard focus, no key is held any more.
    void waitEvent();
    // Ends a tick: the pressed flags are cleared.
    void endFrame();
    void destroy();

    bool isTimerTick();
    bool isDisplayClosed();
    bool isQueueEmpty();

    // Codes of 227 and above are never down.
    bool isKeyDown(unsigned int keyCode);
    // The caller keeps the code below 227.
    bool wasKeyPressed(int keyCode);
    // Masks of 5 and above are never down.
    bool isMouseDown(unsigned int buttonMask);
    // The caller keeps the mask below 5.
    bool wasMousePressed(int buttonMask);

    // In window pixels.
    void getMousePosition(float& x, float& y);
    void setMousePosition(float x, float y);
    // In the 2560 x 1440 units of the virtual screen, whatever the camera shows.
    float getVirtualMouseX();
    float getVirtualMouseY();
    Kest::tvec2<float> getVirtualMousePosition();

    // For tests and tools that drive the game tick by tick: an event put into
    // the queue as if Allegro had delivered it. Key-down and key-up events also
    // hold and release the key, mouse events move the mouse and hold or release
    // its buttons, on top of the real devices.
    void inject(const ALLEGRO_EVENT& event);
    // Stops the real timer and drops what waits in the queue, so that only
    // injected timer events make ticks.
    void stopTimer();

private:
    void applyInjected();
    void releaseHeldKeys();

    Display* display = nullptr;
    Camera* camera = nullptr;
    ALLEGRO_EVENT event = {};
    ALLEGRO_EVENT_QUEUE* queue = nullptr;
    ALLEGRO_TIMER* timer = nullptr;
    InputState* input = nullptr;

    // Injected input: its own event source and what it holds down.
    ALLEGRO_EVENT_SOURCE* injectedSource = nullptr;
    bool injectedKeys[ALLEGRO_KEY_MAX] = {};
    bool injectedMouseMoved = false;
    int injectedMouseX = 0;
    int injectedMouseY = 0;
    int injectedButtons = 0;
};
