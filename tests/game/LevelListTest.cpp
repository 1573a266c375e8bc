#include "LevelList.hpp"
#include "MlMap.hpp"
#include "ResourceStore.hpp"
#include "StoreTest.hpp"
#include "TileMap.hpp"

#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string header = "PATH__NAME__1STAR_TIME__2STARS_TIME__3STARS_TIME__DONE__TIME (FRAMES) <ignored line>";

// One small level, a.txt (suffix 1 for its doors), and its picture beside the
// list file that each test writes.
class LevelListTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        writePicture("pictures/tile.png", 4, 4, al_map_rgb(200, 100, 50));
        writeFile("a.txt", "[Info]\nTILE_SIZE 8 8\n[Types]\n"
                           "# 1 0 1 0 pictures/tile.png pictures/tile.png\n"
                           "[Map]\n#1#1\n#1#1\n");
        target = makeMemoryTarget(8, 8);
        camera.setView(Rect(0, 0, 2560, 1440));
    }

    void load(const std::string& text)
    {
        writeFile("list.txt", text);
        list.load(&res, &camera, "list.txt");
    }

    std::string listFile() { return readFile("list.txt"); }

    LevelList list;
};

} // namespace

TEST_F(LevelListTest, rewriteChangesOnlyHeaderSpacingExtraWordsAndNumberForms)
{
    load("whatever the header says\n"
         "a.txt   First\t1800 1200 600 1 950 and more words\n"
         "a.txt Second 007 +5 12abc 2 0\n"
         "a.txt Third 10 20 30 -1 -7\n");
    ASSERT_EQ(list.getCount(), 3);
    EXPECT_EQ(list.maps[1]->oneStarTime, 7);
    EXPECT_EQ(list.maps[1]->threeStarsTime, 12);
    EXPECT_TRUE(list.isDone(2));
    EXPECT_TRUE(list.isDone(3));

    // A slower win keeps the best time and still rewrites the file.
    list.completeLevel(1, 2000.0f);
    EXPECT_EQ(listFile(), header + "\n"
                                   "a.txt First 1800 1200 600 1 950\n"
                                   "a.txt Second 7 5 12 1 0\n"
                                   "a.txt Third 10 20 30 1 -7\n");
}

TEST_F(LevelListTest, firstLineIsAlwaysTheHeaderAndAnEmptyListLoads)
{
    load("a.txt Lost 1 2 3 0 0\na.txt Kept 1 2 3 0 0\n");
    ASSERT_EQ(list.getCount(), 1);
    EXPECT_EQ(list.getName(1), "Kept");

    LevelList empty;
    writeFile("empty.txt", "");
    empty.load(&res, &camera, "empty.txt");
    EXPECT_EQ(empty.getCount(), 0);
}

TEST_F(LevelListTest, winsKeepTheBetterTimeAndResetClearsProgress)
{
    load(header + "\na.txt One 1800 1200 600 0 0\na.txt Two 1800 1200 600 1 400\n");
    list.startLevel(1, Kest::tvec2<float>(0, 0));
    const struct {
        float frames;
        int best;
    } wins[] = {{950.0f, 950}, {1000.0f, 950}, {950.0f, 950}, {940.9f, 940}};
    for (const auto& win : wins) {
        list.completeCurrentLevel(win.frames);
        EXPECT_TRUE(list.isDone(1));
        EXPECT_EQ(list.maps[0]->bestTime, win.best) << "after a win in " << win.frames;
        EXPECT_NE(listFile().find("a.txt One 1800 1200 600 1 " + std::to_string(win.best) + "\n"), std::string::npos);
    }

    list.resetProgress();
    EXPECT_EQ(listFile(), header + "\na.txt One 1800 1200 600 0 0\na.txt Two 1800 1200 600 0 0\n");
    EXPECT_FALSE(list.isDone(1) || list.isDone(2));
    EXPECT_EQ(list.maps[1]->bestTime, 0);
}

