#include "Errors.hpp"

#include <allegro5/allegro.h>
#include <allegro5/allegro_native_dialog.h>

#include <cstdlib>
#include <iostream>

void printError(std::string message)
{
    std::cout << "ERROR: " << message << std::endl;
}

void fatalError(std::string text)
{
    fatalError(text, "ERROR");
}

void fatalError(std::string text, std::string heading)
{
    // The box reads the text up to its first NUL byte; a path read from a
    // file may hold one, and the rest of the text must still show.
    std::string shown;
    for (char c : text) {
        if (c == '\0')
            shown += "\\0";
        else
            shown += c;
    }
    // The parent is whatever display is current: none before the window exists.
    al_show_native_message_box(al_get_current_display(), "ERROR", heading.c_str(), shown.c_str(),
                               nullptr, ALLEGRO_MESSAGEBOX_ERROR);
    std::exit(-1);
}
