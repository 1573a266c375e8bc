// What one tick of the real game costs together with the frame drawn after
// it, on the tests' data tree under a real display: in play (a lit and a dark
// level) and on the map selection. At 60 ticks a second the budget is 16.7 ms.
#include "Events.hpp"
#include "GameDriver.hpp"
#include "Screen.hpp"

#include <benchmark/benchmark.h>

namespace {

void tickAndFrame(benchmark::State& state, GameDriver& driver)
{
    for (auto _ : state)
        driver.tick();
}

void BM_PlayTickAndFrame(benchmark::State& state)
{
    GameDriver driver;
    // Levels of the tests' tree: 1 is lit, 6 is dark.
    driver.startLevel(static_cast<int>(state.range(0)));
    tickAndFrame(state, driver);
}
BENCHMARK(BM_PlayTickAndFrame)->Arg(1)->Arg(6)->Unit(benchmark::kMicrosecond);

void BM_MapSelectionTickAndFrame(benchmark::State& state)
{
    GameDriver driver;
    driver.game.screen = Screen::SelectMap;
    tickAndFrame(state, driver);
}
BENCHMARK(BM_MapSelectionTickAndFrame)->Unit(benchmark::kMicrosecond);

} // namespace
