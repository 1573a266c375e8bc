#pragma once

// The menu screens, the values of Game::screen. Playing a level is not one of
// them: it is Game::inGame, and the screen keeps its last value meanwhile.
namespace Screen {
enum : int { MainMenu = 0, SelectMap = 1, Pause = 2, Tutorial = 3 };
}
