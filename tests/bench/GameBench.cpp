// What a player waits for in a level, measured on the real game under a
// private Xvfb display, driven like the xvfb tests drive it: the timer is
// stopped and every tick is one injected timer event run through the loop,
// followed by the frame the loop draws when nothing waits.
//
//   levelStartTick: the tick of the map selection in which Enter starts the
//     level, with the level's first frame (the previous level is destroyed
//     in the same call, as after every level played before).
//   startLevel: LevelList::startLevel alone.
//   tickAndFrame: one tick of play and its frame, the player standing still.
//   loadFont: the 96 sizes of the shipped font.
//   startUp: a new game's Game::init (Allegro, the display, the level list
//     and its previews), Game::loadResources and its loop up to the first
//     menu frame, with the shipped list and with 100 levels (the shipped
//     ones over and over); the counters split it into those three parts.
//     Unlike scripts/measure-startup it runs in a process that has started
//     before, so it leaves out loading the program and its libraries.
//
// Levels: the largest shipped level (by world area), a dark level (the first
// shipped one, or the largest made dark), a generated 128 x 128 level with
// tiles of 128 units (16384 units a side, as large as a texture may be) and of
// 32, and a following-camera corridor of 150 x 12 cells of 128 units (19200 x
// 1536, longer than a texture may be) and of 128 x 12 (16384 x 1536).
// The data tree is the shipped content (BenchTree).
#include "BenchTree.hpp"
#include "Display.hpp"
#include "Events.hpp"
#include "Game.hpp"
#include "Resources.hpp"
#include "LevelList.hpp"
#include "Screen.hpp"
#include "TestSupport.hpp"
#include "TileMap.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_opengl.h>
#include <allegro5/allegro_ttf.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <climits>
#include <iostream>
#include <cstdlib>
#include <stdlib.h>
#include <map>

#include <unistd.h>

namespace {

// OpenAL's own null device keeps time like a sound card. The null ALSA
// device that tests/support/headless.sh sets up takes samples as fast as they
// come, so OpenAL's mixer would spin on a core of its own and take it from
// the GL driver's threads. Called before a game starts its audio.
void usePacedSound()
{
    setenv("ALSOFT_DRIVERS", "null", 1);
}

// Standard output goes nowhere while one lives.
struct Quiet {
    Quiet() : saved(std::cout.rdbuf(nullptr)) {}
    ~Quiet() { std::cout.rdbuf(saved); }
    std::streambuf* saved;
};

// The shipped levels, then the ones made here; numbers are list positions.
struct Bench {
    Bench()
    {
        std::vector<BenchTree::Level> list = BenchTree::shipped();
        if (list.empty())
            return;
        const int big = BenchTree::largest(list);
        levels["largest"] = big + 1;
        int dark = BenchTree::firstDark(list);
        if (dark < 0) {
            list.push_back(BenchTree::darkened(list[big], "Resources/Levels/bench_dark.txt"));
            dark = (int)list.size() - 1;
        }
        levels["dark"] = dark + 1;
        // 128 units, the tiles of most shipped levels: the largest that 128
        // cells a side allow (16384 units).
        list.push_back(BenchTree::generated("Resources/Levels/bench_128x128.txt", 128, 128));
        levels["128x128"] = (int)list.size();
        list.push_back(BenchTree::generated("Resources/Levels/bench_128x128_32.txt", 128, 32));
        levels["128x128_tile32"] = (int)list.size();
        // Longer than the largest texture (16384 under the software GL): its
        // batches are memory bitmaps, drawn in software. The same corridor
        // cut to the largest texture's length, for comparison.
        list.push_back(BenchTree::corridor("Resources/Levels/bench_corridor.txt", 150, 12, 128));
        levels["corridor"] = (int)list.size();
        list.push_back(BenchTree::corridor("Resources/Levels/bench_corridor_128.txt", 128, 12, 128));
        levels["corridor_128"] = (int)list.size();

        folder = BenchTree::make(list);
        usePacedSound();
        char here[PATH_MAX];
        if (getcwd(here, sizeof here) == nullptr || chdir(folder.c_str()) != 0)
            std::abort();
        game.init();
        game.loadResources();
        game.events->stopTimer();
        tick();
        ready = true;
    }

    void key(int keyCode)
    {
        ALLEGRO_EVENT event = {};
        event.type = ALLEGRO_EVENT_KEY_DOWN;
        event.keyboard.keycode = keyCode;
        game.events->inject(event);
        event.type = ALLEGRO_EVENT_KEY_UP;
        game.events->inject(event);
    }

    // One tick and whatever the loop does after it: a frame once nothing waits.
    // A level's teardown prints a line per released key; not amid the figures.
    void tick()
    {
        Quiet quiet;
        ALLEGRO_EVENT event = {};
        event.type = ALLEGRO_EVENT_TIMER;
        game.events->inject(event);
        do {
            game.loopPass();
        } while (!game.events->isQueueEmpty());
        // The GL driver may still be drawing what the frame asked for.
        glFinish();
    }

    // Back on the map selection with level n chosen: out of a level through
    // the pause menu, as a player leaves it.
    void toSelection(int n)
    {
        if (game.inGame) {
            key(ALLEGRO_KEY_ESCAPE);
            tick();
            key(ALLEGRO_KEY_BACKSPACE);
            tick();
        }
        game.screen = Screen::SelectMap;
        game.selectedLevel = n;
    }

