#include "ResourcesFixture.hpp"

#include <allegro5/allegro_ttf.h>

#include <functional>
#include <string>
#include <vector>

namespace {
const char* const fontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const Rgba red{255, 0, 0, 255};
const Rgba black{0, 0, 0, 255};

bool anyLit(ALLEGRO_BITMAP* bitmap, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
            if (!(pixelAt(bitmap, x, y) == black))
                return true;
    return false;
}

// The first pixel, as "x, y", where two bitmaps of one size differ; "" when
// they are the same; "nothing drawn" when the first shows nothing at all.
std::string firstDifference(ALLEGRO_BITMAP* a, ALLEGRO_BITMAP* b)
{
    const int width = al_get_bitmap_width(a);
    const int height = al_get_bitmap_height(a);
    if (!anyLit(a, 0, 0, width, height))
        return "nothing drawn";
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            if (!(pixelAt(a, x, y) == pixelAt(b, x, y)))
                return std::to_string(x) + ", " + std::to_string(y);
    return "";
}

class ResourcesDrawTest : public ResourcesTest {
protected:
    void SetUp() override
    {
        ResourcesTest::SetUp();
        res.createBitmap(4, 4, "red");
        res.createBatch(4, 4, "redBatch");
        for (ALLEGRO_BITMAP* b : {res.getBitmap("red")->bitmap, res.getBatch("redBatch")->bitmap}) {
            al_set_target_bitmap(b);
            al_clear_to_color(al_map_rgb(255, 0, 0));
        }
        target = makeMemoryTarget(400, 300);
    }
};
} // namespace

TEST_F(ResourcesDrawTest, worldDraws_cullAgainstTheViewWithTouchingEdgesDrawn)
{
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    struct Case {
        const char* what;
        std::function<void()> draw;
        int x, y;  // a pixel inside the destination
        bool drawn;
    };
    const std::vector<Case> cases = {
        {"touching the right edge", [&] { res.drawBitmap("red", Rect(100, 10, 10, 10), false); }, 105, 15, true},
        {"wholly outside", [&] { res.drawBitmap("red", Rect(101, 10, 10, 10), false); }, 105, 15, false},
        {"unculled", [&] { res.drawBitmapUnculled("red", Rect(101, 10, 10, 10), false); }, 105, 15, true},
        {"tinted outside", [&] { res.drawBitmap("red", white, Rect(101, 10, 10, 10), false); }, 105, 15, false},
        {"centred onto the edge", [&] { res.drawBitmap("red", Rect(105, 15, 10, 10), true); }, 100, 15, true},
        {"natural size outside", [&] { res.drawBitmap("red", Kest::tvec2<float>(101, 10)); }, 102, 12, false},
        {"natural size touching", [&] { res.drawBitmap("red", Kest::tvec2<float>(100, 100)); }, 102, 102, true},
        {"batch outside", [&] { res.drawBatch("redBatch", Rect(101, 10, 10, 10), false); }, 105, 15, false},
        {"batch touching", [&] { res.drawBatch("redBatch", Kest::tvec2<float>(10, 100)); }, 12, 102, true},
        {"rectangle outside", [&] { res.drawFilledRect(white, Rect(10, 101, 10, 10), false); }, 15, 105, false},
    };
    camera.setView(Rect(0, 0, 100, 100));
    for (const Case& c : cases) {
        al_set_target_bitmap(target);
        res.clearScreen();
        c.draw();
        EXPECT_EQ(!(pixelAt(target, c.x, c.y) == black), c.drawn) << c.what << " at " << c.x << ", " << c.y;
    }
}

TEST_F(ResourcesDrawTest, centredDestination_isTheRectangleAroundItsXY)
{
    res.drawBitmap("red", Rect(100, 100, 40, 20), true);
    // (80, 90) to (120, 110), exclusive.
    for (auto p : {std::make_pair(80, 90), std::make_pair(119, 109)})
        EXPECT_EQ(pixelAt(target, p.first, p.second), red) << p.first << ", " << p.second;
    for (auto p : {std::make_pair(79, 90), std::make_pair(80, 89), std::make_pair(120, 109), std::make_pair(119, 110)})
        EXPECT_EQ(pixelAt(target, p.first, p.second), black) << p.first << ", " << p.second;
}

