#include "ResourcesFixture.hpp"

#include <functional>
#include <utility>
#include <vector>

namespace {
const char* const fontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const ALLEGRO_COLOR red = {1.0f, 0.0f, 0.0f, 1.0f};
const ALLEGRO_COLOR blue = {0.0f, 0.0f, 1.0f, 1.0f};
}

TEST_F(ResourcesTest, loadBitmap_presentKeyKeepsTheFirstPictureSilently)
{
    Kest::Bitmap* first = res.loadBitmap(writePicture("a.png", 4, 2, red), "pic");
    Kest::Bitmap* second = res.loadBitmap(writePicture("b.png", 8, 8, blue), "pic");
    EXPECT_EQ(second, first);
    EXPECT_EQ(res.getBitmap("pic"), first);
    EXPECT_EQ(res.getBitmap("pic")->width, 4);
    EXPECT_EQ(res.getBitmap("pic")->height, 2);

    // A created bitmap is kept the same way; creating over a loaded one is refused.
    res.createBitmap(3, 5, "made");
    res.loadBitmap(writePicture("c.png", 8, 8, blue), "made");
    EXPECT_EQ(res.getBitmap("made")->width, 3);
    EXPECT_FATAL(res.createBitmap(3, 5, "pic"), "Multiple bitmap key pic");
}

TEST_F(ResourcesTest, refusingLoadersReportThePresentKeyBeforeTouchingThePath)
{
    al_install_audio();
    const std::string wav = writeWav("s.wav", 100);
    const std::string text = dir + "/t.txt";
    writeFile(text, "x\n");
    res.loadSong(wav, "k");
    res.loadSound(wav, "k");
    res.loadTextFile(text, "k");
    res.createBitmap(2, 2, "k");
    res.createBatch(2, 2, "k");

    // Outside the temporary folder, whose name a death test's child draws anew.
    const std::string missing = "no/such/folder/missing";
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { res.loadSong(missing, "k"); }, "Multiple song key k"},
        {[&] { res.loadSound(missing, "k"); }, "Multiple sound key k"},
        {[&] { res.loadTextFile(missing, "k"); }, "Multiple text file key k"},
        {[&] { res.createBitmap(-1, -1, "k"); }, "Multiple bitmap key k"},
        {[&] { res.createBatch(-1, -1, "k"); }, "Multiple batch key k"},
        // With a fresh key the path (or size) is what fails.
        {[&] { res.loadSong(missing, "n"); }, "Song path> " + missing + " <not found or initialize fail"},
        {[&] { res.loadSound(missing, "n"); }, "Sound path> " + missing + " <not found or initialize fail"},
        {[&] { res.loadTextFile(missing, "n"); }, "File path> " + missing + " <not found"},
        {[&] { res.loadBitmap(missing, "n"); }, "Bitmap path> " + missing + " <not found or initialize fail"},
        {[&] { res.loadBitmap(missing, "k"); }, "Bitmap path> " + missing + " <not found or initialize fail"},
        {[&] { res.loadAnimation(missing, 8, 1, "n"); }, "Bitmap path> " + missing + " <not found or initialize fail"},
        {[&] { res.loadFont(missing, "n"); }, "Font path> " + missing + " <not found or initialize fail"},
        {[&] { res.createBitmap(-1, 4, "n"); }, "Bitmap with key> n <not created"},
        {[&] { res.createBatch(4, -1, "n"); }, "Batch with key> n <not created"},
    };
    for (const auto& c : cases)
        EXPECT_FATAL(c.first(), c.second);
}

TEST_F(ResourcesTest, lookups_reportTheAbsentKeyOfTheirKind)
{
    al_install_audio();
    res.loadSound(writeWav("s.wav", 100), "click");
    res.loadSong(writeWav("m.wav", 100), "menu");
    res.createBitmap(2, 2, "shared");

    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { res.getBatch("shared"); }, "Batch key> shared <not found!"},
        {[&] { res.getBitmap("nope"); }, "Bitmap key> nope <not found!"},
        {[&] { res.getFont("nope", 50); }, "Font key> nope <not found!"},
        {[&] { res.getSong("click"); }, "Sound key> click <not found!"},
        {[&] { res.getSound("menu"); }, "Sound key> menu <not found!"},
        {[&] { res.getTextFile("nope"); }, "File key> nope <not found!"},
    };
    for (const auto& c : cases)
        EXPECT_FATAL(c.first(), c.second);
}

