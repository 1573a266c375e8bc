#include "Game.hpp"

// The one line in which the windowed and the full-screen program differ.
const int Game::displayFlags = ORVELLE_DISPLAY_FLAGS;

int main(int, char**)
{
    Game game;
    game.run();
    return 0;
}
