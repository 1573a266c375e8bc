#include "ResourcesFixture.hpp"

#include <allegro5/allegro_primitives.h>

#include <climits>
#include <utility>
#include <vector>

namespace {
// Frame i (row-major) of a sheet is filled with red 10 + 20 * i.
int frameShown(ALLEGRO_BITMAP* target, int x, int y)
{
    return (pixelAt(target, x, y).r - 10) / 20;
}

class ResourcesAnimationTest : public ResourcesTest {
protected:
    void SetUp() override
    {
        ResourcesTest::SetUp();
        target = makeMemoryTarget(200, 200);
    }

    // A sheet of columns x rows frames of 10 x 10 pixels, loaded under key.
    void loadSheet(const std::string& key, int columns, int rows)
    {
        ALLEGRO_BITMAP* sheet = al_create_bitmap(10 * columns, 10 * rows);
        al_set_target_bitmap(sheet);
        for (int i = 0; i < columns * rows; i++) {
            const float x = 10.0f * (i % columns), y = 10.0f * (i / columns);
            al_draw_filled_rectangle(x, y, x + 10, y + 10, al_map_rgb(10 + 20 * i, 0, 0));
        }
        const std::string path = dir + "/" + key + ".png";
        ASSERT_TRUE(al_save_bitmap(path.c_str(), sheet));
        al_destroy_bitmap(sheet);
        al_set_target_bitmap(target);
        res.loadAnimation(path, columns, rows, key);
    }

    std::vector<Kest::Animation*>& running() { return res.store->animations; }
};
} // namespace

TEST_F(ResourcesAnimationTest, frameCounted_showsEachFrameTicksPerFramePlusOneTicks)
{
    loadSheet("trail", 8, 1);
    // ticksPerFrame and the ticks each frame is shown.
    for (auto c : {std::make_pair(2, 3), std::make_pair(0, 1), std::make_pair(-5, 1), std::make_pair(INT_MIN, 1)}) {
        res.createAnimation("trail", c.first, Rect(50, 50, 10, 10), false);
        for (int update = 0; update < 8 * c.second; update++) {
            res.clearScreen();
            res.drawAnimations();
            ASSERT_EQ(frameShown(target, 55, 55), update / c.second) << "ticksPerFrame " << c.first << ", update "
                                                                       << update;
            res.updateAnimations();
        }
        EXPECT_TRUE(running().empty()) << "ticksPerFrame " << c.first;
    }
}

TEST_F(ResourcesAnimationTest, timed_advancesByItsStepInRowMajorOrder)
{
    loadSheet("grid", 2, 2);
    loadSheet("strip", 4, 1);
    struct Case {
        const char* key;
        double step;
        std::vector<std::pair<int, int>> afterEachUpdate;  // row, column; then removed
    };
    const std::vector<Case> cases = {
        {"grid", 1.0, {{0, 1}, {1, 0}, {1, 1}}},
        {"strip", 0.5, {{0, 0}, {0, 1}, {0, 1}, {0, 2}, {0, 2}, {0, 3}, {0, 3}}},
        {"strip", 1.5, {{0, 1}, {0, 3}}},
        // A step below zero ends the animation instead of reading before its first frame.
        {"strip", -0.5, {}},
    };
    for (const Case& c : cases) {
        res.createAnimation(c.key, c.step, Rect(0, 0, 10, 10), false);
        Kest::Animation* a = running().back();
        for (size_t i = 0; i < c.afterEachUpdate.size(); i++) {
            res.updateAnimations();
            ASSERT_EQ(std::make_pair(a->row, a->column), c.afterEachUpdate[i]) << c.key << " step " << c.step
                                                                                << ", update " << i + 1;
        }
        res.updateAnimations();
        EXPECT_TRUE(running().empty()) << c.key << " step " << c.step;
    }

    // Step 0 never ends and keeps its first frame.
    res.createAnimation("grid", 0.0, Rect(0, 0, 10, 10), false);
    for (int i = 0; i < 1000; i++)
        res.updateAnimations();
    ASSERT_EQ(running().size(), 1u);
    EXPECT_EQ(std::make_pair(running()[0]->row, running()[0]->column), std::make_pair(0, 0));
}

TEST_F(ResourcesAnimationTest, update_removesAllThatFinishTogetherAndAdvancesTheRestOnce)
{
    loadSheet("trail", 8, 1);
    const Rect at(0, 0, 10, 10);
    res.createAnimation("trail", 2, at, false);    // x
    res.createAnimation("trail", 0, at, false);    // ends at update 8
    res.createAnimation("trail", 0.5, at, false);  // y
    res.createAnimation("trail", 0, at, false);    // ends at update 8
    res.createAnimation("trail", 2, at, false);    // z
    const std::vector<Kest::Animation*> survivors = {running()[0], running()[2], running()[4]};
    for (int i = 0; i < 8; i++)
        res.updateAnimations();
    ASSERT_EQ(running(), survivors);
    EXPECT_EQ(running()[0]->column, 2);  // 8 updates of 3 ticks a frame
    EXPECT_EQ(running()[1]->column, 4);  // 8 half frames
    EXPECT_EQ(running()[2]->column, 2);
}

TEST_F(ResourcesAnimationTest, create_centresTintsAndRefusesAKeyWithoutASheet)
{
    loadSheet("trail", 8, 1);
    res.createAnimation("trail", 2, Rect(100, 100, 40, 20), true);
    res.createAnimation("trail", 2, al_map_rgb(128, 128, 128), Rect(100, 100, 40, 20), false);
    const Rect centred = running()[0]->destination;
    EXPECT_EQ(std::make_pair(centred.x, centred.y), std::make_pair(80.0f, 90.0f));
    EXPECT_EQ(std::make_pair(centred.w, centred.h), std::make_pair(40.0f, 20.0f));

    res.drawAnimations();
    EXPECT_EQ(pixelAt(target, 80, 90).r, 10);   // frame 0 untinted
    EXPECT_EQ(pixelAt(target, 119, 109).r, 5);  // the tinted one over it, halved
    EXPECT_EQ(pixelAt(target, 79, 90).r, 0);

    res.createBitmap(4, 4, "picture only");
    EXPECT_FATAL(res.createAnimation("picture only", 2, Rect(), false), "Animation key> picture only <not found!");
    EXPECT_FATAL(res.createAnimation("nope", 1.0, al_map_rgb(1, 1, 1), Rect(), true), "Animation key> nope <not found!");
}
