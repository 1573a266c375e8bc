#include "AnimationData.hpp"
#include "Bitmap.hpp"
#include "LevelTest.hpp"
#include "MapObject.hpp"
#include "ResourceStore.hpp"

namespace {

// The pictures p.png (red) and q.png (blue) lie beside every level.
class TileMapLoadTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        writePicture("p.png", 2, 2, al_map_rgb(255, 0, 0));
        writePicture("q.png", 2, 2, al_map_rgb(0, 0, 255));
    }

    // The [Info] lines followed by empty [Types] and [Map] sections.
    TileMap* loadInfo(const std::string& info) { return load("[Info]\n" + info + "\n[Types]\n[Map]\n"); }
};

} // namespace

TEST_F(TileMapLoadTest, load_fileEndingBeforeTheLastSectionIsFatal)
{
    const struct { const char* text; const char* missing; } cases[] = {
        {"[Types]\n[Map]\n", "[Info]"},
        {"[info]\n[Types]\n[Map]\n", "[Info]"},  // headers are case-sensitive
        {"[Info]\nTILE_SIZE 32 32\n", "[Types]"},
        {"[Info]\n[Types]\n", "[Map]"},
        {"[Info]\n[Types]\na 0 0 0 0 p.png\n", "[Map]"},
        {"[Info]\n[Map]\n[Types]\n", "[Map]"},    // [Map] out of turn is a line of [Info]
    };
    for (const auto& c : cases)
        EXPECT_FATAL(load(c.text), std::string("Level L.txt - missing ") + c.missing) << c.text;
}

TEST_F(TileMapLoadTest, load_infoKeysSetTheLevelsSettings)
{
    const struct { const char* info; int speed; bool timeOn; int time; int cameraMode; bool light; float lightSize; } cases[] = {
        {"PLAYER_SPEED N\nTILE_SIZE 32 32", 0, false, 0, 0, false, 5},
        {"TILE_SIZE 32 32\nPLAYER_SPEED N", 1, false, 0, 0, false, 5},
        {"TILE_SIZE 64 64\nPLAYER_SPEED 10", 6, false, 0, 0, false, 5},
        {"TILE_SIZE 64px 64 and more\nPLAYER_SPEED 10ths", 6, false, 0, 0, false, 5},
        {"TILE_SIZE 64 64\nPLAYER_SPEED -10", -6, false, 0, 0, false, 5},
        {"GHOST_TIME 0", 1, false, 0, 0, false, 5},
        {"GHOST_TIME -5", 1, false, 0, 0, false, 5},
        {"GHOST_TIME 90", 1, true, 90, 0, false, 5},
        {"GHOST_TIME 90\nGHOST_TIME N", 1, false, 90, 0, false, 5},
        {"CAMERA_FIX 2", 1, false, 0, 0, false, 5},
        {"CAMERA_FIX 1", 1, false, 0, 1, false, 5},
        {"CAMERA_FIX 1\nCAMERA_FIX follow", 1, false, 0, 1, false, 5},
        // The camera words are compared whole, and a huge number is just
        // another word.
        {"CAMERA_FIX 01", 1, false, 0, 0, false, 5},
        {"CAMERA_FIX 1\nCAMERA_FIX 0.5", 1, false, 0, 1, false, 5},
        {"CAMERA_FIX 99999999999", 1, false, 0, 0, false, 5},
        {"LIGHT_ONSTART 1\nLIGHT_SIZE 2.5x", 1, false, 0, 0, true, 2.5f},
        // Missing or malformed light values keep the earlier ones.
        {"LIGHT_ONSTART 1\nLIGHT_ONSTART\nLIGHT_SIZE big", 1, false, 0, 0, true, 5},
        {"LIGHT_ONSTART 1\nLIGHT_ONSTART 99999999999\nLIGHT_SIZE\nLIGHT_SIZE 1e99", 1, false, 0, 0, true, 5},
        // Negative tiles give a negative speed.
        {"TILE_SIZE -64 -64\nPLAYER_SPEED 10", -6, false, 0, 0, false, 5},
    };
    for (const auto& c : cases) {
        TileMap* map = loadInfo(c.info);
        EXPECT_EQ(map->getPlayerSpeed(), c.speed) << c.info;
        EXPECT_EQ(map->hasTimeLimit(), c.timeOn) << c.info;
        EXPECT_EQ(map->getTimeLimit(), c.time) << c.info;
        EXPECT_EQ(map->getCameraMode(), c.cameraMode) << c.info;
        EXPECT_EQ(map->lightOn, c.light) << c.info;
        EXPECT_EQ(map->lightOnStart, c.light) << c.info;
        EXPECT_EQ(map->lightSize, c.lightSize) << c.info;
        destroy(map);
    }
}

