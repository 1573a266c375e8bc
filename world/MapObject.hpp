#pragma once

#include "Rect.hpp"

namespace MAP {

// A movable object of a level, "PLAYER" or "GHOST". The game moves it only
// through the Rect pointer that TileMap::getPlayer or TileMap::getGhost gives.
struct Object {
    Rect rect;
    // The rect at the end of the previous tick update; collisions undo to it.
    Rect lastRect;
    // Where a restart puts the object.
    Rect startRect;
    bool active = true;
};

} // namespace MAP
