#include "HandMap.hpp"

#include <benchmark/benchmark.h>

namespace {

// A side x side map of 32-unit tiles: floor everywhere, walls on the border,
// and 50 switches of 10 groups with a door each near the top-left corner.
// Both objects stand on a switch and touch a wall, so every tick presses,
// opens a group, scans nine cells and undoes a move.
std::vector<std::string> rows(int side)
{
    std::vector<std::string> rows;
    for (int y = 0; y < side; y++) {
        std::string row;
        for (int x = 0; x < side; x++) {
            const int switchNumber = (y - 1) * 14 + (x - 1);
            if (x == 0 || y == 0 || x == side - 1 || y == side - 1)
                row += "# ";
            else if (y <= 4 && x <= 14 && switchNumber < 50)
                row += std::string("S") + (char)('0' + switchNumber % 10);
            else if (y == 5 && x <= 10)
                row += std::string("D") + (char)('0' + x - 1);
            else
                row += ". ";
        }
        rows.push_back(row);
    }
    return rows;
}

void BM_TileMapUpdate(benchmark::State& state)
{
    HandMap hand(rows((int)state.range(0)), 32);
    // Standing on switches in the second row, pushing up into the border wall.
    hand.put("GHOST", 40, 33, 16);
    hand.put("PLAYER", 104, 33, 16);
    TileMap* map = hand.map;
    MAP::Object* player = map->objects["PLAYER"];
    const Rect start = player->rect;
    for (auto _ : state) {
        player->rect.y = start.y - 1;  // one step up into the wall, undone by the update
        map->update();
        benchmark::DoNotOptimize(player->rect.y);
    }
    if (player->rect.y != start.y)
        state.SkipWithError("the wall did not stop the PLAYER");
}

} // namespace

BENCHMARK(BM_TileMapUpdate)->Arg(16)->Arg(512);
