#include "Animation.hpp"
#include "AnimationData.hpp"
#include "Bitmap.hpp"
#include "LevelTest.hpp"
#include "ResourceStore.hpp"

namespace {

// Pictures of one colour each, as bytes.
const Rgba black = {0, 0, 0, 255};
const Rgba yellow = {255, 255, 0, 255};    // floor.png
const Rgba red = {255, 0, 0, 255};         // door0.png, a door closed
const Rgba green = {0, 255, 0, 255};       // door1.png, a door open
const Rgba blue = {0, 0, 255, 255};        // sw0.png, a switch released
const Rgba magenta = {255, 0, 255, 255};   // sw1.png, a switch pressed
const Rgba cyan = {0, 255, 255, 255};      // ghost.png
const Rgba white = {255, 255, 255, 255};   // player.png
const Rgba light = {128, 64, 255, 255};    // light.png
// The floor multiplied by the light picture.
const Rgba litFloor = {128, 64, 0, 255};

ALLEGRO_COLOR colorOf(const Rgba& c) { return al_map_rgba(c.r, c.g, c.b, c.a); }

// A level of 16 x 16 cells of 32 x 32 units (512 x 512) at offset (0, 0), all
// floor but its first row: the switch of group 1 at cell (0, 0), the door of
// group 1 at (1, 0) and the door of group 2 at (2, 0). The PLAYER and the
// GHOST start at (232, 232, 16, 16), centred at (240, 240).
std::string level(const std::string& info = "TILE_SIZE 32 32\nPLAYER_POS 8 8\n")
{
    std::string text = "[Info]\n" + info +
                       "PLAYER_SIZE 16 16\nPLAYER_BMP player.png\nGHOST_BMP ghost.png\nLIGHT_BMP light.png\n"
                       "[Types]\n. 0 0 0 0 floor.png\nD 1 0 1 0 door0.png door1.png\ns 2 0 0 0 sw0.png sw1.png\n"
                       "[Map]\ns1D1D2";
    for (int row = 0; row < 16; row++) {
        for (int column = row == 0 ? 3 : 0; column < 16; column++)
            text += ".0";
        text += "\n";
    }
    return text;
}

// The level's pictures lie beside it; the blender is the one the display
// starts with.
class TileMapDrawTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        const struct { const char* path; Rgba color; } pictures[] = {
            {"floor.png", yellow}, {"door0.png", red},     {"door1.png", green},
            {"sw0.png", blue},     {"sw1.png", magenta},   {"ghost.png", cyan},
            {"player.png", white}, {"light.png", light},   {"red.png", red},
            {"blue.png", blue},    {"half.png", {255, 255, 255, 128}},
        };
        for (const auto& p : pictures)
            writePicture(p.path, 2, 2, colorOf(p.color));
        al_set_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA);
    }

    // A 512 x 512 frame in the given colour; by default the camera sees it
    // whole. The target shows world units 0 to 512 whatever the view.
    void newFrame(const Rgba& background = black, Kest::tvec2<float> viewPosition = Kest::tvec2<float>())
    {
        if (target == nullptr)
            target = makeMemoryTarget(512, 512);
        al_set_target_bitmap(target);
        al_clear_to_color(colorOf(background));
        camera.clearBounds();
        camera.setView(Rect(viewPosition, 512, 512));
    }

    Rgba at(int x, int y) { return pixelAt(target, x, y); }
};

} // namespace

TEST_F(TileMapDrawTest, drawLight_darkensAllButASquareOfSide2rAroundThePlayersCentre)
{
    // r = (int)((tile width + tile height) * LIGHT_SIZE / 2), truncated. On a
    // white frame the square shows the light picture and the rest of the
    // 512 x 512 view at P is opaque black.
    const struct { const char* info; bool playerActive; int px, py, cx, cy, r; } cases[] = {
        {"TILE_SIZE 32 32\nLIGHT_SIZE 5\nPLAYER_POS 8 8", true, 0, 0, 240, 240, 160},
        {"TILE_SIZE 30 20\nLIGHT_SIZE 1.3\nPLAYER_POS 5 5", true, -16, -96, 135, 90, 32},  // 32.5 truncated
        {"TILE_SIZE 32 16\nLIGHT_SIZE 2.5\nPLAYER_POS 4 10", true, 0, -128, 112, 152, 60},
        // An inactive PLAYER is a zero rect: the square sits on the origin.
        {"TILE_SIZE 32 32\nLIGHT_SIZE 5\nPLAYER_POS 8 8", false, -100, -100, 0, 0, 160},
    };
    for (const auto& c : cases) {
        TileMap* map = load(level(std::string(c.info) + "\n"));
        if (c.playerActive)
            map->activateObject("PLAYER");
        map->lightOn = true;
        newFrame(white, Kest::tvec2<float>((float)c.px, (float)c.py));
        map->drawLight();
        const struct { int x, y; Rgba expected; } probes[] = {
            {c.cx - c.r - 1, c.cy, black}, {c.cx - c.r, c.cy, light},
            {c.cx + c.r - 1, c.cy, light}, {c.cx + c.r, c.cy, black},
            {c.cx, c.cy - c.r - 1, black}, {c.cx, c.cy - c.r, light},
            {c.cx, c.cy + c.r - 1, light}, {c.cx, c.cy + c.r, black},
            {c.cx + c.r - 1, c.cy + c.r - 1, light}, {c.cx + c.r, c.cy + c.r, black},
            // The view's corners.
            {c.px, c.py, black}, {c.px + 511, c.py, black},
            {c.px, c.py + 511, black}, {c.px + 511, c.py + 511, black},
        };
        for (const auto& p : probes) {
            if (p.x >= 0 && p.y >= 0) {
                EXPECT_EQ(at(p.x, p.y), p.expected) << "(" << p.x << ", " << p.y << ") with " << c.info;
            }
        }
        destroy(map);
    }
}

