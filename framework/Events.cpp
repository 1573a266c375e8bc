// al_clear_keyboard_state is declared only for the unstable API of Allegro
// (5.2.8 here), and only if this comes before the first include of allegro.h.
#define ALLEGRO_UNSTABLE
#include "Events.hpp"

#include "Display.hpp"
#include "Errors.hpp"
#include "InputState.hpp"

Events::Events()
{
    input = new InputState;
}

Events::~Events() {}

void Events::init(Display* display, Camera* camera, double ticksPerSecond)
{
    bool ok = true;
    this->display = display;
    this->camera = camera;

    for (int i = 0; i < ALLEGRO_KEY_MAX; i++)
        input->keyPressed[i] = false;
    for (int i = 0; i < 5; i++)
        input->mousePressed[i] = false;

    timer = al_create_timer(1.0 / ticksPerSecond);
    if (timer == nullptr) {
        printError("Allegro timer initialize.");
        ok = false;
    }
    queue = al_create_event_queue();
    if (queue == nullptr) {
        printError("Allegro event queue create.");
        ok = false;
    }

    // A missing handle is never used: its steps are left out and the one
    // fatal error below ends the set-up.
    if (queue != nullptr) {
        al_register_event_source(queue, al_get_display_event_source(display->get()));
        if (timer != nullptr)
            al_register_event_source(queue, al_get_timer_event_source(timer));
        al_register_event_source(queue, al_get_keyboard_event_source());
        al_register_event_source(queue, al_get_mouse_event_source());

        // Lives as long as the queue: the event source of injected input.
        injectedSource = new ALLEGRO_EVENT_SOURCE;
        al_init_user_event_source(injectedSource);
        al_register_event_source(queue, injectedSource);
    }
    if (timer != nullptr)
        al_start_timer(timer);

    // Halved in integers first.
    setMousePosition(static_cast<float>(display->getWidth() / 2),
                     static_cast<float>(display->getHeight() / 2));
    input->mouseInDisplay = true;

    if (!ok)
        fatalError("Allegro events");
}

void Events::waitEvent()
{
    al_wait_for_event(queue, &event);
    // Both states are read after every event, timer ticks included.
    al_get_keyboard_state(&input->keyboard);
    al_get_mouse_state(&input->mouse);

    if (event.any.source == injectedSource)
        applyInjected();
    if (injectedMouseMoved) {
        input->mouse.x = injectedMouseX;
        input->mouse.y = injectedMouseY;
    }
    input->mouse.buttons |= injectedButtons;

    switch (event.type) {
    case ALLEGRO_EVENT_KEY_DOWN:
        for (int i = 0; i < ALLEGRO_KEY_MAX; i++) {
            if (event.keyboard.keycode == i)
                input->keyPressed[i] = true;
        }
        break;
    case ALLEGRO_EVENT_MOUSE_BUTTON_DOWN: {
        const unsigned int b = event.mouse.button;
        // Left marks 1 and 3, right 2 and 3, middle 4.
        if ((b & 1) && (b & 2)) {
            input->mousePressed[4] = true;
        } else {
            for (unsigned int i = 0; i < 5; i++) {
                if (b & i)
                    input->mousePressed[i] = true;
            }
        }
        break;
    }
    case ALLEGRO_EVENT_MOUSE_ENTER_DISPLAY:
        input->mouseInDisplay = true;
        break;
    case ALLEGRO_EVENT_MOUSE_LEAVE_DISPLAY:
        input->mouseInDisplay = false;
        break;
    case ALLEGRO_EVENT_DISPLAY_SWITCH_OUT:
        releaseHeldKeys();
        break;
    default:
        break;
    }
}

void Events::endFrame()
{
    input->prevMouseX = static_cast<float>(input->mouse.x);
    input->prevMouseY = static_cast<float>(input->mouse.y);
    input->prevMouseZ = static_cast<float>(input->mouse.z);
    input->prevMouseW = static_cast<float>(input->mouse.w);
    for (int i = 0; i < ALLEGRO_KEY_MAX; i++)
        input->keyPressed[i] = false;
    for (int i = 0; i < 5; i++)
        input->mousePressed[i] = false;
}

