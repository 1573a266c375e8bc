#include "ResourcesFixture.hpp"

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace {
const char* const fontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const ALLEGRO_COLOR red = {1.0f, 0.0f, 0.0f, 1.0f};
const ALLEGRO_COLOR blue = {0.0f, 0.0f, 1.0f, 1.0f};
using FatalCases = std::vector<std::pair<std::function<void()>, std::string>>;
}

TEST_F(ResourcesTest, loadBitmap_presentKeyKeepsTheFirstPictureSilently)
{
    Kest::Bitmap* first = res.loadBitmap(writePicture("a.png", 4, 2, red), "pic");
    EXPECT_EQ(res.loadBitmap(writePicture("b.png", 8, 8, blue), "pic"), first);
    EXPECT_EQ(res.getBitmap("pic"), first);
    EXPECT_EQ(first->width, 4);

    // A created bitmap is kept the same way; creating over a loaded one is refused.
    res.createBitmap(3, 5, "made");
    res.loadBitmap(dir + "/b.png", "made");
    EXPECT_EQ(res.getBitmap("made")->width, 3);
    EXPECT_FATAL(res.createBitmap(3, 5, "pic"), "Multiple bitmap key pic");
}

TEST_F(ResourcesTest, failures_reportTheirKeyOrPathAndAPresentKeyBeforeThePath)
{
    al_install_audio();
    const std::string wav = writeWav("s.wav", 100);
    writeFile(dir + "/t.txt", "x\n");
    res.loadSong(wav, "k");
    res.loadSound(wav, "k");
    res.loadTextFile(dir + "/t.txt", "k");
    res.createBitmap(2, 2, "k");
    res.createBatch(2, 2, "k");

    // Not in the temporary folder, whose name a death test's child draws anew.
    const std::string bad = "no/such/file";
    // Folders open like files and fail at their first read.
    std::filesystem::create_directories("Resources/Fonts/font1.ttf");
    std::filesystem::create_directories("Resources/Levels/LevelList.txt");
    const FatalCases cases = {
        {[&] { res.loadSong(bad, "k"); }, "Multiple song key k"},
        {[&] { res.loadSound(bad, "k"); }, "Multiple sound key k"},
        {[&] { res.loadTextFile(bad, "k"); }, "Multiple text file key k"},
        {[&] { res.createBitmap(-1, -1, "k"); }, "Multiple bitmap key k"},
        {[&] { res.createBatch(-1, -1, "k"); }, "Multiple batch key k"},
        {[&] { res.loadBitmap(bad, "k"); }, "Bitmap path> no/such/file <not found or initialize fail"},
        {[&] { res.loadAnimation(bad, 8, 1, "n"); }, "Bitmap path> no/such/file <not found or initialize fail"},
        {[&] { res.loadFont(bad, "n"); }, "Font path> no/such/file <not found or initialize fail"},
        {[&] { res.loadSong(bad, "n"); }, "Song path> no/such/file <not found or initialize fail"},
        {[&] { res.loadSound(bad, "n"); }, "Sound path> no/such/file <not found or initialize fail"},
        {[&] { res.loadTextFile(bad, "n"); }, "File path> no/such/file <not found"},
        {[&] { res.loadFont("Resources/Fonts/font1.ttf", "n"); },
         "Font path> Resources/Fonts/font1.ttf <not found or initialize fail"},
        {[&] { res.loadTextFile("Resources/Levels/LevelList.txt", "n"); },
         "File path> Resources/Levels/LevelList.txt <not found"},
        {[&] { res.createBitmap(-1, 4, "n"); }, "Bitmap with key> n <not created"},
        {[&] { res.createBatch(4, -1, "n"); }, "Batch with key> n <not created"},
        // Lookups go to the map of their own kind.
        {[&] { res.getBatch("n"); }, "Batch key> n <not found!"},
        {[&] { res.getBitmap("n"); }, "Bitmap key> n <not found!"},
        {[&] { res.getFont("k", 50); }, "Font key> k <not found!"},
        {[&] { res.getSong("n"); }, "Sound key> n <not found!"},
        {[&] { res.getSound("n"); }, "Sound key> n <not found!"},
        {[&] { res.getTextFile("n"); }, "File key> n <not found!"},
    };
    for (const auto& c : cases)
        EXPECT_FATAL(c.first(), c.second);
}

