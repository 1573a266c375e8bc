#include "TileMap.hpp"

#include "MapObject.hpp"

TileMap::TileMap() {}

TileMap::~TileMap() {}
