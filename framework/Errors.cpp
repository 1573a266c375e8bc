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
    // The parent is whatever display is current: none before the window exists.
    al_show_native_message_box(al_get_current_display(), "ERROR", heading.c_str(), text.c_str(),
                               nullptr, ALLEGRO_MESSAGEBOX_ERROR);
    std::exit(-1);
}