TEST_F(ResourcesDrawTest, translucentPictureBlendsOnceUnderTheGamesBlender)
{
    // A white picture at half alpha over black under (ADD, ALPHA,
    // INVERSE_ALPHA) gives half white, and the ghost's tint of alpha 80 over
    // it a further 80/255 of that, not the square of either.
    res.loadBitmap(writePicture("half.png", 4, 4, al_map_rgba(255, 255, 255, 128)), "half");
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA);
    res.drawBitmap("half", Rect(0, 0, 4, 4), false);
    res.drawBitmap("half", al_map_rgba(255, 255, 255, 80), Rect(10, 0, 4, 4), false);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_INVERSE_ALPHA);
    EXPECT_EQ(pixelAt(target, 1, 1).r, 128);
    EXPECT_EQ(pixelAt(target, 11, 1).r, 40);
}

TEST_F(ResourcesDrawTest, insideABatch_picturesIgnoreTheViewWhileBatchesStayCulled)
{
    res.createBatch(400, 300, "level");
    camera.setView(Rect(0, 0, 100, 100));
    res.beginBatch("level");
    ALLEGRO_BITMAP* level = res.getBatch("level")->bitmap;
    res.clearScreen();
    EXPECT_EQ(al_get_target_bitmap(), level);
    res.drawBitmap("red", Rect(200, 200, 10, 10), false);
    res.drawBatch("redBatch", Rect(300, 200, 10, 10), false);
    res.drawBatch("redBatch", Rect(50, 50, 10, 10), false);
    EXPECT_EQ(pixelAt(level, 205, 205), red);
    EXPECT_EQ(pixelAt(level, 305, 205), black);
    EXPECT_EQ(pixelAt(level, 55, 55), red);
    EXPECT_FATAL(res.beginBatch("red"), "Batch key> red <not found!");
}

TEST_F(ResourcesDrawTest, missingKeysAreFatalEvenWhereTheDrawWouldBeCulled)
{
    camera.setView(Rect(0, 0, 100, 100));
    const Rect outside(5000, 5000, 1, 1);
    EXPECT_FATAL(res.drawBitmap("nope", outside, false), "Bitmap key> nope <not found!");
    EXPECT_FATAL(res.drawBitmap("nope", Kest::tvec2<float>(5000, 5000)), "Bitmap key> nope <not found!");
    EXPECT_FATAL(res.drawBatch("red", outside, true), "Batch key> red <not found!");
    EXPECT_FATAL(res.drawText("nope", 20, al_map_rgb(1, 1, 1), Kest::tvec2<float>(5000, 5000), 0, "x"),
                 "Font key> nope <not found!");
    res.loadFont(fontPath, "font");
    EXPECT_FATAL(res.drawText("font", 4, al_map_rgb(1, 1, 1), Kest::tvec2<float>(5, 5), 0, "x"),
                 "Font with key> font <size out of range");
    EXPECT_FATAL(res.drawText("font", 101, al_map_rgb(1, 1, 1), Kest::tvec2<float>(5, 5), 0, "x"),
                 "Font with key> font <size out of range");
}

TEST_F(ResourcesDrawTest, screenDraws_mapTheVirtualScreenOntoTheView)
{
    al_destroy_bitmap(target);
    target = makeMemoryTarget(900, 500);
    camera.setView(Rect(100, 50, 1280, 720));
    res.drawScreenBitmap("red", Rect(1280, 720, 200, 100), false);
    // (740, 410) to (840, 460), exclusive.
    for (auto p : {std::make_pair(740, 410), std::make_pair(839, 459)})
        EXPECT_EQ(pixelAt(target, p.first, p.second), red) << p.first << ", " << p.second;
    for (auto p : {std::make_pair(739, 410), std::make_pair(740, 409), std::make_pair(840, 459),
                   std::make_pair(839, 460)})
        EXPECT_EQ(pixelAt(target, p.first, p.second), black) << p.first << ", " << p.second;

    res.clearScreen();
    res.drawBitmapToView("red");
    EXPECT_EQ(pixelAt(target, 100, 50), red);
    EXPECT_EQ(pixelAt(target, 99, 50), black);
    EXPECT_EQ(pixelAt(target, 899, 499), red);
}

