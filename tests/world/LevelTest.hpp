#pragma once

#include "StoreTest.hpp"
#include "TileMap.hpp"

#include <string>

// Levels read through the real reader from the file "L.txt" in the store's
// folder (StoreTest).
class LevelTest : public StoreTest {
protected:
    TileMap* load(const std::string& text, Kest::tvec2<float> offset = Kest::tvec2<float>())
    {
        writeFile("L.txt", text);
        TileMap* map = new TileMap;
        map->load(&res, &camera, "L.txt", offset);
        return map;
    }

    // Tears the level down (the map included) and returns what it printed.
    static std::string destroy(TileMap* map)
    {
        testing::internal::CaptureStdout();
        map->destroy();
        return testing::internal::GetCapturedStdout();
    }
};
