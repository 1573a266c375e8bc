#include "TileMap.hpp"

#include "Errors.hpp"
#include "MapObject.hpp"
#include "Resources.hpp"

#include <iostream>

TileMap::TileMap() {}

// The records are freed by destroy, which ends with delete this.
TileMap::~TileMap() {}

int TileMap::getCameraMode() { return cameraMode; }

int TileMap::getTimeLimit() { return timeLimit; }

int TileMap::getPlayerSpeed() { return playerSpeed; }

int TileMap::getState() { return state; }

bool TileMap::hasTimeLimit() { return timeLimitOn; }

Rect TileMap::getMapRect()
{
    return Rect(offset.x, offset.y, (float)mapSize.x * tileSize.x, (float)mapSize.y * tileSize.y);
}

void TileMap::resetState() { state = Playing; }

// The object of that name; fatal when there is none.
static MAP::Object* findObject(std::map<std::string, MAP::Object*>& objects, const std::string& name)
{
    auto found = objects.find(name);
    if (found == objects.end())
        fatalError("Object >" + name + "< not found");
    return found->second;
}

void TileMap::activateObject(std::string name) { findObject(objects, name)->active = true; }

void TileMap::deactivateObject(std::string name) { findObject(objects, name)->active = false; }

void TileMap::addObject(std::string name, const MAP::Object* source)
{
    if (objects.count(name) != 0)
        return;
    MAP::Object* object = new MAP::Object;
    object->rect = source->rect;
    object->lastRect = source->lastRect;
    objects[name] = object;
}

void TileMap::removeObject(std::string name)
{
    findObject(objects, name);
    // The caller takes the object over.
    objects.erase(name);
}

Rect* TileMap::getPlayer()
{
    MAP::Object* player = findObject(objects, "PLAYER");
    if (player->active)
        return &player->rect;
    inactiveRect = Rect();
    return &inactiveRect;
}

Rect* TileMap::getGhost()
{
    MAP::Object* ghost = findObject(objects, "GHOST");
    if (ghost->active)
        return &ghost->rect;
    inactiveRect = Rect();
    return &inactiveRect;
}

TileMap::Tile* TileMap::getTile(Kest::tvec2<int> cell)
{
    auto found = tiles.find(cell);
    if (found == tiles.end())
        fatalError("Tile > " + std::to_string(cell.x) + "," + std::to_string(cell.y) + "< not found");
    return found->second;
}

void TileMap::destroy()
{
    // The order of the lines is what a teardown log shows: pictures and batches
    // in the order the reader recorded them, then objects, marks and suffixes.
    for (const std::string& key : bitmapKeys) {
        resources->destroyBitmap(key);
        std::cout << key << " destroyed" << std::endl;
    }
    for (const std::string& key : batchKeys) {
        resources->destroyBatch(key);
        std::cout << key << " destroyed" << std::endl;
    }
    for (auto& entry : objects) {
        std::cout << entry.first << " destroyed" << std::endl;
        delete entry.second;
    }
    objects.clear();
    for (auto& entry : auxObjects) {
        std::cout << entry.first << " destroyed" << std::endl;
        delete entry.second;
    }
    auxObjects.clear();
    for (auto& entry : tiles)
        delete entry.second;
    tiles.clear();
    for (auto& entry : types) {
        std::cout << entry.first << " destroyed" << std::endl;
        delete entry.second;
    }
    types.clear();
    for (auto& entry : suffs) {
        std::cout << entry.first << " destroyed" << std::endl;
        delete entry.second;
    }
    suffs.clear();
    suffTiles.clear();
    switchTiles.clear();
    delete this;
}
