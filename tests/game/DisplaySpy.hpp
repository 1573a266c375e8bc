#pragma once

#include "TestSupport.hpp"

// Stands between the game tests and two of Allegro's display calls: every
// flip first keeps a copy of the back buffer as it was drawn, and every system
// cursor set on the display is noted. Both then go on to Allegro as usual.
namespace DisplaySpy {

// The pixel at (x, y) of the window in the last frame flipped; alpha is
// always 255 (the window shows colours only).
Rgba framePixel(int x, int y);
// How many frames were kept so far.
int frameCount();
// The id of the last system cursor set (ALLEGRO_SYSTEM_MOUSE_CURSOR), or -1.
int lastCursor();

} // namespace DisplaySpy
