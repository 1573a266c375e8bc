#include "HandMap.hpp"
#include "TestSupport.hpp"

TEST(TileMapUpdate, update_edgeThatOnlyTouchesASwitchPressesIt)
{
    // The switch covers x 10..20, y 0..10.
    const struct { float x, y; bool pressed; } cases[] = {
        {2, 1, true},      // right edge on x = 10
        {1.9f, 1, false},  // right edge short by 0.1
        {20, 1, true},     // left edge on x = 20
        {12, 10, true},    // top edge on y = 10
        {12, 10.1f, false},
    };
    for (int mode : {1, 0}) {
        for (const auto& c : cases) {
            HandMap w({". Sa. ", ". . . "});
            w.map->switchScanMode = mode;
            w.put("PLAYER", c.x, c.y);
            w.map->update();
            EXPECT_EQ(w.map->tiles.at({1, 0})->pressed, c.pressed) << "mode " << mode << " at " << c.x << "," << c.y;
            EXPECT_EQ(w.map->suffs.at('a')->active, c.pressed) << "mode " << mode << " at " << c.x << "," << c.y;
        }
    }
}

TEST(TileMapUpdate, update_undoesMoveOntoSolidEdgeButNotACornerTouch)
{
    // In the middle grid the wall covers x 30..40, y 10..20.
    const std::vector<std::string> middle = {". . . . . ", ". . . # . ", ". . . . . "};
    const std::vector<std::string> edges = {"# . # "};
    const struct { std::vector<std::string> rows; float fromX, fromY, toX, toY, endX, endY, tile = 10; } cases[] = {
        {middle, 20, 11, 22, 11, 20, 11},          // right edge onto x = 30: undone
        {middle, 20, 11, 21.9f, 11, 21.9f, 11},    // stops 0.1 short: stands
        {middle, 31, 0, 31, 2, 31, 0},             // bottom edge onto y = 10: undone
        {middle, 21, 0, 22.5f, 2.5f, 22.5f, 2.5f}, // diagonal onto the corner only: stands, overlapping
        {middle, 20, 11, 23, 12, 20, 12},          // diagonal into the side: only x undone
        // Centres off the grid, within one tile of its left and right edges.
        {edges, -10, 1, -8, 1, -10, 1},
        {edges, 32, 1, 30, 1, 32, 1},
        // Negative tiles: a centre 3e9 tiles out is on no cell either side.
        {middle, 3e10f, 1, 3e10f, 3, 3e10f, 3, -10},
    };
    for (const auto& c : cases) {
        HandMap w(c.rows, c.tile);
        w.put("PLAYER", c.fromX, c.fromY);
        w.moveTo("PLAYER", c.toX, c.toY);
        w.map->update();
        const Rect r = w.rect("PLAYER");
        EXPECT_EQ(r.x, c.endX) << "move to " << c.toX << "," << c.toY;
        EXPECT_EQ(r.y, c.endY) << "move to " << c.toX << "," << c.toY;
        EXPECT_EQ(w.map->objects.at("PLAYER")->lastRect.x, c.endX);
    }
}

TEST(TileMapUpdate, update_objectLeftInsideClosingDoorIsStuckUntilOneStepClearsIt)
{
    // The GHOST opens the door at x 30..40 from the switch; the PLAYER stands in it.
    HandMap w({". Sa. Da. . "});
    w.put("GHOST", 11, 1);
    w.put("PLAYER", 26, 1);
    w.map->update();
    EXPECT_EQ(w.rect("PLAYER").x, 26);

    w.map->deactivateObject("GHOST");
    for (float x : {24.0f, 28.0f, 26.0f}) {
        w.moveTo("PLAYER", x, 1);
        w.map->update();
        EXPECT_EQ(w.rect("PLAYER").x, 26) << "move to " << x;
        EXPECT_EQ(w.rect("PLAYER").y, 1);
    }
    w.moveTo("PLAYER", 21, 1);
    w.map->update();
    EXPECT_EQ(w.rect("PLAYER").x, 21);
}

TEST(TileMapUpdate, update_invertedDoorsAndGoalsBlockOnlyWhileTheirGroupIsOpen)
{
    // Inverted door at x 30..40, inverted goal at x 50..60, both of group a.
    for (bool switchPressed : {false, true}) {
        HandMap w({". Sa. Ia. ga. "});
        if (switchPressed)
            w.put("GHOST", 11, 1);
        w.put("PLAYER", 20, 1);
        w.moveTo("PLAYER", 23, 1);
        w.map->update();
        EXPECT_EQ(w.rect("PLAYER").x, switchPressed ? 20 : 23) << "switch pressed " << switchPressed;

        w.put("PLAYER", 51, 1);
        w.map->update();
        EXPECT_EQ(w.map->getState(), switchPressed ? TileMap::Won : TileMap::Playing)
            << "switch pressed " << switchPressed;
    }
}

