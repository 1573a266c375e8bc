// The levels that ship in Resources/Levels: the list file is well-formed,
// every level loads through the real reader and has its preview, and every
// level is won by its solution in tests/data/solutions, replayed key by key
// through the real Game, in fewer ticks than its three-star threshold. The
// game runs on a copy of the Resources tree, so the wins rewrite the copy's
// list file, never the repository's.

#include "Camera.hpp"
#include "FrameTimer.hpp"
#include "GameDriver.hpp"
#include "LevelList.hpp"
#include "MlMap.hpp"
#include "Resources.hpp"
#include "Screen.hpp"
#include "TestSupport.hpp"
#include "TileMap.hpp"

#include "Bitmap.hpp"

#include <allegro5/allegro.h>

#include <fstream>
#include <set>
#include <sstream>

namespace {

const std::string root = ORVELLE_SOURCE_DIR;
const std::string listHeader =
    "PATH__NAME__1STAR_TIME__2STARS_TIME__3STARS_TIME__DONE__TIME (FRAMES) <ignored line>";

// One line of the shipped list file.
struct Entry {
    int number;  // from 1
    std::string path, name;
    int oneStar, twoStars, threeStars, done, time;
    int words;
};

void PrintTo(const Entry& entry, std::ostream* out)
{
    *out << entry.name;
}

std::vector<Entry> shippedList()
{
    std::vector<Entry> entries;
    std::istringstream lines(readFile(root + "/Resources/Levels/LevelList.txt"));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        Entry e{static_cast<int>(entries.size()) + 1, "", "", 0, 0, 0, -1, -1, 0};
        std::istringstream words(line);
        std::string word;
        while (words >> word)
            e.words++;
        std::istringstream fields(line);
        fields >> e.path >> e.name >> e.oneStar >> e.twoStars >> e.threeStars >> e.done >> e.time;
        entries.push_back(e);
    }
    return entries;
}

// A level's solution: the arrow keys held in each tick of play from the
// level's start, and the tick before which Enter starts the ghost run (-1:
// none). File format in tests/data/solutions/README.
struct Solution {
    std::vector<std::string> keys;
    int enterTick = -1;
};

std::string baseName(const std::string& path)
{
    const std::string file = path.substr(path.rfind('/') + 1);
    return file.substr(0, file.rfind('.'));
}

Solution readSolution(const Entry& level)
{
    Solution solution;
    std::ifstream in(root + "/tests/data/solutions/" + baseName(level.path) + ".txt");
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string keys;
        int ticks = 0;
        if (!(words >> keys))
            continue;
        if (keys == "enter") {
            solution.enterTick = static_cast<int>(solution.keys.size());
            continue;
        }
        if (!(words >> ticks) || ticks < 1 || keys.find_first_not_of("-UDLR") != std::string::npos)
            ADD_FAILURE() << baseName(level.path) << ": bad solution line \"" << line << "\"";
        solution.keys.insert(solution.keys.end(), ticks, keys == "-" ? "" : keys);
    }
    return solution;
}

// Replays keys from the start of a level, one entry a tick, Enter before the
// tick enterTick. Returns the total time (recorded run plus ghost run) of the
// tick in which the level was won first, or -1. Each tick's events are queued
// before the tick before it runs, so the loop draws no frame between ticks
// (drawing is not what is tested here, and it is most of a tick's time).
int replay(GameDriver& driver, const std::vector<std::string>& keys, int enterTick)
{
    static const struct {
        char letter;
        int code;
    } arrows[] = {{'U', ALLEGRO_KEY_UP}, {'D', ALLEGRO_KEY_DOWN}, {'L', ALLEGRO_KEY_LEFT}, {'R', ALLEGRO_KEY_RIGHT}};
    std::string held;
    // Queues tick n's events and returns how many.
    auto queue = [&](size_t n) {
        int events = 1;
        for (const auto& arrow : arrows) {
            const bool wanted = keys[n].find(arrow.letter) != std::string::npos;
            const bool holding = held.find(arrow.letter) != std::string::npos;
            if (wanted && !holding)
                driver.hold(arrow.code);
            else if (!wanted && holding)
                driver.release(arrow.code);
            events += wanted != holding ? 1 : 0;
        }
        held = keys[n];
        if (static_cast<int>(n) == enterTick) {
            driver.press(ALLEGRO_KEY_ENTER);
            events += 2;
        }
        driver.queueTick();
        return events;
    };
    int time = -1;
    int waiting = keys.empty() ? 0 : queue(0);
    for (size_t tick = 0; tick < keys.size() && time < 0; tick++) {
        const int events = waiting;
        waiting = tick + 1 < keys.size() ? queue(tick + 1) : 0;
        for (int i = 0; i < events; i++)
            driver.game.loopPass();
        if (driver.game.tileMap->getState() == TileMap::Won)
            time = driver.game.frameTimer->getTotal();
    }
    // What was queued for the tick after the win runs too; then every arrow
    // is let go.
    for (int i = 0; i < waiting; i++)
        driver.game.loopPass();
    for (const auto& arrow : arrows)
        driver.release(arrow.code);
    return time;
}

class ShippedLevel : public ::testing::TestWithParam<Entry> {};