TEST_F(ResourcesTest, getFont_acceptsSizes5To100WhetherOrNotTheKeyWasLoaded)
{
    ALLEGRO_FONT* largest = res.loadFont(fontPath, "font");
    EXPECT_EQ(res.getFont("font", 100), largest);
    EXPECT_NE(res.getFont("font", 5), nullptr);
    EXPECT_LT(al_get_font_line_height(res.getFont("font", 5)), al_get_font_line_height(largest));
    // A second load keeps the first fonts.
    EXPECT_EQ(res.loadFont(fontPath, "font"), largest);

    for (int size : {4, 101, 0, -1}) {
        EXPECT_FATAL(res.getFont("never", size), "Font with key> never <size out of range");
        EXPECT_FATAL(res.getFont("font", size), "Font with key> font <size out of range");
    }

    res.destroyFont("font");
    EXPECT_FATAL(res.getFont("font", 5), "Font key> font <not found!");
}

TEST_F(ResourcesTest, loadTextFile_splitsAtLineFeedsAndDropsTheCarriageReturnBeforeThem)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"first\r\nsecond\r\n", {"first", "second"}},
        {"a\nlast without end", {"a", "last without end"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"", {}},
        {"\n", {""}},
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

TEST_F(ResourcesTest, destroyTextFile_letsTheKeyLoadAgainAndGetTextFileGivesACopy)
{
    const std::string path = dir + "/level.txt";
    writeFile(path, "one\ntwo\n");
    res.loadTextFile(path, "level");
    std::vector<std::string> lines = res.getTextFile("level");
    lines[0] = "changed";
    lines.push_back("three");
    EXPECT_EQ(res.getTextFile("level"), (std::vector<std::string>{"one", "two"}));

    res.destroyTextFile("level");
    EXPECT_FATAL(res.getTextFile("level"), "File key> level <not found!");
    writeFile(path, "new\n");
    EXPECT_EQ(res.loadTextFile(path, "level"), std::vector<std::string>{"new"});
}

TEST_F(ResourcesTest, loadAnimation_cutsTheSheetIntoFramesOfOneSize)
{
    res.loadAnimation(writePicture("sheet.png", 100, 30, red), 8, 1, "trail");
    const Kest::AnimationData* trail = res.store->animationData.at("trail");
    EXPECT_EQ(trail->sheet, res.getBitmap("trail"));
    EXPECT_FLOAT_EQ(trail->frameSize.x, 12.0f);  // 100 / 8, the last 4 columns unused
    EXPECT_FLOAT_EQ(trail->frameSize.y, 30.0f);
    ASSERT_EQ(trail->frames.size(), 1u);
    ASSERT_EQ(trail->frames[0].size(), 8u);
    for (int c = 0; c < 8; c++) {
        EXPECT_FLOAT_EQ(trail->frames[0][c].x, 12.0f * c) << "column " << c;
        EXPECT_FLOAT_EQ(trail->frames[0][c].y, 0.0f) << "column " << c;
    }

    // Loading again keeps the first sheet and the first cutting.
    res.loadAnimation(writePicture("other.png", 30, 30, blue), 3, 3, "trail");
    EXPECT_EQ(res.store->animationData.at("trail"), trail);
    EXPECT_EQ(res.getBitmap("trail")->width, 100);

    res.loadAnimation(writePicture("grid.png", 20, 31, red), 2, 3, "grid");
    const Kest::AnimationData* grid = res.store->animationData.at("grid");
    ASSERT_EQ(grid->frames.size(), 3u);
    EXPECT_FLOAT_EQ(grid->frames[2][1].x, 10.0f);
    EXPECT_FLOAT_EQ(grid->frames[2][1].y, 20.0f);

    for (auto cut : {std::make_pair(0, 1), std::make_pair(1, 0), std::make_pair(-2, 1)})
        EXPECT_FATAL(res.loadAnimation(dir + "/sheet.png", cut.first, cut.second, "bad"),
                     "Animation key> bad <needs at least one column and one row");
}

TEST_F(ResourcesTest, release_erasesTheKeySoItCanBeMadeAgain)
{
    res.createBatch(2, 2, "batch");
    res.createBitmap(2, 2, "bitmap");
    res.destroyBatch("batch");
    res.destroyBitmap("bitmap");
    EXPECT_FATAL(res.getBatch("batch"), "Batch key> batch <not found!");
    EXPECT_FATAL(res.getBitmap("bitmap"), "Bitmap key> bitmap <not found!");
    res.createBatch(4, 4, "batch");
    res.createBitmap(4, 4, "bitmap");
    EXPECT_EQ(res.getBatch("batch")->width, 4);

    // Absent keys are ignored by every release.
    for (const char* key : {"absent", "bitmap"}) {
        res.destroyBatch(key + std::string("x"));
        res.destroyBitmap(key + std::string("x"));
        res.destroyFont(key);
        res.destroySong(key);
        res.destroySound(key);
        res.destroyTextFile(key);
    }
    EXPECT_EQ(res.getBitmap("bitmap")->width, 4);
}