TEST_F(ResourcesTest, getFont_acceptsSizes5To100WhetherOrNotTheKeyWasLoaded)
{
    ALLEGRO_FONT* largest = res.loadFont(fontPath, "font");
    EXPECT_EQ(res.getFont("font", 100), largest);
    EXPECT_LT(al_get_font_line_height(res.getFont("font", 5)), al_get_font_line_height(largest));
    EXPECT_EQ(res.loadFont(fontPath, "font"), largest);  // the first fonts stay
    for (int size : {4, 101, 0}) {
        EXPECT_FATAL(res.getFont("never", size), "Font with key> never <size out of range");
        EXPECT_FATAL(res.getFont("font", size), "Font with key> font <size out of range");
    }
}

TEST_F(ResourcesTest, loadTextFile_splitsAtLineFeedsAndDropsTheCarriageReturnBeforeThem)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"first\r\nsecond\r\n", {"first", "second"}},
        {"a\nlast without end", {"a", "last without end"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"", {}},
        {" padded \t\n", {" padded \t"}},
        {"a\rb\r\r\n", {"a\rb\r"}},
        {"cr at the end\r", {"cr at the end\r"}},
    };
    for (size_t i = 0; i < cases.size(); i++) {
        const std::string key = "file" + std::to_string(i);
        writeFile(dir + "/" + key, cases[i].first);
        EXPECT_EQ(res.loadTextFile(dir + "/" + key, key), cases[i].second) << "case " << i;
        EXPECT_EQ(res.getTextFile(key), cases[i].second) << "case " << i;
    }
}

TEST_F(ResourcesTest, release_erasesTheKeySoItLoadsAgain)
{
    const std::string path = dir + "/level.txt";
    writeFile(path, "one\ntwo\n");
    res.loadTextFile(path, "level");
    std::vector<std::string> lines = res.getTextFile("level");
    lines[0] = "changed";
    EXPECT_EQ(res.getTextFile("level")[0], "one");  // a copy

    res.destroyTextFile("level");
    writeFile(path, "new\n");
    EXPECT_EQ(res.loadTextFile(path, "level"), std::vector<std::string>{"new"});

    res.createBatch(2, 2, "batch");
    res.destroyBatch("batch");
    res.createBatch(4, 4, "batch");
    EXPECT_EQ(res.getBatch("batch")->width, 4);
    res.loadFont(fontPath, "font");
    res.destroyFont("font");
    EXPECT_FATAL(res.getFont("font", 5), "Font key> font <not found!");
}

TEST_F(ResourcesTest, loadAnimation_cutsTheSheetIntoFramesOfOneSize)
{
    res.loadAnimation(writePicture("sheet.png", 100, 30, red), 8, 1, "trail");
    const Kest::AnimationData* trail = res.store->animationData.at("trail");
    EXPECT_EQ(trail->sheet, res.getBitmap("trail"));
    EXPECT_EQ(std::make_pair(trail->frameSize.x, trail->frameSize.y), std::make_pair(12.0f, 30.0f));
    ASSERT_EQ(trail->frames.size(), 1u);
    ASSERT_EQ(trail->frames[0].size(), 8u);
    for (int c = 0; c < 8; c++)  // 0, 12, ..., 84: the last 4 pixel columns unused
        EXPECT_EQ(std::make_pair(trail->frames[0][c].x, trail->frames[0][c].y), std::make_pair(12.0f * c, 0.0f));

    // Loading again keeps the first sheet and the first cutting.
    res.loadAnimation(writePicture("other.png", 30, 30, blue), 3, 3, "trail");
    EXPECT_EQ(res.store->animationData.at("trail"), trail);
    EXPECT_EQ(res.getBitmap("trail")->width, 100);

    for (auto cut : {std::make_pair(0, 1), std::make_pair(1, 0), std::make_pair(-2, 1)})
        EXPECT_FATAL(res.loadAnimation(dir + "/sheet.png", cut.first, cut.second, "bad"),
                     "Animation key> bad <needs at least one column and one row");
}
