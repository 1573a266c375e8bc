#include "TileMap.hpp"

#include "Errors.hpp"
#include "MapObject.hpp"

#include <cmath>

// The world rectangle of a tile.
static Rect tileRect(const TileMap& map, const TileMap::Tile* tile)
{
    return Rect((float)tile->cell.x * map.tileSize.x + map.offset.x,
                (float)tile->cell.y * map.tileSize.y + map.offset.y, map.tileSize.x, map.tileSize.y);
}

// Load makes a group for every suffix it reads, so a missing group only
// happens on a hand-built map; it counts as inactive there.
static TileMap::Suff* findGroup(std::map<char, TileMap::Suff*>& suffs, char suffix)
{
    auto found = suffs.find(suffix);
    return found == suffs.end() ? nullptr : found->second;
}

// A Switch opens its group for this tick; a LightSwitch sets the darkness by
// its effect (Goal: on, Deadly: off).
static void press(TileMap& map, TileMap::Tile* tile)
{
    tile->pressed = true;
    if (tile->type->kind == TileMap::Switch) {
        if (TileMap::Suff* group = findGroup(map.suffs, tile->suffix))
            group->active = true;
    } else {
        map.lightOn = tile->type->effect == TileMap::Goal;
    }
}

// The centre cell's coordinate on one axis, from the distance of the centre
// to the map's offset. False when the cell lies so far out that none of the
// three cells around it is on the grid (also for a zero tile size, and on
// either side for a negative one), which keeps the conversion to int in range.
static bool centreCell(float position, float size, float offset, float tileSize, int cells, int& cell)
{
    const float quotient = std::fabs(size / 2.0f + position - offset) / tileSize;
    if (!(quotient > -2.0f && quotient < (float)cells + 1.0f))
        return false;
    cell = (int)quotient;
    return true;
}

void TileMap::update()
{
    for (auto& entry : suffs)
        entry.second->active = false;

    // Switches are pressed from the rects as the game moved them, before this
    // tick's undo, and stay pressed for both objects' collision scans.
    for (Tile* tile : switchTiles)
        tile->pressed = false;
    if (switchScanMode == 1) {
        for (Tile* tile : switchTiles) {
            for (auto& entry : objects) {
                MAP::Object* object = entry.second;
                if (object->active && rectsOverlap(object->rect, tileRect(*this, tile)))
                    press(*this, tile);
            }
        }
    } else {
        // Only the switches around each object's centre cell.
        for (auto& entry : objects) {
            MAP::Object* object = entry.second;
            Kest::tvec2<int> centre;
            if (!object->active ||
                !centreCell(object->rect.x, object->rect.w, offset.x, tileSize.x, mapSize.x, centre.x) ||
                !centreCell(object->rect.y, object->rect.h, offset.y, tileSize.y, mapSize.y, centre.y))
                continue;
            for (int dx = -1; dx <= 1; dx++) {
                for (int dy = -1; dy <= 1; dy++) {
                    auto found = tiles.find(Kest::tvec2<int>(centre.x + dx, centre.y + dy));
                    if (found == tiles.end())
                        continue;
                    Tile* tile = found->second;
                    const int kind = tile->type->kind;
                    if ((kind == Switch || kind == LightSwitch) &&
                        rectsOverlap(object->rect, tileRect(*this, tile)))
                        press(*this, tile);
                }
            }
        }
    }

    for (auto& entry : objects) {
        MAP::Object* object = entry.second;
        if (!object->active)
            continue;
        Rect& rect = object->rect;
        const Rect& last = object->lastRect;
        Kest::tvec2<int> centre;
        const bool nearGrid =
            centreCell(rect.x, rect.w, offset.x, tileSize.x, mapSize.x, centre.x) &&
            centreCell(rect.y, rect.h, offset.y, tileSize.y, mapSize.y, centre.y);
        for (int dx = -1; nearGrid && dx <= 1; dx++) {
            for (int dy = -1; dy <= 1; dy++) {
                const Kest::tvec2<int> cell(centre.x + dx, centre.y + dy);
                if (cell.x < 0 || cell.x >= mapSize.x || cell.y < 0 || cell.y >= mapSize.y)
                    continue;
                Tile* tile = getTile(cell);
                const Rect tileArea = tileRect(*this, tile);
                if (tile->type->kind != Block || !rectsOverlap(rect, tileArea))
                    continue;
                const Suff* group = findGroup(suffs, tile->suffix);
                const bool open = tile->pressed || (group != nullptr && group->active);
                const bool blocking = open ? tile->type->inverted : !tile->type->inverted;

                // One axis at a time, tile by tile: each later tile sees the
                // rect as already corrected. The x test keeps the new x with
                // the old y; the y test takes the old x with the new y.
                if (tile->type->solid && blocking) {
                    if (rectsOverlap(Rect(rect.x, last.y, rect.w, rect.h), tileArea))
                        rect.x = last.x;
                    if (rectsOverlap(Rect(last.x, rect.y, rect.w, rect.h), tileArea))
                        rect.y = last.y;
                }
                // Decided by the overlap before the undo, so a solid goal both
                // stops the object and wins. A win is never turned into a death.
                if (tile->type->effect == Goal && blocking) {
                    state = Won;
                    lightOn = false;
                } else if (tile->type->effect == Deadly && state != Won && blocking) {
                    state = Dead;
                }
            }
        }
        object->lastRect = rect;
    }
}

void TileMap::restart()
{
    resetState();
    resetLight();
    resetPlayer();
    resetGhost();
}

void TileMap::resetLight() { lightOn = lightOnStart; }

// lastRect goes back to the start as well: the first update after a restart
// undoes moves towards the start, never towards where the object stood before
// (a player stepping into a wall right after dying would jump back to the
// place of death). So every run, recorded or replayed by the ghost, begins
// from the same state whatever the run before it left.
void TileMap::resetPlayer()
{
    auto found = objects.find("PLAYER");
    if (found == objects.end())
        fatalError("Object >PLAYER< not found");
    found->second->rect = found->second->startRect;
    found->second->lastRect = found->second->startRect;
}

void TileMap::resetGhost()
{
    auto found = objects.find("GHOST");
    if (found == objects.end())
        fatalError("Object >GHOST< not found");
    found->second->rect = found->second->startRect;
    found->second->lastRect = found->second->startRect;
}