TEST(TileMapUpdate, update_goalAndDeadlyTilesDecideStateWithoutStopping)
{
    // Cells: x 0..10, 10..20, 20..30 of the one row.
    const struct { const char* row; float ghostX, playerX; int before, after; } cases[] = {
        {". G . ", -1000, 11, TileMap::Playing, TileMap::Won},
        {". X . ", -1000, 11, TileMap::Playing, TileMap::Dead},
        {". X . ", -1000, 11, TileMap::Won, TileMap::Won},     // won stays won
        {"X G . ", -1000, 6, TileMap::Playing, TileMap::Won},  // goal after deadly in the scan
        {"G X . ", -1000, 6, TileMap::Playing, TileMap::Won},  // deadly after goal: no death
        {"G . X ", 1, 21, TileMap::Playing, TileMap::Won},     // GHOST wins before PLAYER dies
        {"X . G ", 1, 21, TileMap::Playing, TileMap::Won},     // GHOST dies, PLAYER wins later
        {". X . ", -1000, 11, TileMap::Dead, TileMap::Dead},
    };
    for (const auto& c : cases) {
        HandMap w({c.row});
        w.map->state = c.before;
        w.map->lightOn = true;
        if (c.ghostX > -1000)
            w.put("GHOST", c.ghostX, 1);
        w.put("PLAYER", c.playerX - 2, 1);
        w.moveTo("PLAYER", c.playerX, 1);
        w.map->update();
        EXPECT_EQ(w.map->getState(), c.after) << c.row << " player at " << c.playerX;
        EXPECT_EQ(w.rect("PLAYER").x, c.playerX) << "not solid: " << c.row;
        // Only a goal reached switches the darkness off.
        EXPECT_EQ(w.map->lightOn, std::string(c.row).find('G') == std::string::npos) << c.row;
    }
}

TEST(TileMapUpdate, update_lightSwitchesKeepTheirEffectAndTheLaterSwitchDecides)
{
    HandMap on({"L . "});
    on.put("PLAYER", 1, 1);
    on.map->update();
    EXPECT_TRUE(on.map->lightOn);
    on.put("PLAYER", 11, 1);
    on.map->update();
    EXPECT_TRUE(on.map->lightOn) << "stepping off changes nothing";

    // PLAYER on the first switch of the row, GHOST on the second.
    const struct { const char* row; bool lightOn; } cases[] = {{"L l ", false}, {"l L ", true}};
    for (const auto& c : cases) {
        HandMap w({c.row});
        w.map->lightOn = !c.lightOn;
        w.put("PLAYER", 1, 1);
        w.put("GHOST", 11, 1);
        w.map->update();
        EXPECT_EQ(w.map->lightOn, c.lightOn) << c.row;
    }
}

TEST(TileMapUpdate, update_inactiveObjectNeitherPressesCollidesWinsNorDies)
{
    // The GHOST moves over the switch, goal or deadly tile at x 10..20 and
    // into the wall at x 20..30; the PLAYER into the door or wall at x 30..40.
    for (const char* row : {". Sa# Da. ", ". G # # . ", ". X # # . "}) {
        HandMap w({row});
        w.map->deactivateObject("GHOST");
        w.put("GHOST", 1, 1);
        w.moveTo("GHOST", 13, 1);
        w.put("PLAYER", 42, 1);
        w.moveTo("PLAYER", 40, 1);
        w.map->update();
        EXPECT_EQ(w.map->getState(), TileMap::Playing) << row;
        EXPECT_EQ(w.rect("GHOST").x, 13) << row;
        EXPECT_EQ(w.map->objects.at("GHOST")->lastRect.x, 1) << row;
        EXPECT_EQ(w.rect("PLAYER").x, 42) << row;
        EXPECT_EQ(w.map->getGhost()->x, 0) << "an inactive object yields a zero rect";
    }
}

TEST(TileMapUpdate, restart_firstUpdateUndoesTowardsTheStartNotThePlaceBefore)
{
    // The wall covers x 30..40, y 10..20; the PLAYER last stood left of it.
    HandMap w({". . . . . ", ". . . # . ", ". . . . . "});
    w.put("PLAYER", 20, 11);
    w.map->objects.at("PLAYER")->startRect = Rect(32, 1, 8, 8);
    w.map->state = TileMap::Dead;
    w.map->lightOnStart = true;
    w.map->restart();
    EXPECT_EQ(w.map->getState(), TileMap::Playing);
    EXPECT_TRUE(w.map->lightOn);
    EXPECT_EQ(w.rect("PLAYER").x, 32);

    // One step down onto the wall's top edge is undone back to the start,
    // not to where the PLAYER stood before the restart.
    w.moveTo("PLAYER", 32, 2);
    w.map->update();
    EXPECT_EQ(w.rect("PLAYER").x, 32);
    EXPECT_EQ(w.rect("PLAYER").y, 1);
}

TEST(TileMapUpdate, update_shortRowIsFatalOnlyWhenAnObjectComesNextToTheHole)
{
    // Row 1 lacks the cells (2, 1) and (3, 1).
    HandMap w({". . . . ", ". . "});
    w.put("PLAYER", 1, 1);
    w.map->update();
    w.moveTo("PLAYER", 11, 1);
    EXPECT_FATAL(w.map->update(), "Tile > 2,1< not found");
}

TEST(TileMapUpdate, objects_areFoundByTheirExactNameAndInactiveOnesYieldAScratchRect)
{
    HandMap w({". "});
    w.map->deactivateObject("PLAYER");
    w.put("PLAYER", 3, 4);
    w.map->getPlayer()->x = 50;
    EXPECT_EQ(w.map->getPlayer()->x, 0);
    EXPECT_EQ(w.rect("PLAYER").x, 3);
    w.map->activateObject("PLAYER");
    w.map->getPlayer()->x = 50;
    EXPECT_EQ(w.rect("PLAYER").x, 50);

    EXPECT_FATAL(w.map->activateObject("Player"), "Object >Player< not found");
    EXPECT_FATAL(w.map->removeObject("ghost"), "Object >ghost< not found");
    EXPECT_FATAL(w.map->getTile({3, 7}), "Tile > 3,7< not found");
}
