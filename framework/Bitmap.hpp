#pragma once

#include <allegro5/allegro.h>

namespace Kest {

// A picture of the resource store with its size in pixels: for a loaded
// picture as Allegro reports it, for a created bitmap or batch as asked.
struct Bitmap {
    ALLEGRO_BITMAP* bitmap;
    int width;
    int height;
};

} // namespace Kest