TEST_F(TileMapLoadTest, load_objectsStartInactiveWithTheInfoReadBeforeTheFirstOtherLine)
{
    const std::string info = "TILE_SIZE 32 32\nPLAYER_SIZE 16 16\n";
    const struct { std::string text; Kest::tvec2<float> offset; Rect start; } cases[] = {
        {"[Info]\n" + info + "PLAYER_POS 2 3\n[Types]\na 0 0 0 0 p.png\n[Map]\n", {0, 0}, {40, 72, 16, 16}},
        {"[Info]\n" + info + "PLAYER_POS 2 3\n[Types]\n\n[Map]\n", {100, 10}, {140, 82, 16, 16}},
        // An unknown line in [Info] makes them before PLAYER_POS is read.
        {"[Info]\n" + info + "comment\nPLAYER_POS 2 3\n[Types]\n[Map]\n", {0, 0}, {-24, -24, 16, 16}},
        // "[Types]" before "[Info]" is a line of nothing: the objects come first.
        {"[Types]\n[Info]\n" + info + "PLAYER_POS 2 3\n[Types]\n[Map]\n", {5, 6}, {5, 6, 0, 0}},
        // Negative sizes are sizes too.
        {"[Info]\nTILE_SIZE -32 32\nPLAYER_SIZE -16 16\nPLAYER_POS 2 3\n[Types]\n\n[Map]\n", {0, 0}, {-40, 72, -16, 16}},
    };
    for (const auto& c : cases) {
        TileMap* map = load(c.text, c.offset);
        for (const char* name : {"PLAYER", "GHOST"}) {
            const MAP::Object* o = map->objects.at(name);
            EXPECT_FALSE(o->active);
            for (const Rect& r : {o->rect, o->lastRect, o->startRect})
                EXPECT_EQ(r, c.start) << name << " in\n" << c.text;
        }
        destroy(map);
    }
}