std::string levelName(const ::testing::TestParamInfo<Entry>& info)
{
    return info.param.name;
}

} // namespace

TEST(ShippedLevelList, isWellFormedWithEveryLevelNotDone)
{
    const std::string text = readFile(root + "/Resources/Levels/LevelList.txt");
    ASSERT_EQ(text.substr(0, text.find('\n')), listHeader);
    EXPECT_EQ(text.back(), '\n');
    const std::vector<Entry> entries = shippedList();
    EXPECT_GE(entries.size(), 12u);
    std::set<std::string> paths, names;
    for (const Entry& e : entries) {
        EXPECT_EQ(e.words, 7) << e.name;
        EXPECT_TRUE(paths.insert(e.path).second) << e.path;
        EXPECT_TRUE(names.insert(e.name).second) << e.name;
        EXPECT_EQ(e.path.rfind("Resources/Levels/", 0), 0u) << e.path;
        EXPECT_TRUE(std::ifstream(root + "/" + e.path).good()) << e.path;
        EXPECT_TRUE(e.oneStar > e.twoStars && e.twoStars > e.threeStars && e.threeStars > 0) << e.name;
        EXPECT_EQ(e.done, 0) << e.name;
        EXPECT_EQ(e.time, 0) << e.name;
    }
}

TEST(ShippedLevelList, everyLevelLoadsWithItsPreviewAndFitsItsCamera)
{
    GameDriver driver{GameDriver::Shipped()};
    Game& game = driver.game;
    const std::vector<Entry> entries = shippedList();
    ASSERT_EQ(game.levelList->getCount(), static_cast<int>(entries.size()));
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(game.levelList->getName(e.number), e.name);

        // The preview shows the level's tiles: not the black it starts as.
        Kest::Bitmap* preview = game.resources->getBatch(game.levelList->getPreviewKey(e.number));
        ASSERT_EQ(al_get_bitmap_width(preview->bitmap), 400);
        ALLEGRO_COLOR middle = al_get_pixel(preview->bitmap, 200, 200);
        unsigned char r, g, b;
        al_unmap_rgb(middle, &r, &g, &b);
        EXPECT_GT(r + g + b, 0);

        driver.startLevel(e.number);
        ASSERT_TRUE(game.inGame);
        TileMap* map = game.tileMap;
        const Rect world = map->getMapRect();
        if (map->getCameraMode() == 0) {
            // The fixed view stretches the map onto the 16:9 window.
            EXPECT_FLOAT_EQ(world.w * 9.0f, world.h * 16.0f);
        } else {
            // A following camera has something to follow: the map is larger
            // than the 2560 x 1440 view both ways.
            EXPECT_GT(world.w, 2560.0f);
            EXPECT_GT(world.h, 1440.0f);
        }
        // A first tick of play draws the level with every picture it names.
        driver.tick();
        EXPECT_EQ(map->getState(), TileMap::Playing);
        game.inGame = false;
    }
}

// One game for both checks: its start-up is most of the time.
TEST_P(ShippedLevel, solutionWinsBelowThreeStarsAndOnlyWithTheGhostItUses)
{
    const Entry& level = GetParam();
    const Solution solution = readSolution(level);
    ASSERT_FALSE(solution.keys.empty()) << "no solution for " << level.path;

    GameDriver driver{GameDriver::Shipped()};
    driver.startLevel(level.number);
    const int time = replay(driver, solution.keys, solution.enterTick);
    ASSERT_GT(time, 0) << "not won";
    EXPECT_LT(time, level.threeStars);
    std::cout << "[ level    ] " << level.name << " won in " << time << " ticks (stars below " << level.threeStars
              << ", " << level.twoStars << ", " << level.oneStar << ")\n";

    // By the first won tick the time is in the copy's list file.
    driver.tick();
    EXPECT_TRUE(driver.game.levelList->isDone(level.number));
    EXPECT_EQ(driver.game.levelList->getStars(level.number), 3);
    const std::string stored = readFile(driver.folder + "/Resources/Levels/LevelList.txt");
    EXPECT_NE(stored.find(level.path + " " + level.name + " " + std::to_string(level.oneStar) + " " +
                          std::to_string(level.twoStars) + " " + std::to_string(level.threeStars) + " 1 " +
                          std::to_string(time) + "\n"),
              std::string::npos)
        << stored;
    if (solution.enterTick < 0)
        return;

    // The player's moves of the ghost run, from a fresh start without a ghost,
    // and then a second of waiting for anything that might still open.
    driver.press(ALLEGRO_KEY_ESCAPE);
    driver.tick();
    ASSERT_FALSE(driver.game.inGame);
    driver.startLevel(level.number);
    std::vector<std::string> alone(solution.keys.begin() + solution.enterTick, solution.keys.end());
    alone.insert(alone.end(), 60, "");
    EXPECT_EQ(replay(driver, alone, -1), -1) << "won without the ghost";

    // Nor does the whole solution win when Enter is never pressed.
    driver.press(ALLEGRO_KEY_BACKSPACE);
    driver.tick();
    std::vector<std::string> all = solution.keys;
    all.insert(all.end(), 60, "");
    EXPECT_EQ(replay(driver, all, -1), -1) << "won without the ghost";
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevel, ::testing::ValuesIn(shippedList()), levelName);
