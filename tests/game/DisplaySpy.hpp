#pragma once

#include "TestSupport.hpp"

#include <string>
#include <vector>

// Stands between the game tests and three of Allegro's calls: every flip
// first keeps a copy of the back buffer as it was drawn, every system cursor
// set on the display is noted, and so is every line of text drawn. All then
// go on to Allegro as usual.
namespace DisplaySpy {

// The pixel at (x, y) of the window in the last frame flipped; alpha is
// always 255 (the window shows colours only).
Rgba framePixel(int x, int y);
// The texts drawn in the last frame flipped, in drawing order (a shadowed
// text twice).
std::vector<std::string> frameTexts();
// How many frames were kept so far.
int frameCount();
// The id of the last system cursor set (ALLEGRO_SYSTEM_MOUSE_CURSOR), or -1.
int lastCursor();

} // namespace DisplaySpy