TEST_F(LevelListTest, starsAndBestTimeTexts)
{
    load(header + "\na.txt One 1800 1200 600 1 0\n");
    const struct {
        int best;
        int stars;
    } stars[] = {{599, 3}, {600, 2}, {1199, 2}, {1200, 1}, {1799, 1}, {1800, 0}};
    for (const auto& c : stars) {
        list.maps[0]->bestTime = c.best;
        EXPECT_EQ(list.getStars(1), c.stars) << "best " << c.best;
    }
    // The text is the timer's (FrameTimerTest has its cases).
    list.maps[0]->bestTime = 100;
    EXPECT_EQ(list.getBestTimeText(1), "1.66");
}

TEST_F(LevelListTest, failedRewriteLeavesTheOldListAndSaysSo)
{
    const std::string original = header + "\na.txt One 1800 1200 600 0 0\n";
    load(original);
    // The new list can't be made where it is written first.
    ASSERT_EQ(mkdir("list.txt.new", 0755), 0);
    ::testing::internal::CaptureStdout();
    list.completeLevel(1, 500.0f);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(listFile(), original);
    EXPECT_EQ(out.rfind("ERROR: Level list list.txt not saved: ", 0), 0u) << out;
    EXPECT_EQ(list.maps[0]->bestTime, 500) << "the progress in memory stands";

    ASSERT_EQ(rmdir("list.txt.new"), 0);
    list.completeLevel(1, 400.0f);
    EXPECT_NE(listFile().find("a.txt One 1800 1200 600 1 400\n"), std::string::npos);
    EXPECT_NE(access("list.txt.new", F_OK), 0) << "the new file was left behind";
}

TEST_F(LevelListTest, previewKeysNeverMeetTheLevelsDoorGroups)
{
    // Eleven entries of a level whose doors use the suffix 1: the 10th and
    // 11th previews would otherwise take the keys of its two door batches.
    std::string text = header + "\n";
    for (int i = 1; i <= 11; i++)
        text += "a.txt Level" + std::to_string(i) + " 3 2 1 0 0\n";
    load(text);
    EXPECT_NE(list.getPreviewKey(10), list.getPreviewKey(11));
    EXPECT_NE(list.getPreviewKey(1), list.getPreviewKey(2));
    EXPECT_EQ(list.getPreviewKey(3), "a.txt preview 3");
    for (int n : {10, 11}) {
        TileMap* level = list.startLevel(n, Kest::tvec2<float>(0, 0));
        EXPECT_EQ(level->suffs.count('1'), 1u);
    }
    EXPECT_EQ(res.store->batches.count(list.getPreviewKey(10)), 1u) << "a preview was lost";
}

TEST_F(LevelListTest, badLinesAndLevelNumbersEndTheGameWithTheirPlace)
{
    const struct {
        const char* line;
        const char* shown;
    } bad[] = {
        {"a.txt Short 1 2 3 0", "a.txt Short 1 2 3 0"},
        {"a.txt Word 1 two 3 0 0", "a.txt Word 1 two 3 0 0"},
        {"a.txt Huge 1 2 3 0 99999999999", "a.txt Huge 1 2 3 0 99999999999"},
        {"", ""},
    };
    for (const auto& c : bad) {
        EXPECT_FATAL(load(header + "\na.txt Fine 1 2 3 0 0\n" + c.line + "\n"),
                     std::string("Level list list.txt - line 3 is not PATH NAME 1STAR_TIME 2STARS_TIME "
                                 "3STARS_TIME DONE TIME: \"") +
                         c.shown + "\"");
    }

    // Cut at its NUL byte the path would name a.txt, which is there.
    EXPECT_FATAL(load(header + "\na.txt" + std::string(1, '\0') + "b Nul 1 2 3 0 0\n"),
                 "File path> a.txt\\0b <not found");

    load(header + "\na.txt One 1 2 3 0 0\na.txt Two 1 2 3 0 0\n");
    EXPECT_FATAL(list.startLevel(0, Kest::tvec2<float>(0, 0)), "Map 0 not exist");
    EXPECT_FATAL(list.startLevel(3, Kest::tvec2<float>(0, 0)), "Map 3 not exist");
}
