#pragma once

#include "tvec2.hpp"

#include <string>
#include <vector>

class Camera;
class Resources;
class TileMap;

namespace ML {
class Map;
}

// The levels in the order of the level list file, with names, star thresholds
// and the player's progress, and the level being played. Levels are numbered
// from 1; times are in ticks. Made once by the game and kept for the whole run.
class LevelList {
public:
    LevelList();
    ~LevelList();

    // Reads the list file and makes a preview picture of every level.
    void load(Resources* resources, Camera* camera, std::string path);
    int getCount();
    bool isDone(int n);
    std::string getName(int n);
    std::string getPreviewKey(int n);
    // 0 to 3: each threshold the best time lies strictly below.
    int getStars(int n);
    // Seconds with two decimals, truncated.
    std::string getBestTimeText(int n);
    // Destroys the level started before and loads level levelNumber.
    TileMap* startLevel(int levelNumber, Kest::tvec2<float> offset);
    // Marks the level done, keeps the better time and rewrites the list file.
    // The file (where its symbolic links lead) is replaced whole, keeping its
    // owner, group and permissions, or not at all. It is rewritten in place
    // instead where replacing it would lose something: a second name (hard
    // link), an owner or group the player may not give, or a folder that
    // refuses a new file or its taking the list's place. Anything short of a
    // clean save (replaced, or in place by the game's own choice) is reported
    // in an "ERROR: " line, and the progress in memory stands all the same.
    void completeLevel(int n, float frames);
    void completeCurrentLevel(float frames);
    // Every level not done and without a time, in the file and in memory.
    void resetProgress();

    Resources* resources = nullptr;
    Camera* camera = nullptr;
    std::string listPath;
    std::vector<ML::Map*> maps;
    TileMap* current = nullptr;
    int currentIndex = 0;
    bool loaded = false;

private:
    void complete(ML::Map* map, float frames);
    // Rewrites the whole list file from memory; withoutProgress writes every
    // level as not done and without a time.
    void writeFile(bool withoutProgress);
};
