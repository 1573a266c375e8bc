#pragma once

// The pictures of the world: tiles, the player, the ghost, the ghost's
// replay arrows. Each draws onto the current target at (x, y) with side
// `size` in the target's coordinates, so the same art serves the tile files
// (128 pixels a side), the tutorial and the menu backgrounds. Tiles are
// opaque and cover their whole square; figures and arrows are transparent
// around their shape.

namespace WorldArt {

void floor(float x, float y, float size);
void wall(float x, float y, float size);
void doorClosed(float x, float y, float size);
void doorOpen(float x, float y, float size);
// A switch: pressed while something stands on it, and then opens its doors.
void doorSwitch(float x, float y, float size, bool pressed);
// A light switch: darknessOn for the kind that puts the level into darkness
// (a moon), else the kind that lights it (a sun).
void lightSwitch(float x, float y, float size, bool darknessOn, bool pressed);
void deadly(float x, float y, float size);
void goal(float x, float y, float size);

void player(float x, float y, float size);
// The ghost at the given opacity (1 opaque).
void ghost(float x, float y, float size, float opacity = 1.0f);

enum class Direction { Up, Down, Left, Right };
// An arrowhead at the edge of the square in its direction, so that the four
// arrows drawn over one square never cover each other.
void arrow(float x, float y, float size, Direction direction);

} // namespace WorldArt
