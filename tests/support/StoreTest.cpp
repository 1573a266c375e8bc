#include "StoreTest.hpp"

#include "ReleaseStore.hpp"
#include "TestTree.hpp"

#include <climits>
#include <cstdlib>

#include <unistd.h>

namespace {
// The folder of the running test. A death test's child ends in fatalError,
// past TearDown: its folder goes at exit.
std::string& liveDir()
{
    static std::string path;
    return path;
}
} // namespace

void StoreTest::SetUp()
{
    startAllegroHeadless();
    char here[PATH_MAX];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    home = here;
    dir = makeTempDir();
    liveDir() = dir;
    static const int registered = std::atexit([] {
        if (!liveDir().empty())
            removeTree(liveDir());
    });
    (void)registered;
    ASSERT_EQ(chdir(dir.c_str()), 0);
    writePicture("Resources/Animations/ghost_fade.png", 16, 2, al_map_rgb(0, 0, 0));
    camera.init(nullptr);
    res.init(&display, &camera, 0);
}

void StoreTest::TearDown()
{
    ASSERT_EQ(chdir(home.c_str()), 0);
    if (target != nullptr)
        al_destroy_bitmap(target);
    releaseStore(res);
    if (!HasFailure())
        removeTree(dir);
    liveDir().clear();
}

std::string StoreTest::writePicture(const std::string& path, int width, int height, ALLEGRO_COLOR colour)
{
    TestTree::savePicture(path, width, height, colour);
    return path;
}
