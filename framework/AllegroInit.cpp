#include "AllegroInit.hpp"

#include "Errors.hpp"

#include <allegro5/allegro.h>
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

void initAllegro()
{
    bool ok = true;

    if (!al_init()) {
        printError("Allegro initialize.");
        // Every later step needs the system; there is nothing more to try.
        fatalError("Core not initialized.");
    }
    if (!al_install_audio()) {
        printError("ALLegro audio install.");
        ok = false;
    }
    if (!al_install_keyboard()) {
        printError("Allegro keyboard install.");
        ok = false;
    }
    if (!al_install_mouse()) {
        printError("Allegro mouse install.");
        ok = false;
    }
    if (!al_init_acodec_addon()) {
        printError("Allegro acodec initialize.");
        ok = false;
    }
    if (!al_init_image_addon()) {
        printError("Allegro image initialize.");
        ok = false;
    }
    if (!al_init_font_addon()) {
        printError("Allegro font initialize.");
        ok = false;
    }
    if (!al_init_ttf_addon()) {
        printError("Allegro TTF initialize.");
        ok = false;
    }
    if (!al_init_primitives_addon()) {
        printError("Allegro primitives initialize.");
        ok = false;
    }

    if (!ok)
        fatalError("Core not initialized.");
}