    void startLevel(int n)
    {
        toSelection(n);
        key(ALLEGRO_KEY_ENTER);
        tick();
        if (!game.inGame) {
            std::fprintf(stderr, "level %d did not start\n", n);
            std::abort();
        }
    }

    // False until there are shipped levels to measure.
    bool ready = false;
    std::string folder;
    std::map<std::string, int> levels;
    Game game;
};

// Made at the first use and kept to the end, like the game it holds; null
// when the repository ships no level list yet.
Bench* bench(benchmark::State& state)
{
    static Bench* shared = new Bench;
    if (!shared->ready) {
        state.SkipWithError("no shipped level list");
        return nullptr;
    }
    return shared;
}

void levelStartTick(benchmark::State& state, const char* which)
{
    Bench* shared = bench(state);
    if (shared == nullptr)
        return;
    Bench& b = *shared;
    const int n = b.levels[which];
    b.startLevel(n);
    for (auto _ : state) {
        state.PauseTiming();
        b.toSelection(n);
        b.key(ALLEGRO_KEY_ENTER);
        state.ResumeTiming();
        b.tick();
    }
    state.counters["cells"] = (double)b.game.tileMap->tiles.size();
}

void startLevel(benchmark::State& state, const char* which)
{
    Bench* shared = bench(state);
    if (shared == nullptr)
        return;
    Bench& b = *shared;
    const int n = b.levels[which];
    b.startLevel(n);
    for (auto _ : state) {
        Quiet quiet;
        b.game.levelList->startLevel(n, Kest::tvec2<float>(0.0f, 0.0f));
        glFinish();
    }
    // The game holds the level the list started last.
    b.game.tileMap = b.game.levelList->current;
}

void tickAndFrame(benchmark::State& state, const char* which)
{
    Bench* shared = bench(state);
    if (shared == nullptr)
        return;
    Bench& b = *shared;
    b.startLevel(b.levels[which]);
    for (auto _ : state)
        b.tick();
    if (!b.game.inGame)
        state.SkipWithError("the level ended while it was measured");
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void startUp(benchmark::State& state)
{
    const std::vector<BenchTree::Level> shipped = BenchTree::shipped();
    if (shipped.empty()) {
        state.SkipWithError("no shipped level list");
        return;
    }
    std::vector<BenchTree::Level> list;
    const size_t count = state.range(0) == 0 ? shipped.size() : (size_t)state.range(0);
    while (list.size() < count)
        list.push_back(shipped[list.size() % shipped.size()]);
    const std::string folder = BenchTree::make(list);
    usePacedSound();
    char here[PATH_MAX];
    if (getcwd(here, sizeof here) == nullptr || chdir(folder.c_str()) != 0)
        std::abort();
    double init = 0, load = 0, frame = 0;
    for (auto _ : state) {
        // Never deleted, as in the game.
        Game* game = new Game;
        auto start = std::chrono::steady_clock::now();
        game->init();
        init += millisecondsSince(start);
        start = std::chrono::steady_clock::now();
        game->loadResources();
        load += millisecondsSince(start);
        start = std::chrono::steady_clock::now();
        // The loading picture was the first flip; the first menu frame is the next.
        while (game->display->getFlipCount() < 2)
            game->loopPass();
        glFinish();
        frame += millisecondsSince(start);
        state.PauseTiming();
        game->teardown();
        state.ResumeTiming();
    }
    if (chdir(here) != 0)
        std::abort();
    removeTree(folder);
    state.counters["levels"] = (double)count;
    state.counters["init_ms"] = benchmark::Counter(init, benchmark::Counter::kAvgIterations);
    state.counters["loadResources_ms"] = benchmark::Counter(load, benchmark::Counter::kAvgIterations);
    state.counters["firstFrame_ms"] = benchmark::Counter(frame, benchmark::Counter::kAvgIterations);
}

// Resources::loadFont of the shipped font: its 96 sizes, glyphs not yet drawn.
void loadFont(benchmark::State& state)
{
    const std::string path = BenchTree::dataRoot() + "/Resources/Fonts/font1.ttf";
    al_init();
    al_init_font_addon();
    al_init_ttf_addon();
    Resources resources;
    for (auto _ : state) {
        resources.loadFont(path, "font1");
        state.PauseTiming();
        resources.destroyFont("font1");
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(loadFont)->Unit(benchmark::kMillisecond);
// First, while no other game holds the display.
BENCHMARK(startUp)->ArgName("levels")->Arg(0)->Arg(100)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(levelStartTick, largest, "largest")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(levelStartTick, dark, "dark")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(levelStartTick, 128x128, "128x128")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startLevel, largest, "largest")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(levelStartTick, 128x128_tile32, "128x128_tile32")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startLevel, 128x128, "128x128")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startLevel, 128x128_tile32, "128x128_tile32")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tickAndFrame, largest, "largest")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tickAndFrame, dark, "dark")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tickAndFrame, 128x128, "128x128")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(levelStartTick, corridor, "corridor")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(levelStartTick, corridor_128, "corridor_128")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tickAndFrame, corridor, "corridor")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tickAndFrame, corridor_128, "corridor_128")->Unit(benchmark::kMillisecond);