void Events::destroy()
{
    al_destroy_timer(timer);
    al_destroy_event_queue(queue);
    // The source of injected input lives as long as the queue.
    if (injectedSource != nullptr) {
        al_destroy_user_event_source(injectedSource);
        delete injectedSource;
        injectedSource = nullptr;
    }
}

bool Events::isTimerTick()
{
    return event.type == ALLEGRO_EVENT_TIMER;
}

bool Events::isDisplayClosed()
{
    return event.type == ALLEGRO_EVENT_DISPLAY_CLOSE;
}

bool Events::isQueueEmpty()
{
    return al_is_event_queue_empty(queue);
}

bool Events::isKeyDown(unsigned int keyCode)
{
    if (keyCode >= ALLEGRO_KEY_MAX)
        return false;
    return al_key_down(&input->keyboard, static_cast<int>(keyCode)) || injectedKeys[keyCode];
}

bool Events::wasKeyPressed(int keyCode)
{
    return input->keyPressed[keyCode];
}

bool Events::isMouseDown(unsigned int buttonMask)
{
    if (buttonMask >= 5)
        return false;
    return (input->mouse.buttons & static_cast<int>(buttonMask)) != 0;
}

bool Events::wasMousePressed(int buttonMask)
{
    return input->mousePressed[buttonMask];
}

void Events::getMousePosition(float& x, float& y)
{
    x = static_cast<float>(input->mouse.x);
    y = static_cast<float>(input->mouse.y);
}

void Events::setMousePosition(float x, float y)
{
    al_set_mouse_xy(display->get(), static_cast<int>(x), static_cast<int>(y));
}

float Events::getVirtualMouseX()
{
    return static_cast<float>(input->mouse.x) / static_cast<float>(display->getWidth()) * 2560.0f;
}

float Events::getVirtualMouseY()
{
    return static_cast<float>(input->mouse.y) / static_cast<float>(display->getHeight()) * 1440.0f;
}

Kest::tvec2<float> Events::getVirtualMousePosition()
{
    return Kest::tvec2<float>(getVirtualMouseX(), getVirtualMouseY());
}

void Events::inject(const ALLEGRO_EVENT& event)
{
    ALLEGRO_EVENT copy = event;
    al_emit_user_event(injectedSource, &copy, nullptr);
}

void Events::stopTimer()
{
    al_stop_timer(timer);
    al_flush_event_queue(queue);
}

void Events::releaseHeldKeys()
{
    // A key let go while another window has the focus is released there, so
    // Allegro would keep it down (and the player walking) until it is pressed
    // again. The clearing puts a key-up for each held key into the queue,
    // which waitEvent takes without effect. Injected keys go up with the real
    // ones; the mouse is left alone, as X sends a button's release to the
    // window that took its press.
    al_clear_keyboard_state(display->get());
    al_get_keyboard_state(&input->keyboard);
    for (int i = 0; i < ALLEGRO_KEY_MAX; i++)
        injectedKeys[i] = false;
}

void Events::applyInjected()
{
    switch (event.type) {
    case ALLEGRO_EVENT_KEY_DOWN:
    case ALLEGRO_EVENT_KEY_UP:
        if (event.keyboard.keycode >= 0 && event.keyboard.keycode < ALLEGRO_KEY_MAX)
            injectedKeys[event.keyboard.keycode] = event.type == ALLEGRO_EVENT_KEY_DOWN;
        break;
    case ALLEGRO_EVENT_MOUSE_AXES:
    case ALLEGRO_EVENT_MOUSE_BUTTON_DOWN:
    case ALLEGRO_EVENT_MOUSE_BUTTON_UP:
        injectedMouseMoved = true;
        injectedMouseX = event.mouse.x;
        injectedMouseY = event.mouse.y;
        if (event.type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN && event.mouse.button >= 1 && event.mouse.button <= 3)
            injectedButtons |= 1 << (event.mouse.button - 1);
        if (event.type == ALLEGRO_EVENT_MOUSE_BUTTON_UP && event.mouse.button >= 1 && event.mouse.button <= 3)
            injectedButtons &= ~(1 << (event.mouse.button - 1));
        break;
    default:
        break;
    }
}
