#include "MlMap.hpp"

ML::Map::Map() : bestTime(0), threeStarsTime(0), twoStarsTime(0), oneStarTime(0), done(false) {}