TEST_F(TileMapLoadTest, load_typeLinesAreNormalised)
{
    const struct { const char* line; int kind; int effect; bool solid; bool inverted; const char* bitmap2; } cases[] = {
        {"a 1 0 1 0 p.png q.png", TileMap::Block, TileMap::None, true, false, "q.png"},
        {"a 2 1 0 1 p.png q.png", TileMap::Block, TileMap::Goal, false, true, "q.png"},
        {"a 2 0 0 0 p.png q.png", TileMap::Switch, TileMap::None, false, false, "q.png"},
        {"a 3 2 0 0 p.png q.png", TileMap::LightSwitch, TileMap::Deadly, false, false, "q.png"},
        {"a 3 7 0 0 p.png q.png", TileMap::LightSwitch, TileMap::Goal, false, false, "q.png"},
        {"a 9 1 0 0 p.png q.png", TileMap::Block, TileMap::Goal, false, false, "q.png"},
        {"a 0 2 0 0 p.png q.png", TileMap::Block, TileMap::Deadly, false, false, "q.png"},
        {"a 0 0 1 1 p.png", TileMap::Decoration, TileMap::None, true, true, ""},
        {"  a1 1 1 1 p.png q.png more", TileMap::Block, TileMap::Goal, true, true, "q.png"},
        // Not 0 or 1: not solid, not inverted.
        {"a 1 0 x 7 p.png q.png", TileMap::Block, TileMap::None, false, false, "q.png"},
        {"a 1 0 99999999999 1x p.png q.png", TileMap::Block, TileMap::None, false, true, "q.png"},
        // Kind and effect words are compared whole: any other word leaves a
        // Decoration without an effect (and no second picture).
        {"a 01 +1 0 0 p.png q.png", TileMap::Decoration, TileMap::None, false, false, ""},
        {"a 2.5 1x 0 0 p.png q.png", TileMap::Decoration, TileMap::None, false, false, ""},
        {"a 99999999999 99999999999 0 0 p.png", TileMap::Decoration, TileMap::None, false, false, ""},
        {"a 3 2.0 0 0 p.png q.png", TileMap::LightSwitch, TileMap::Goal, false, false, "q.png"},
        // A mark defined before keeps its first type.
        {"a 1 0 0 0 p.png q.png\na 0 0 0 0 q.png", TileMap::Block, TileMap::None, false, false, "q.png"},
    };
    for (const auto& c : cases) {
        TileMap* map = load(std::string("[Info]\n[Types]\n") + c.line + "\n[Map]\n");
        ASSERT_EQ(map->types.size(), 1u) << c.line;
        const TileMap::Type* t = map->types.at('a');
        EXPECT_EQ(t->kind, c.kind) << c.line;
        EXPECT_EQ(t->effect, c.effect) << c.line;
        EXPECT_EQ(t->solid, c.solid) << c.line;
        EXPECT_EQ(t->inverted, c.inverted) << c.line;
        EXPECT_EQ(t->bitmap1, "p.png") << c.line;
        EXPECT_EQ(t->bitmap2, c.bitmap2) << c.line;
        destroy(map);
    }
}

TEST_F(TileMapLoadTest, load_rowsAreTwoCharacterCells)
{
    TileMap* map = load("[Info]\n[Types]\na 0 0 0 0 p.png\nb 2 0 0 0 p.png q.png\n[Map]\na1b2a\n\na1\n");
    EXPECT_EQ(map->mapSize.x, 3);
    EXPECT_EQ(map->mapSize.y, 2);
    EXPECT_EQ(map->tiles.size(), 4u);
    const TileMap::Tile* last = map->getTile({2, 0});
    EXPECT_EQ(last->suffix, '\0');
    EXPECT_EQ(last->type->mark, 'a');
    EXPECT_EQ(map->getTile({0, 1})->suffix, '1');
    ASSERT_EQ(map->switchTiles.size(), 1u);
    EXPECT_EQ(map->switchTiles[0]->cell.x, 1);
    EXPECT_EQ(map->suffs.size(), 3u);
    EXPECT_EQ(map->suffTiles.count('1'), 2u);
    destroy(map);

    const std::string types = "[Info]\n[Types]\na 0 0 0 0 p.png\n[Map]\n";
    EXPECT_FATAL(load(types + "a1a1a1z1\n"), "Mark \"z\" not found in map \"L.txt\" on position: 6 ,0");
    EXPECT_FATAL(load(types + "a1\na1 1\n"), "Mark \" \" not found in map \"L.txt\" on position: 2 ,1");
}

