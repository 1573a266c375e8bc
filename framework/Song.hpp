#pragma once

#include <allegro5/allegro_audio.h>

namespace Kest {

// Looping music: the sample and its own instance, attached to the default
// mixer in loop mode. Loading does not start it.
struct Song {
    ALLEGRO_SAMPLE* sample;
    ALLEGRO_SAMPLE_INSTANCE* instance;
};

} // namespace Kest