TEST_F(TileMapDrawTest, drawLight_showsTheMapOnlyInTheLightSquareMultipliedByTheLight)
{
    TileMap* map = load(level());
    map->activateObject("PLAYER");
    // "BLACK" is opaque black, whatever a new picture holds.
    EXPECT_EQ(pixelAt(res.getBitmap("BLACK")->bitmap, 0, 0), black);
    // Square from (80, 80) to (400, 400); the PLAYER covers (232..247, 232..247).
    const struct { int x, y; Rgba dark, bright; } probes[] = {
        {100, 100, litFloor, yellow}, {240, 390, litFloor, yellow}, {240, 240, light, white},
        {40, 240, black, yellow},     {240, 40, black, yellow},     {450, 240, black, yellow},
        {240, 450, black, yellow},    {500, 20, black, yellow},     {16, 16, black, blue},
    };
    for (bool lightOn : {false, true}) {
        map->lightOn = lightOn;
        newFrame();
        map->draw();
        map->drawLight();
        for (const auto& p : probes)
            EXPECT_EQ(at(p.x, p.y), lightOn ? p.dark : p.bright) << "(" << p.x << ", " << p.y << ") light " << lightOn;
    }
    destroy(map);
}

TEST_F(TileMapDrawTest, drawLight_leavesTheBlenderItFoundSoTheGhostLooksTheSameAfterADarkLevel)
{
    TileMap* map = load(level());
    map->activateObject("GHOST");
    // The ghost alone at (232, 232, 16, 16), translucent over the floor.
    newFrame();
    map->draw();
    const Rgba before = at(240, 240);
    EXPECT_FALSE(before == yellow) << before;
    EXPECT_FALSE(before == cyan) << before;

    map->lightOn = true;
    al_set_separate_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA, ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ONE);
    map->drawLight();
    int blender[6];
    al_get_separate_blender(&blender[0], &blender[1], &blender[2], &blender[3], &blender[4], &blender[5]);
    const int found[6] = {ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA, ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ONE};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(blender[i], found[i]) << "blender part " << i;

    al_set_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA);
    map->drawLight();
    map->lightOn = false;
    newFrame();
    map->draw();
    EXPECT_EQ(at(240, 240), before);
    destroy(map);
}

