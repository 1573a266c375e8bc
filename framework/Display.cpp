#include "Display.hpp"

#include "Errors.hpp"

Display::Display() {}

Display::~Display() {}

void Display::create(std::string title, int width, int height, int flags)
{
    al_set_new_display_flags(flags);

    // Equality, not bit tests: a full-screen bit combined with another flag
    // takes the size given.
    if (flags == ALLEGRO_FULLSCREEN || flags == ALLEGRO_FULLSCREEN_WINDOW) {
        const int modes = al_get_num_display_modes();
        if (modes > 0) {
            al_get_display_mode(modes - 1, &mode);
            this->width = mode.width;
            this->height = mode.height;
        } else {
            // No mode listed: take the desktop of the first monitor instead.
            ALLEGRO_MONITOR_INFO monitor;
            if (!al_get_monitor_info(0, &monitor))
                fatalError("Allegro display");
            this->width = monitor.x2 - monitor.x1;
            this->height = monitor.y2 - monitor.y1;
        }
    } else {
        this->width = width;
        this->height = height;
    }

    display = al_create_display(this->width, this->height);
    if (display == nullptr)
        fatalError("Allegro display");

    if (flags == ALLEGRO_WINDOWED || flags == ALLEGRO_RESIZABLE)
        al_set_window_position(display, 10, 10);
    else
        al_set_window_position(display, 0, 0);

    al_set_window_title(display, title.c_str());
    al_clear_to_color(al_map_rgb(0, 0, 0));
    // Ordinary alpha blending: the state that all drawing assumes.
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA);
}

void Display::destroy()
{
    al_destroy_display(display);
}

void Display::flip()
{
    al_flip_display();
    flipCount = flipCount + 1;
}

ALLEGRO_DISPLAY* Display::get()
{
    return display;
}

int Display::getWidth()
{
    return width;
}

int Display::getHeight()
{
    return height;
}

int Display::getFlipCount()
{
    return flipCount;
}

void Display::setCursor(int cursorId)
{
    al_set_system_mouse_cursor(display, static_cast<ALLEGRO_SYSTEM_MOUSE_CURSOR>(cursorId));
}

void Display::setDefaultCursor()
{
    al_set_system_mouse_cursor(display, ALLEGRO_SYSTEM_MOUSE_CURSOR_DEFAULT);
}
