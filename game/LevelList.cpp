#include "LevelList.hpp"

#include "MlMap.hpp"

LevelList::LevelList() {}

LevelList::~LevelList() {}