TEST_F(TileMapDrawTest, draw_pressedSwitchShowsItsSecondPictureAndOpensItsGroupsDoorsInTheSameFrame)
{
    TileMap* map = load(level());
    map->activateObject("PLAYER");
    // On the switch at cell (0, 0), then beside it at (0, 1). Every pixel of
    // the first row's three cells but the PLAYER's shows its cell's picture:
    // the groups' batches reach over each other's cells there.
    const struct { float x, y; Rgba cells[3]; } cases[] = {
        {8, 8, {magenta, green, red}},
        {8, 40, {blue, red, red}},
    };
    for (const auto& c : cases) {
        *map->getPlayer() = Rect(c.x, c.y, 16, 16);
        map->update();
        newFrame();
        map->draw();
        int wrong = 0;
        for (int y = 0; y < 32; y++) {
            for (int x = 0; x < 96; x++) {
                const bool player = x >= c.x && x < c.x + 16 && y >= c.y && y < c.y + 16;
                if (!player && !(at(x, y) == c.cells[x / 32]) && wrong++ == 0)
                    ADD_FAILURE() << "(" << x << ", " << y << ") is " << at(x, y) << " with the PLAYER at " << c.y;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
    destroy(map);
}

TEST_F(TileMapDrawTest, draw_queuesOneTrailCopyOverTheGhostPerFrameWhileItIsActive)
{
    TileMap* map = load(level());
    map->activateObject("GHOST");
    for (size_t frame = 1; frame <= 3; frame++) {
        const Rect ghost(100.0f + 10.0f * (float)frame, 50.0f, 16.0f, 16.0f);
        *map->getGhost() = ghost;
        newFrame();
        map->draw();
        ASSERT_EQ(res.store->animations.size(), frame);
        const Kest::Animation* trail = res.store->animations.back();
        EXPECT_EQ(trail->data, res.store->animationData.at("ghost_fade"));
        EXPECT_EQ(trail->ticksPerFrame, 2);
        EXPECT_TRUE(trail->tinted);
        EXPECT_FLOAT_EQ(trail->tint.a, 80.0f / 255.0f);
        EXPECT_EQ(trail->destination, ghost) << "frame " << frame;
    }

    map->deactivateObject("GHOST");
    newFrame();
    map->draw();
    EXPECT_EQ(res.store->animations.size(), 3u);
    EXPECT_EQ(at(138, 58), yellow);
    destroy(map);
}

TEST_F(TileMapDrawTest, makePicture_fitsTheGridIntoWholePixelsPerCellAndLeavesTheRestBlack)
{
    const std::string types = "[Types]\nr 0 0 0 0 red.png\nb 2 0 0 0 blue.png door0.png\n";
    auto grid = [](int columns, int rows, bool checker) {
        std::string text = "[Map]\n";
        for (int y = 0; y < rows; y++) {
            for (int x = 0; x < columns; x++)
                text += checker && (x + y) % 2 == 1 ? "b1" : "r1";
            text += "\n";
        }
        return text;
    };
    struct Probe { int x, y; Rgba expected; };
    const struct { std::string name, text; std::vector<Probe> probes; } cases[] = {
        {"20 x 20 without [Info]", types + grid(20, 20, true),
         {{0, 0, red}, {19, 19, red}, {20, 19, blue}, {19, 20, blue}, {20, 20, red}, {399, 380, red}, {399, 379, blue}}},
        // 57 x 133 cells cover 399 x 399.
        {"7 x 3 after [Info]", "[Info]\nTILE_SIZE 8 8\nPLAYER_BMP none.png\n" + types + grid(7, 3, false),
         {{398, 398, red}, {399, 0, black}, {0, 399, black}, {399, 399, black}}},
        {"401 columns", types + grid(401, 1, false), {{0, 0, black}, {200, 200, black}}},
        // The last character of an odd row is a cell's mark.
        {"odd row", types + "[Map]\nr1b\n", {{199, 0, red}, {200, 399, blue}}},
        {"shared picture", types + "g 0 0 0 0 red.png\n[Map]\nb1g1\nr1b1\n",
         {{100, 100, blue}, {300, 100, red}, {100, 300, red}}},
        {"no rows", types + "[Map]\n\n", {{0, 0, black}, {399, 399, black}}},
        {"no [Map]", types, {{0, 0, black}}},
        {"no [Types]", "[Info]\n[Map]\nr1\n", {{0, 0, black}}},
    };
    int number = 0;
    for (const auto& c : cases) {
        writeFile("L.txt", c.text);
        TileMap map;
        const std::string suffix = std::to_string(++number);
        EXPECT_EQ(map.makePicture(&res, "L.txt", suffix), "L.txt" + suffix);
        ALLEGRO_BITMAP* preview = res.getBatch("L.txt" + suffix)->bitmap;
        EXPECT_EQ(al_get_bitmap_width(preview), 400);
        EXPECT_EQ(al_get_bitmap_height(preview), 400);
        for (const Probe& p : c.probes)
            EXPECT_EQ(pixelAt(preview, p.x, p.y), p.expected) << "(" << p.x << ", " << p.y << ") of " << c.name;
        // Its pictures and the text are released; the preview stays.
        EXPECT_TRUE(res.store->bitmaps.empty()) << c.name;
        EXPECT_TRUE(res.store->textFiles.empty()) << c.name;
    }
}

TEST_F(TileMapDrawTest, makePicture_drawsEachCellOnce)
{
    // A half-transparent picture shows darker once than drawn twice over black.
    writeFile("L.txt", "[Types]\nh 0 0 0 0 half.png\n[Map]\nh\n");
    TileMap map;
    ALLEGRO_BITMAP* preview = res.getBatch(map.makePicture(&res, "L.txt", "1"))->bitmap;
    ALLEGRO_BITMAP* half = al_load_bitmap_flags("half.png", ALLEGRO_NO_PREMULTIPLIED_ALPHA);
    newFrame();
    al_draw_scaled_bitmap(half, 0, 0, 2, 2, 0, 0, 400, 400, 0);
    al_destroy_bitmap(half);
    EXPECT_EQ(pixelAt(preview, 200, 200), at(200, 200));
}