TEST_F(ResourcesDrawTest, screenText_picksTheFontIndexFromTheViewHeldTo5Through100)
{
    // Every index holds its own size of the font, so the text drawn through
    // the store has the pixels of the expected index's font drawn by hand at
    // the mapped place, (100, 50) for the position (0, 0), and no other.
    res.loadFont(fontPath, "font");
    al_destroy_bitmap(target);
    target = makeMemoryTarget(600, 450);
    ALLEGRO_BITMAP* expected = makeMemoryTarget(600, 450);
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    struct Case {
        float viewW, viewH;
        int size, index;
    };
    const std::vector<Case> cases = {
        {2560, 1440, 20, 20}, {1280, 720, 20, 10}, {1280, 720, 15, 7}, {320, 180, 20, 5},
        {5120, 2880, 60, 100}, {2560, 1440, 4, 5}, {2560, 1440, 101, 100},
    };
    for (const Case& c : cases) {
        camera.setView(Rect(100, 50, c.viewW, c.viewH));
        ALLEGRO_FONT* font = res.getFont("font", c.index);
        for (bool multiline : {false, true}) {
            al_set_target_bitmap(expected);
            res.clearScreen();
            if (multiline)
                al_draw_multiline_text(font, white, 100, 50, 50, 0.0f, 0, "Hg");
            else
                al_draw_text(font, white, 100, 50, 0, "Hg");
            al_set_target_bitmap(target);
            res.clearScreen();
            if (multiline)
                res.drawScreenMultilineText("font", c.size, white, Kest::tvec2<float>(0, 0), 50, 0, "Hg");
            else
                res.drawScreenText("font", c.size, white, Kest::tvec2<float>(0, 0), 0, "Hg");
            EXPECT_EQ(firstDifference(target, expected), "")
                << (multiline ? "multi-line " : "") << "size " << c.size << " on " << c.viewW << " x " << c.viewH
                << " wants index " << c.index;
        }
    }
    al_destroy_bitmap(expected);
}

TEST_F(ResourcesDrawTest, multilineText_cullsABoxMaxWidthWideAndTwoLinesMoreThanTheText)
{
    res.loadFont(fontPath, "font");
    ALLEGRO_FONT* font = res.getFont("font", 10);
    int bx, by, bw, bh;
    al_get_text_dimensions(font, "ii", &bx, &by, &bw, &bh);
    ASSERT_LT(bw, 40);  // one line: lines = 2
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    struct Case {
        Rect view;
        float x, y, maxWidth;
        bool drawn;
    };
    const std::vector<Case> cases = {
        // The view right of the text: reached only through the box's width.
        {Rect(200, 0, 100, 100), 100.0f - bx, 10, 100, true},
        {Rect(200, 0, 100, 100), 100.0f - bx, 10, 99, false},
        // The view below the text: reached only through the two extra lines.
        {Rect(0, 200, 400, 100), 10, 200.0f - by - 2 * bh, 40, true},
        {Rect(0, 200, 400, 100), 10, 200.0f - by - 2 * bh - 1, 40, false},
        // No width to count lines by: never culled.
        {Rect(200, 0, 100, 100), 10, 10, 0, true},
        {Rect(200, 0, 100, 100), 10, 10, -5, true},
    };
    for (const Case& c : cases) {
        al_set_target_bitmap(target);
        res.clearScreen();
        camera.setView(c.view);
        res.drawMultilineText("font", 10, white, Kest::tvec2<float>(c.x, c.y), c.maxWidth, 0, "ii");
        EXPECT_EQ(anyLit(target, 0, 0, 400, 300), c.drawn) << c.x << ", " << c.y << " width " << c.maxWidth;
    }
}
