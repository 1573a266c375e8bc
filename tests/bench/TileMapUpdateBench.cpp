#include "MapObject.hpp"
#include "TileMap.hpp"

#include <benchmark/benchmark.h>

namespace {

// A side x side map of 32-unit tiles: floor everywhere, walls on the border,
// and 50 switches of 10 groups with a door each near the top-left corner.
// Both objects stand on a switch and touch a wall, so every tick presses,
// opens a group, scans nine cells and undoes a move.
TileMap* makeMap(int side)
{
    TileMap* map = new TileMap;
    map->tileSize = Kest::tvec2<float>(32, 32);
    map->mapSize = Kest::tvec2<int>(side, side);
    auto addType = [map](char mark, int kind, bool solid) {
        TileMap::Type* type = new TileMap::Type;
        type->mark = mark;
        type->kind = kind;
        type->solid = solid;
        map->types[mark] = type;
    };
    addType('.', TileMap::Decoration, false);
    addType('#', TileMap::Block, true);
    addType('S', TileMap::Switch, false);
    addType('D', TileMap::Block, true);
    for (char group = '0'; group <= '9'; group++)
        map->suffs[group] = new TileMap::Suff;
    map->suffs[' '] = new TileMap::Suff;
    for (int y = 0; y < side; y++) {
        for (int x = 0; x < side; x++) {
            TileMap::Tile* tile = new TileMap::Tile;
            tile->cell = Kest::tvec2<int>(x, y);
            tile->suffix = ' ';
            char mark = (x == 0 || y == 0 || x == side - 1 || y == side - 1) ? '#' : '.';
            const int switchNumber = (y - 1) * 14 + (x - 1);
            if (mark == '.' && y <= 4 && x <= 14 && switchNumber < 50) {
                mark = 'S';
                tile->suffix = (char)('0' + switchNumber % 10);
            } else if (mark == '.' && y == 5 && x <= 10) {
                mark = 'D';
                tile->suffix = (char)('0' + x - 1);
            }
            tile->type = map->types[mark];
            map->tiles[tile->cell] = tile;
            map->suffTiles.insert(std::make_pair(tile->suffix, tile));
            if (mark == 'S')
                map->switchTiles.push_back(tile);
        }
    }
    // Standing on switches in the second row, pushing up into the border wall.
    const Rect places[] = {Rect(40, 33, 16, 16), Rect(104, 33, 16, 16)};
    const char* names[] = {"GHOST", "PLAYER"};
    for (int i = 0; i < 2; i++) {
        MAP::Object* object = new MAP::Object;
        object->rect = object->lastRect = places[i];
        map->objects[names[i]] = object;
    }
    return map;
}

void freeMap(TileMap* map)
{
    for (auto& e : map->tiles) delete e.second;
    for (auto& e : map->types) delete e.second;
    for (auto& e : map->suffs) delete e.second;
    for (auto& e : map->objects) delete e.second;
    delete map;
}

void BM_TileMapUpdate(benchmark::State& state)
{
    TileMap* map = makeMap((int)state.range(0));
    MAP::Object* player = map->objects["PLAYER"];
    const Rect start = player->rect;
    for (auto _ : state) {
        player->rect.y = start.y - 1;  // one step up into the wall, undone by the update
        map->update();
        benchmark::DoNotOptimize(player->rect.y);
    }
    if (player->rect.y != start.y)
        state.SkipWithError("the wall did not stop the PLAYER");
    freeMap(map);
}

} // namespace

BENCHMARK(BM_TileMapUpdate)->Arg(16)->Arg(512);
