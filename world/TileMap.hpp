#pragma once

#include "Rect.hpp"
#include "tvec2.hpp"

#include <map>
#include <string>
#include <vector>

class Camera;
class Resources;

namespace MAP {
struct Object;
}

// One loaded level: its settings, tile types, tiles on a grid, the suffix
// groups that tie doors to their switches, and the objects "PLAYER" and
// "GHOST". Always made with new; torn down only through destroy, which
// releases what the level loaded and deletes the map itself.
//
// World units are level pixels. Cells are (column, row) from 0 and order row
// by row, so every map keyed by cell runs row by row.
class TileMap {
public:
    enum State { Won = 0, Dead = 1, Playing = 2 };
    enum Kind { Block = 0, Switch = 1, LightSwitch = 2, Decoration = 3 };
    enum Effect { Goal = 0, Deadly = 1, None = 2 };

    // One tile type, keyed by its mark character.
    struct Type {
        char mark;
        int kind = Decoration;
        int effect = None;
        bool solid = false;
        bool inverted = false;
        // The normal look (closed door, released switch) and the other look
        // (open door, pressed switch; empty for a Decoration).
        std::string bitmap1;
        std::string bitmap2;
    };

    // One grid cell.
    struct Tile {
        // Set only on Switch and LightSwitch tiles, by the tick update.
        bool pressed = false;
        char suffix = 0;
        Kest::tvec2<int> cell;
        Type* type = nullptr;
    };

    // One suffix group: the doors and switches that share a suffix character.
    struct Suff {
        // Top-left of the group's two batches, relative to the map's offset.
        Kest::tvec2<float> origin;
        // Drawn while the group is inactive (doors closed) and active (open).
        std::string batchKey0;
        std::string batchKey1;
        // Some switch of the group is pressed in this tick.
        bool active = false;
    };

    // Scratch data of one level preview.
    struct PictureStruct {
        struct MarkPos {
            Kest::tvec2<float> cell;
            char mark;
        };
        std::map<char, std::string> bitmaps;
        std::vector<MarkPos> cells;
        Kest::tvec2<int> size;
        std::vector<std::string> loadedKeys;
    };

    TileMap();
    ~TileMap();

    // --- Settings the game reads.
    int getCameraMode();
    // In seconds.
    int getTimeLimit();
    int getPlayerSpeed();
    int getState();
    bool hasTimeLimit();
    // The whole map in world units.
    Rect getMapRect();
    void resetState();

    // --- Objects and tiles.
    void activateObject(std::string name);
    void deactivateObject(std::string name);
    void addObject(std::string name, const MAP::Object* source);
    void removeObject(std::string name);
    // The object's rect while it is active; else a zero rect that belongs to
    // no object, so writing into it changes nothing.
    Rect* getPlayer();
    Rect* getGhost();
    Tile* getTile(Kest::tvec2<int> cell);

    // Releases the level's pictures and batches, prints one " destroyed" line
    // per released key, object, type and group, and deletes this map.
    void destroy();

    // --- Level file reader.
    void load(Resources* resources, Camera* camera, std::string path, Kest::tvec2<float> offset);
    void applyCameraBounds();

    // --- Tick update and restart.
    void update();
    void restart();
    void resetLight();
    void resetPlayer();
    void resetGhost();

    // --- Drawing, once per drawn frame of play: the map, then the darkness.
    void draw();
    void drawLight();
    // The light square's half side r and its side 2r, both ints in world
    // units, can be formed from the tile size and lightSize.
    bool lightSquareFits();

    // Draws a 400 x 400 preview of the level file into a batch keyed by the
    // path followed by the suffix, and returns that key.
    std::string makePicture(Resources* resources, std::string path, std::string suffix);

    // The fields are open to the tests; the game goes through the operations.
    Resources* resources = nullptr;
    Camera* camera = nullptr;
    std::string levelPath;
    // Columns and rows: the longest row's cell count, the number of rows.
    Kest::tvec2<int> mapSize;
    // Start cell of both objects, 1-based.
    Kest::tvec2<int> playerPos;
    // World position of the top-left corner of cell (0, 0).
    Kest::tvec2<float> offset;
    Kest::tvec2<float> tileSize;
    Kest::tvec2<float> playerSize;
    std::string playerBitmapKey;
    std::string ghostBitmapKey;
    std::string lightBitmapKey;
    // World units per tick per held arrow key.
    int playerSpeed = 1;
    bool timeLimitOn = false;
    // In seconds.
    int timeLimit = 0;
    // The darkness layer is drawn now.
    bool lightOn = false;
    bool lightOnStart = false;
    // Light radius in average tile sizes.
    float lightSize = 5.0f;
    // 0: fixed view of the whole map; 1: the view follows the PLAYER.
    int cameraMode = 0;
    std::map<char, Type*> types;
    std::map<Kest::tvec2<int>, Tile*> tiles;
    std::multimap<char, Tile*> suffTiles;
    std::map<char, Suff*> suffs;
    // Switch and LightSwitch tiles in the order the grid was read.
    std::vector<Tile*> switchTiles;
    std::map<std::string, MAP::Object*> objects;
    std::map<std::string, MAP::Object*> auxObjects;
    int state = Playing;
    int switchScanMode = 1;
    std::vector<std::string> batchKeys;
    std::vector<std::string> bitmapKeys;
    // What getPlayer and getGhost hand out for an inactive object; zeroed on
    // every such call.
    Rect inactiveRect;
};
