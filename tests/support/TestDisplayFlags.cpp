#include "Game.hpp"

// The game under test opens a window, like the windowed program.
const int Game::displayFlags = 1;
