#pragma once

#include "MapObject.hpp"
#include "TileMap.hpp"

#include <algorithm>
#include <string>
#include <vector>

// A level built by hand, without the reader or any picture, at offset (0, 0)
// with tiles of 10 x 10 units (or the size given). Rows are written as in a
// level file, two characters a cell: the mark, then the group. Marks:
//   .  floor (Decoration)            #  solid Block
//   D  solid door                    I  solid door, inverted
//   S  Switch                        G  Goal, not solid
//   g  Goal, not solid, inverted     X  Deadly, not solid
//   L  LightSwitch: darkness on      l  LightSwitch: darkness off
// Both objects are 8 x 8 (or the size put gives), active, far off the grid
// until put somewhere.
class HandMap {
public:
    explicit HandMap(const std::vector<std::string>& rows, float tileSize = 10)
    {
        map->tileSize = Kest::tvec2<float>(tileSize, tileSize);
        addType('.', TileMap::Decoration, TileMap::None, false, false);
        addType('#', TileMap::Block, TileMap::None, true, false);
        addType('D', TileMap::Block, TileMap::None, true, false);
        addType('I', TileMap::Block, TileMap::None, true, true);
        addType('S', TileMap::Switch, TileMap::None, false, false);
        addType('G', TileMap::Block, TileMap::Goal, false, false);
        addType('g', TileMap::Block, TileMap::Goal, false, true);
        addType('X', TileMap::Block, TileMap::Deadly, false, false);
        addType('L', TileMap::LightSwitch, TileMap::Goal, false, false);
        addType('l', TileMap::LightSwitch, TileMap::Deadly, false, false);
        int y = 0;
        for (const std::string& row : rows) {
            for (size_t i = 0; i + 1 < row.size(); i += 2) {
                TileMap::Tile* tile = new TileMap::Tile;
                tile->cell = Kest::tvec2<int>((int)i / 2, y);
                tile->suffix = row[i + 1];
                tile->type = map->types.at(row[i]);
                map->tiles[tile->cell] = tile;
                if (map->suffs.count(tile->suffix) == 0)
                    map->suffs[tile->suffix] = new TileMap::Suff;
                if (tile->type->kind == TileMap::Switch || tile->type->kind == TileMap::LightSwitch)
                    map->switchTiles.push_back(tile);
                map->mapSize.x = std::max(map->mapSize.x, (int)i / 2 + 1);
            }
            map->mapSize.y = ++y;
        }
        for (const char* name : {"GHOST", "PLAYER"}) {
            map->objects[name] = new MAP::Object;
            put(name, -1000, -1000);
        }
    }

    HandMap(const HandMap&) = delete;
    HandMap& operator=(const HandMap&) = delete;
    ~HandMap()
    {
        for (auto& e : map->tiles) delete e.second;
        for (auto& e : map->types) delete e.second;
        for (auto& e : map->suffs) delete e.second;
        for (auto& e : map->objects) delete e.second;
        delete map;
    }

    // Places the object as if it had stood there at the end of the last tick.
    void put(const char* name, float x, float y, float size = 8)
    {
        MAP::Object* o = map->objects.at(name);
        o->rect = o->lastRect = Rect(x, y, size, size);
    }
    // Moves the object within this tick, as the game does before the update.
    void moveTo(const char* name, float x, float y)
    {
        map->objects.at(name)->rect = Rect(x, y, 8, 8);
    }
    Rect rect(const char* name) { return map->objects.at(name)->rect; }

    TileMap* map = new TileMap;

private:
    void addType(char mark, int kind, int effect, bool solid, bool inverted)
    {
        TileMap::Type* t = new TileMap::Type;
        t->mark = mark;
        t->kind = kind;
        t->effect = effect;
        t->solid = solid;
        t->inverted = inverted;
        map->types[mark] = t;
    }
};

