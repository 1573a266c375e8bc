#include "GameDriver.hpp"

#include "AudioSpy.hpp"
#include "Display.hpp"
#include "Events.hpp"
#include "Resources.hpp"
#include "ResourceStore.hpp"
#include "Screen.hpp"
#include "Song.hpp"
#include "TestSupport.hpp"
#include "TestTree.hpp"

#include <allegro5/allegro_image.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include <unistd.h>

namespace {

std::string sourceDir()
{
    return ORVELLE_SOURCE_DIR;
}

} // namespace

GameDriver::GameDriver(const std::string& levelList)
{
    // The tree is written with Allegro's image add-on before the game starts
    // Allegro itself; starting it twice is harmless.
    if (!al_init() || !al_init_image_addon())
        std::abort();
    const int oldFlags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    folder = makeTempDir();
    TestTree::write(folder, sourceDir());
    if (!levelList.empty())
        writeFile(folder + "/Resources/Levels/LevelList.txt", levelList);
    al_set_new_bitmap_flags(oldFlags);
    startGame();
}

GameDriver::GameDriver(Shipped)
{
    folder = makeTempDir();
    std::filesystem::copy(sourceDir() + "/Resources", folder + "/Resources",
                          std::filesystem::copy_options::recursive);
    startGame();
}

void GameDriver::startGame()
{
    char here[PATH_MAX];
    if (getcwd(here, sizeof here) == nullptr || chdir(folder.c_str()) != 0)
        std::abort();
    oldDirectory = here;

    game.init();
    game.loadResources();
    settlePointer();
    game.events->stopTimer();
    AudioSpy::clear();
}

void GameDriver::settlePointer()
{
    // The game put the pointer in the middle of its window at start-up; the X
    // server reports that move whenever it gets round to it, and a report
    // arriving during a test would be an event the test did not inject. Two
    // moves of our own, each waited for, come after it in the same stream:
    // once the second has arrived, the start-up move is in the queue, where
    // stopping the timer drops it.
    ALLEGRO_EVENT_QUEUE* reports = al_create_event_queue();
    al_register_event_source(reports, al_get_mouse_event_source());
    ALLEGRO_DISPLAY* window = game.display->get();
    const int middleX = game.display->getWidth() / 2;
    const int middleY = game.display->getHeight() / 2;
    for (const auto& at : {std::make_pair(1, 1), std::make_pair(middleX, middleY)}) {
        if (!al_set_mouse_xy(window, at.first, at.second))
            std::abort();
        ALLEGRO_EVENT event;
        bool arrived = false;
        while (!arrived && al_wait_for_event_timed(reports, &event, 30.0)) {
            arrived = (event.type == ALLEGRO_EVENT_MOUSE_WARPED || event.type == ALLEGRO_EVENT_MOUSE_AXES) &&
                      event.mouse.x == at.first && event.mouse.y == at.second;
        }
        if (!arrived) {
            std::fprintf(stderr, "GameDriver: the X server never reported the pointer at (%d, %d)\n", at.first,
                         at.second);
            std::abort();
        }
    }
    al_destroy_event_queue(reports);
}

GameDriver::~GameDriver()
{
    game.teardown();
    if (chdir(oldDirectory.c_str()) != 0)
        std::abort();
    // A failed test's tree stays for inspection; outside a test (in a
    // benchmark) there is nothing to inspect.
    const bool inTest = ::testing::UnitTest::GetInstance()->current_test_info() != nullptr;
    if (!inTest || !::testing::Test::HasFailure())
        removeTree(folder);
}

void GameDriver::inject(ALLEGRO_EVENT event)
{
    game.events->inject(event);
}

void GameDriver::hold(int keyCode)
{
    ALLEGRO_EVENT event = {};
    event.type = ALLEGRO_EVENT_KEY_DOWN;
    event.keyboard.keycode = keyCode;
    inject(event);
}

void GameDriver::release(int keyCode)
{
    ALLEGRO_EVENT event = {};
    event.type = ALLEGRO_EVENT_KEY_UP;
    event.keyboard.keycode = keyCode;
    inject(event);
}

void GameDriver::holdFor(int keyCode, int n)
{
    hold(keyCode);
    tick(n);
    release(keyCode);
}

void GameDriver::press(int keyCode)
{
    hold(keyCode);
    release(keyCode);
}

void GameDriver::moveMouse(float x, float y)
{
    // Virtual units to the 956 x 538 window's pixels, rounded to the nearest.
    mouseX = static_cast<int>(x * 956.0f / 2560.0f + 0.5f);
    mouseY = static_cast<int>(y * 538.0f / 1440.0f + 0.5f);
    ALLEGRO_EVENT event = {};
    event.type = ALLEGRO_EVENT_MOUSE_AXES;
    event.mouse.x = mouseX;
    event.mouse.y = mouseY;
    inject(event);
}

void GameDriver::click(float x, float y)
{
    moveMouse(x, y);
    ALLEGRO_EVENT event = {};
    event.mouse.x = mouseX;
    event.mouse.y = mouseY;
    event.mouse.button = 1;
    event.type = ALLEGRO_EVENT_MOUSE_BUTTON_DOWN;
    inject(event);
    event.type = ALLEGRO_EVENT_MOUSE_BUTTON_UP;
    inject(event);
}

void GameDriver::tick(int n)
{
    for (int i = 0; i < n; i++) {
        queueTick();
        do {
            game.loopPass();
        } while (!game.events->isQueueEmpty());
    }
}

void GameDriver::queueTick()
{
    ALLEGRO_EVENT event = {};
    event.type = ALLEGRO_EVENT_TIMER;
    inject(event);
}

std::vector<std::string> GameDriver::soundsPlayed()
{
    std::vector<std::string> keys;
    for (const AudioSpy::Call& call : AudioSpy::calls()) {
        if (call.what != "sound")
            continue;
        for (const auto& sound : game.resources->store->sounds) {
            if (sound.second == call.object)
                keys.push_back(sound.first);
        }
    }
    AudioSpy::calls().clear();
    return keys;
}

bool GameDriver::songPlaying(const std::string& key)
{
    return AudioSpy::isPlaying(game.resources->getSong(key)->instance);
}

void GameDriver::startLevel(int n)
{
    game.screen = Screen::SelectMap;
    game.selectedLevel = n;
    press(ALLEGRO_KEY_ENTER);
    tick();
}
