// The level file reader on arbitrary files: TileMap::load either builds a map
// whose records agree with each other and with the store, and which plays, or
// ends with one of the reader's fatal errors. Tearing the map down leaves
// nothing of the level in the store.
#include "Bitmap.hpp"
#include "FuzzSupport.hpp"
#include "MapObject.hpp"
#include "ResourceStore.hpp"
#include "TileMap.hpp"

#include <cmath>

namespace {

const std::string levelPath = "L.txt";

// The messages a level file may end the program with; any other (a lookup
// that fails inside the reader, say) is a fault.
bool isReaderMessage(const std::string& text)
{
    return Fuzz::startsWith(text, "Level " + levelPath + " - ") ||
           Fuzz::startsWith(text, "Mark \"") ||
           (Fuzz::startsWith(text, "Bitmap path> ") && text.find(" <not found or initialize fail") != std::string::npos) ||
           text == "Multiple bitmap key BLACK" ||
           Fuzz::startsWith(text, "Batch with key> " + levelPath);
}

using Fuzz::check;

// A picture path with a NUL byte names no file; had the loader opened one,
// the level would show a picture it does not name.
void checkPath(const std::string& path, const std::string& where)
{
    check(path.find('\0') == std::string::npos, where + ": a path with a NUL byte was loaded");
}

void checkLoaded(TileMap& map, Resources& resources)
{
    ResourceStore& store = *resources.store;
    size_t switches = 0;
    for (const auto& entry : map.tiles) {
        const TileMap::Tile* tile = entry.second;
        check(!(tile->cell < entry.first) && !(entry.first < tile->cell), "a tile is filed under another cell");
        check(tile->cell.x >= 0 && tile->cell.x < map.mapSize.x && tile->cell.y >= 0 &&
                  tile->cell.y < map.mapSize.y,
              "a tile lies outside the map size");
        check(tile->type != nullptr && map.types.count(tile->type->mark) == 1 &&
                  map.types[tile->type->mark] == tile->type,
              "a tile's type is not the type of its mark");
        check(map.suffs.count(tile->suffix) == 1, "a tile's suffix has no group");
        if (tile->type->kind == TileMap::Switch || tile->type->kind == TileMap::LightSwitch)
            switches++;
    }
    check(map.suffTiles.size() == map.tiles.size(), "the groups do not hold every tile once");
    check(map.switchTiles.size() == switches, "the switch list does not hold every switch once");
    for (const auto& entry : map.suffs) {
        for (const std::string* key : {&entry.second->batchKey0, &entry.second->batchKey1})
            check(store.batches.count(*key) == 1, "a group's batch is not in the store: " + *key);
    }
    for (const std::string& key : map.bitmapKeys)
        check(store.bitmaps.count(key) == 1, "a level picture is not in the store: " + key);
    for (const auto& entry : map.types) {
        checkPath(entry.second->bitmap1, "a type's bitmap1");
        checkPath(entry.second->bitmap2, "a type's bitmap2");
    }
    checkPath(map.playerBitmapKey, "PLAYER_BMP");
    checkPath(map.ghostBitmapKey, "GHOST_BMP");
    checkPath(map.lightBitmapKey, "LIGHT_BMP");
    check(map.objects.empty() || (map.objects.size() == 2 && map.objects.count("PLAYER") == 1 &&
                                  map.objects.count("GHOST") == 1),
          "the objects are not PLAYER and GHOST");
    check(store.textFiles.empty(), "the level's text stays in the store");
    // As the darkness computes it in every lit frame: r, then the square's
    // side 2r, both ints. Only a level with a light picture draws it.
    const double side = 2.0 * std::trunc((double)((map.tileSize.x + map.tileSize.y) * map.lightSize / 2.0f));
    check(map.lightBitmapKey.empty() || (side >= -2147483648.0 && side <= 2147483647.0),
          "the light square can't be drawn");
}

// A level that loads can be played: ticks with the PLAYER moving each way in
// turn at the level's speed, as the game moves it. Such play may end only at
// a hole in a grid of rows of different lengths.
void play(TileMap& map)
{
    if (map.objects.empty())
        return;
    map.activateObject("PLAYER");
    const float speed = (float)map.getPlayerSpeed();
    const float steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (const auto& step : steps) {
        for (int tick = 0; tick < 4; tick++) {
            Rect* player = map.getPlayer();
            player->x += step[0] * speed;
            player->y += step[1] * speed;
            map.update();
        }
    }
}

// After a teardown only the ghost trail sheet, kept for the whole run, is left.
void checkReleased(Resources& resources)
{
    ResourceStore& store = *resources.store;
    check(store.batches.empty(), "a batch outlives its level: " +
                                     (store.batches.empty() ? std::string() : store.batches.begin()->first));
    for (const auto& entry : store.bitmaps)
        check(entry.first == "ghost_fade", "a picture outlives its level: " + entry.first);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::writeInput(levelPath, data, size);
    Fuzz::Store store;
    TileMap* map = new TileMap;
    try {
        map->load(&store.resources, &store.camera, levelPath, Kest::tvec2<float>(0.0f, 0.0f));
    } catch (const Fuzz::FatalError& error) {
        if (!isReaderMessage(error.text))
            Fuzz::fault("unexpected fatal error: " + error.text);
        map->destroy();
        return 0;
    }
    checkLoaded(*map, store.resources);
    try {
        play(*map);
    } catch (const Fuzz::FatalError& error) {
        if (!Fuzz::startsWith(error.text, "Tile > "))
            Fuzz::fault("unexpected fatal error in play: " + error.text);
    }
    map->destroy();
    checkReleased(store.resources);
    return 0;
}
