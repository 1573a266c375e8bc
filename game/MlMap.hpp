#pragma once

#include <string>

namespace ML {

// One entry of the level list: where the level file lies, its name, its star
// thresholds and the player's progress on it. Times in ticks.
class Map {
public:
    Map();

    std::string path;
    // One word, shown in the menus.
    std::string name;
    // Key of the level's preview batch; not stored in the file.
    std::string previewKey;
    // Best winning time; 0 means none yet.
    int bestTime;
    // A best time below a threshold earns its stars.
    int threeStarsTime;
    int twoStarsTime;
    int oneStarTime;
    bool done;
};

} // namespace ML