TEST_F(TileMapLoadTest, loadAndDestroy_composeAndReleaseTheLevelsKeys)
{
    TileMap* map = load("[Info]\nTILE_SIZE 8 8\nPLAYER_BMP p.png\nGHOST_BMP q.png\nLIGHT_BMP p.png\n"
                        "[Types]\n# 1 0 1 0 p.png q.png\n. 0 0 0 0 q.png\ns 2 0 0 0 p.png q.png\n"
                        "[Map]\n#a.a#b\nsa.b\n");
    const std::vector<std::string> bitmapKeys = {
        "p.pngL.txtPLAYER", "q.pngL.txtGHOST", "p.pngL.txt", "BLACK", "p.pngL.txt#",
        "q.pngL.txt#", "q.pngL.txt.", "p.pngL.txts", "q.pngL.txts"};
    const std::vector<std::string> batchKeys = {"L.txta0", "L.txta1", "L.txtb0", "L.txtb1"};
    EXPECT_EQ(map->bitmapKeys, bitmapKeys);
    EXPECT_EQ(map->batchKeys, batchKeys);
    EXPECT_EQ(map->playerBitmapKey, "p.pngL.txtPLAYER");
    EXPECT_EQ(map->lightBitmapKey, "p.pngL.txt");
    EXPECT_EQ(map->suffs.at('a')->batchKey1, "L.txta1");
    for (const std::string& key : bitmapKeys)
        EXPECT_EQ(res.store->bitmaps.count(key), 1u) << key;
    // Group a: cells (0, 0) and (1, 0), its switch left out. Group b: (2, 0)
    // and (1, 1); its left edge at 8 counts as none, so it reaches from 0.
    EXPECT_EQ(res.getBatch("L.txta0")->width, 16);
    EXPECT_EQ(res.getBatch("L.txta0")->height, 8);
    EXPECT_EQ(res.getBatch("L.txtb1")->width, 24);
    EXPECT_EQ(res.getBatch("L.txtb1")->height, 16);
    EXPECT_EQ(map->suffs.at('b')->origin.x, 0);
    // The door (p.png red, q.png blue) closed in batch 0 and open in batch 1;
    // the decoration beside it (q.png) in both.
    const Rgba redBytes = {255, 0, 0, 255}, blueBytes = {0, 0, 255, 255};
    EXPECT_EQ(pixelAt(res.getBatch("L.txta0")->bitmap, 4, 4), redBytes);
    EXPECT_EQ(pixelAt(res.getBatch("L.txta1")->bitmap, 4, 4), blueBytes);
    EXPECT_EQ(pixelAt(res.getBatch("L.txta0")->bitmap, 12, 4), blueBytes);
    EXPECT_EQ(pixelAt(res.getBatch("L.txta1")->bitmap, 12, 4), blueBytes);

    std::string expected;
    for (const std::string& key : bitmapKeys)
        expected += key + " destroyed\n";
    for (const std::string& key : batchKeys)
        expected += key + " destroyed\n";
    for (const char* line : {"GHOST", "PLAYER", "#", ".", "s", "a", "b"})
        expected += std::string(line) + " destroyed\n";
    EXPECT_EQ(destroy(map), expected);
    EXPECT_TRUE(res.store->batches.empty());
    ASSERT_EQ(res.store->bitmaps.size(), 1u);
    EXPECT_EQ(res.store->bitmaps.count("ghost_fade"), 1u);
    EXPECT_EQ(res.store->animationData.count("ghost_fade"), 1u);

    // The text was released, so the same level loads again.
    destroy(load("[Info]\n[Types]\n[Map]\n"));
    destroy(load("[Info]\n[Types]\n[Map]\n"));
}

TEST_F(TileMapLoadTest, applyCameraBounds_widensASmallMapByHalfTheViewsSurplus)
{
    target = makeMemoryTarget(4, 4);
    const struct { int columns, rows; Rect view; float x, y; } cases[] = {
        // 1280 x 640 under 2560 x 1440: bounds (0, 0, 1920, 1040).
        {20, 10, {-5000, -5000, 2560, 1440}, -640, -400},
        {20, 10, {5000, 5000, 2560, 1440}, -640, -400},
        // 2560 x 1920: the bounds are the map.
        {40, 30, {-5000, -5000, 2560, 1440}, 0, 0},
        {40, 30, {5000, 5000, 2560, 1440}, 0, 480},
    };
    for (const auto& c : cases) {
        TileMap map;
        map.camera = &camera;
        map.mapSize = Kest::tvec2<int>(c.columns, c.rows);
        map.tileSize = Kest::tvec2<float>(64, 64);
        camera.setView(Rect(0, 0, 2560, 1440));
        map.applyCameraBounds();
        camera.setView(c.view);
        EXPECT_EQ(camera.getView().x, c.x) << c.columns << " x " << c.rows << " from " << c.view.x;
        EXPECT_EQ(camera.getView().y, c.y) << c.columns << " x " << c.rows << " from " << c.view.y;
    }
}

