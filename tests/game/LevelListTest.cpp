#include "LevelList.hpp"
#include "MlMap.hpp"
#include "ResourceStore.hpp"
#include "StoreTest.hpp"
#include "TileMap.hpp"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <grp.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
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

// Lets this thread give files away (CAP_CHOWN) after root's seteuid to
// another user, which keeps root's rights only in the permitted set; it may
// still not change others' files or replace them in a shared folder.
bool mayGiveFilesAway()
{
    __user_cap_header_struct head = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct sets[2] = {};
    if (syscall(SYS_capget, &head, sets) != 0)
        return false;
    sets[0].effective = 1u << CAP_CHOWN;
    sets[1].effective = 0;
    return syscall(SYS_capset, &head, sets) == 0;
}

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

TEST_F(LevelListTest, rewriteKeepsTheListsLinksOwnerAndModeOrLeavesItAndSaysWhy)
{
    // Longer than any save, which drops the words beyond the seventh.
    const std::string original = header + "\na.txt One 1800 1200 600 0 0 and words beyond\n";
    load(original);
    // Permissions don't stop root, so under root the saves that need them are
    // made as "nobody", a player like any other, who is also in the group games.
    const bool root = geteuid() == 0;
    const uid_t nobody = 65534;
    const gid_t games = 60;
    ASSERT_EQ(chmod(".", 0711), 0) << "that player reaches the folders below";
    std::vector<gid_t> rootGroups(static_cast<size_t>(getgroups(0, nullptr)));
    ASSERT_EQ(getgroups(static_cast<int>(rootGroups.size()), rootGroups.data()), static_cast<int>(rootGroups.size()));
    // With no mask the game's new file is made 0666, the mode of the lists
    // below that players share: it needs no change of mode, which a player
    // who may give files away but not change others' could not make.
    const mode_t oldMask = umask(0);
    // A write beyond the file size limit fails instead of ending the program.
    const auto oldSizeSignal = signal(SIGXFSZ, SIG_IGN);
    struct rlimit sizeLimit;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &sizeLimit), 0);

    // Each case has a folder of its own, where the list's bytes lie in file
    // and list.txt is the list the game saves (a link when file isn't it).
    // Lists are the test's own (root's under root) unless prepare says else.
    const struct {
        const char* what;
        void (*prepare)();
        const char* file;
        mode_t folderMode, fileMode;
        bool asPlayer, rootOnly, givesFilesAway;
        rlim_t writeLimit;  // bytes a file may reach; 0 for no limit
        const char* line;   // what follows "ERROR: Level list FOLDER/list.txt "
        bool saved;
    } cases[] = {
        {"links from the list to a file of its own mode",
         [] {
             ASSERT_EQ(mkdir("links", 0755) | mkdir("saves", 0755), 0);
             ASSERT_EQ(symlink("links/list.txt", "list.txt") | symlink("../saves/real.txt", "links/list.txt"), 0);
         },
         "saves/real.txt", 0755, 0660, false, false, false, 0, "", true},
        {"a new file that can't be made", [] { ASSERT_EQ(mkdir("list.txt.new", 0755), 0); }, "list.txt", 0755, 0644,
         false, false, false, 0, "not saved: Is a directory", false},
        {"a new file cut short by a failing write", nullptr, "list.txt", 0755, 0644, false, false, false, 100,
         "not saved: File too large", false},
        {"a list the player may not write", nullptr, "list.txt", 0777, 0444, true, false, false, 0,
         "not saved: Permission denied", false},
        {"a folder that refuses new files", nullptr, "list.txt", 0555, 0666, true, false, false, 0,
         "rewritten in place, its folder refused the new file: Permission denied", true},
        // Someone else's list: the new file can't take its owner.
        {"another player's list in a folder open to all", nullptr, "list.txt", 0777, 0666, true, true, false, 0, "",
         true},
        {"a shared folder where only the list's owner may replace it", nullptr, "list.txt", 01777, 0666, true, true,
         false, 0, "", true},
        // The last step is refused, after the new file was written and closed.
        {"a shared folder and a player who may give the list's owner", nullptr, "list.txt", 01777, 0666, true, true,
         true, 0, "rewritten in place, its folder refused the new file: Operation not permitted", true},
        {"the player's list in another group of the player",
         [] {
             writeFile("list.txt", "");
             ASSERT_EQ(chown("list.txt", nobody, games), 0);
         },
         "list.txt", 0777, 0660, true, true, false, 0, "", true},
        {"a list with a second name",
         [] {
             writeFile("other.txt", "");
             ASSERT_EQ(link("other.txt", "list.txt"), 0);
         },
         "other.txt", 0755, 0644, false, false, false, 0, "", true},
    };
    const char* leftOut = nullptr;
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.rootOnly && !root) {
            leftOut = c.what;  // every list we can make is our own
            continue;
        }
        const std::string folder = std::to_string(++number);
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        if (c.prepare != nullptr)
            c.prepare();
        writeFile(c.file, original);
        ASSERT_EQ(chmod(c.file, c.fileMode), 0);
        ASSERT_EQ(chdir(".."), 0);
        ASSERT_EQ(chmod(folder.c_str(), c.folderMode), 0);

        list.listPath = folder + "/list.txt";
        struct stat before, file;
        ASSERT_EQ(lstat(list.listPath.c_str(), &before), 0);
        ASSERT_EQ(stat((folder + "/" + c.file).c_str(), &file), 0);
        const int frames = 900 - number;
        const bool player = c.asPlayer && root;
        struct rlimit limit = sizeLimit;
        if (c.writeLimit != 0)
            limit.rlim_cur = c.writeLimit;
        ::testing::internal::CaptureStdout();
        int playerError = 0;
        if (player && (setgroups(1, &games) != 0 || setegid(nobody) != 0 || seteuid(nobody) != 0 ||
                       (c.givesFilesAway && !mayGiveFilesAway())))
            playerError = errno;
        setrlimit(RLIMIT_FSIZE, &limit);
        if (playerError == 0)
            list.completeLevel(1, static_cast<float>(frames));
        setrlimit(RLIMIT_FSIZE, &sizeLimit);
        if (player) {
            EXPECT_EQ(seteuid(0), 0);
            EXPECT_EQ(setegid(0), 0);
            EXPECT_EQ(setgroups(rootGroups.size(), rootGroups.data()), 0);
        }
        const std::string out = ::testing::internal::GetCapturedStdout();
        ASSERT_EQ(playerError, 0) << "root can't become the player nobody: " << std::strerror(playerError);

        EXPECT_EQ(out, *c.line ? "ERROR: Level list " + list.listPath + " " + c.line + "\n" : "");
        const std::string saved = header + "\na.txt One 1800 1200 600 1 " + std::to_string(frames) + "\n";
        for (const std::string& name : {list.listPath, folder + "/" + c.file})
            EXPECT_EQ(readFile(name), c.saved ? saved : original) << name;
        EXPECT_EQ(list.maps[0]->bestTime, frames) << "the progress in memory stands";
        struct stat status;
        ASSERT_EQ(lstat(list.listPath.c_str(), &status), 0);
        EXPECT_EQ(S_ISLNK(status.st_mode), S_ISLNK(before.st_mode)) << "the links stay links";
        ASSERT_EQ(stat((folder + "/" + c.file).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.fileMode);
        EXPECT_EQ(status.st_uid, file.st_uid) << "the list keeps its owner";
        EXPECT_EQ(status.st_gid, file.st_gid) << "the list keeps its group";
        for (const std::string& newFile : {list.listPath + ".new", folder + "/" + c.file + ".new"})
            EXPECT_FALSE(stat(newFile.c_str(), &status) == 0 && S_ISREG(status.st_mode)) << newFile << " left behind";
        ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    }
    signal(SIGXFSZ, oldSizeSignal);
    umask(oldMask);
    if (leftOut != nullptr)
        GTEST_SKIP() << "left out, it needs root to play as another player: " << leftOut;
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
