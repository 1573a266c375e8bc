#pragma once

#include "Rect.hpp"

#include <allegro5/allegro.h>

namespace Kest {

struct AnimationData;

// One running animation: a sheet played once, frame by frame in row-major
// order, into a destination in world units, then dropped by the update that
// finds it past its last frame. Owned by the resource store's list.
struct Animation {
    AnimationData* data = nullptr;
    // World units, top-left form.
    Rect destination;
    // false: frame-counted (countdown, ticksPerFrame); true: timed (elapsed, step).
    bool timed = false;
    int countdown = 0;
    int ticksPerFrame = 0;
    // Frames elapsed since the start, and frames added per tick.
    double elapsed = 0.0;
    double step = 0.0;
    int column = 0;
    int row = 0;
    bool tinted = false;
    ALLEGRO_COLOR tint = {0.0f, 0.0f, 0.0f, 0.0f};
};

} // namespace Kest