TEST_F(TileMapLoadTest, load_malformedLineIsFatalNamingFileAndLine)
{
    const std::string types = "[Types]\na 0 0 0 0 p.png\n[Map]\n";
    std::string tallMap;
    for (int row = 0; row < 2049; row++)
        tallMap += "a\n";
    // previewToo: the preview reader reads the line too and says the same.
    const struct { std::string text; std::string message; bool previewToo = false; } cases[] = {
        {"[Info]\nTILE_SIZE 32\n" + types, "missing word on line 2: TILE_SIZE 32"},
        {"[Info]\nTILE_SIZE x 32\n" + types, "not a number on line 2: TILE_SIZE x 32"},
        {"[Info]\nTILE_SIZE -32 99999999999\n" + types, "number out of range on line 2: TILE_SIZE -32 99999999999"},
        {"[Info]\nPLAYER_SIZE -16 x\n" + types, "not a number on line 2: PLAYER_SIZE -16 x"},
        {"[Info]\nPLAYER_POS 2\n" + types, "missing word on line 2: PLAYER_POS 2"},
        {"[Info]\nPLAYER_POS two 3\n" + types, "not a number on line 2: PLAYER_POS two 3"},
        {"\n[Info]\nPLAYER_SPEED\n" + types, "missing word on line 3: PLAYER_SPEED"},
        {"[Info]\nPLAYER_SPEED fast\n" + types, "not a number on line 2: PLAYER_SPEED fast"},
        {"[Info]\nTILE_SIZE 20000 20000\nPLAYER_SPEED 2000000000\n" + types,
         "number out of range on line 3: PLAYER_SPEED 2000000000"},
        {"[Info]\nGHOST_TIME soon\n" + types, "not a number on line 2: GHOST_TIME soon"},
        {"[Info]\nGHOST_TIME 99999999999\n" + types, "number out of range on line 2: GHOST_TIME 99999999999"},
        {"[Info]\nGHOST_TIME\n" + types, "missing word on line 2: GHOST_TIME"},
        {"[Info]\nPLAYER_BMP\n" + types, "missing word on line 2: PLAYER_BMP"},
        {"[Info]\nGHOST_BMP \n" + types, "missing word on line 2: GHOST_BMP "},
        {"[Info]\nLIGHT_BMP\n" + types, "missing word on line 2: LIGHT_BMP"},
        {"[Info]\nCAMERA_FIX\n" + types, "missing word on line 2: CAMERA_FIX"},
        {"[Info]\n[Types]\na 1 0 0 0 p.png\n[Map]\n", "missing word on line 3: a 1 0 0 0 p.png"},
        {"[Info]\n[Types]\na 0 0 0 0\n[Map]\n", "missing word on line 3: a 0 0 0 0", true},
        {"[Info]\n[Types]\n \t \n[Map]\n", "missing word on line 3:  \t ", true},
        {"[Info]\n[Types]\n[Info]\n[Map]\n", "missing word on line 3: [Info]", true},
        // The map's size in world units becomes an int on either axis.
        {"[Info]\nTILE_SIZE 1073741824 8\n" + types + "a1a2\n",
         "map too large: 2 x 1 cells of 1073741824 x 8 units, more than 2147483647 units a side"},
        {"[Info]\nTILE_SIZE 8 -2000000000\n" + types + "a\na\n",
         "map too large: 1 x 2 cells of 8 x -2000000000 units, more than 2147483647 units a side"},
    };
    for (const auto& c : cases) {
        EXPECT_FATAL(load(c.text), "Level L.txt - " + c.message);
        if (c.previewToo) {
            writeFile("L.txt", c.text);
            TileMap preview;
            EXPECT_FATAL(preview.makePicture(&res, "L.txt", "1"), "Level L.txt - " + c.message);
        }
    }
    // Longer than the largest texture: a side of up to an int's units loads.
    const std::string switches = "[Types]\ns 2 0 0 0 p.png q.png\n[Map]\n";
    for (const std::string& text : {"[Info]\nTILE_SIZE 16385 8\n" + types + "a\n",
                                    "[Info]\nTILE_SIZE 8 8\n" + types + tallMap,
                                    "[Info]\nTILE_SIZE 1073741696 -8\n" + switches + "s1s2\n"})
        destroy(load(text));
}

TEST_F(TileMapLoadTest, load_pathWithANulByteNamesNoFile)
{
    // Cut at the NUL, each path would name p.png, which is there. The message
    // shows the NUL, so that the box shows the whole text.
    using namespace std::string_literals;
    const struct { std::string text; std::string path; } cases[] = {
        {"[Info]\nPLAYER_BMP p.png\0x\n[Types]\n[Map]\n"s, "p.png\\0x"},
        {"[Info]\nLIGHT_BMP p.png\0\n[Types]\n[Map]\n"s, "p.png\\0"},
        {"[Info]\n[Types]\na 0 0 0 0 p.png\0q.png\n[Map]\na\n"s, "p.png\\0q.png"},
    };
    for (const auto& c : cases)
        EXPECT_FATAL(load(c.text), "Bitmap path> " + c.path + " <not found or initialize fail");
}

TEST_F(TileMapLoadTest, load_groupsNeedingMoreThanFourLargestBatchesAreFatal)
{
    // Row r holds one tile 16384 x 16 of its own group, whose batches reach
    // from the map's top edge down to it: 2 x 16384 x 16 (r + 1) pixels each.
    // 64 rows ask for 1090519040 pixels in all, a kilobyte of file for 4 GiB.
    std::string rows;
    for (int r = 0; r < 64; r++)
        rows += std::string("a") + (char)('0' + r) + "\n";
    EXPECT_FATAL(load("[Info]\nTILE_SIZE 16384 16\n[Types]\na 0 0 0 0 p.png\n[Map]\n" + rows),
                 "Level L.txt - door groups too large: 64 groups need 1090519040 pixels of batches, "
                 "more than 1073741824");
}

TEST_F(TileMapLoadTest, load_lightTooLargeToDrawIsFatal)
{
    // The darkness draws a square of side 2r, an int, with r = (w + h) / 2 x
    // LIGHT_SIZE units truncated; a level with a light picture whose square
    // can't be formed never reaches the first lit frame.
    const struct { const char* info; const char* message; } cases[] = {
        {"TILE_SIZE 32 32\nLIGHT_SIZE 1e30", "LIGHT_SIZE 1e+30 with tiles of 32 x 32 units"},
        {"LIGHT_SIZE -7e7\nTILE_SIZE 32 32", "LIGHT_SIZE -7e+07 with tiles of 32 x 32 units"},
        // r fits an int, 2r does not.
        {"TILE_SIZE 64 64\nLIGHT_SIZE 20000000", "LIGHT_SIZE 2e+07 with tiles of 64 x 64 units"},
        {"TILE_SIZE 16384 16384\nLIGHT_SIZE 131000", "LIGHT_SIZE 131000 with tiles of 16384 x 16384 units"},
        {"TILE_SIZE 32 32\nLIGHT_SIZE 33554432", "LIGHT_SIZE 3.35544e+07 with tiles of 32 x 32 units"},
        // An empty map takes any tile size.
        {"TILE_SIZE 2000000000 2000000000", "LIGHT_SIZE 5 with tiles of 2000000000 x 2000000000 units"},
    };
    for (const auto& c : cases) {
        EXPECT_FATAL(loadInfo(std::string(c.info) + "\nLIGHT_BMP p.png"),
                     std::string("Level L.txt - light too large: ") + c.message)
            << c.info;
        // Without a light picture no light is drawn: the level loads, and its
        // first lit frame ends at the missing darkness picture.
        TileMap* map = loadInfo(std::string(c.info) + "\n");
        map->lightOn = true;
        EXPECT_FATAL(map->drawLight(), "Bitmap key> BLACK <not found!") << c.info;
        destroy(map);
    }
    // r = 1073740800, just below 2^30 (the draw tests draw it).
    destroy(loadInfo("TILE_SIZE 32 32\nLIGHT_SIZE 33554400\nLIGHT_BMP p.png"));
}
