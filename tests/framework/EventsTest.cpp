#include "Camera.hpp"
#include "Display.hpp"
#include "Events.hpp"
#include "TestSupport.hpp"

#include <allegro5/allegro.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

// Xlib calls its connection Display, the name of the game's window class.
#define Display XDisplay
#include <X11/Xlib.h>
#undef Display

namespace {

// Allocations through operator new on the test's own thread while counting is
// on, less those freed then: what Events::init takes, Events::destroy must
// give back. Allegro's threads and its C allocations are not counted.
thread_local bool counting = false;
thread_local long liveAllocations = 0;

void* allocate(std::size_t size) noexcept
{
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory != nullptr && counting)
        liveAllocations++;
    return memory;
}

void release(void* memory) noexcept
{
    if (memory != nullptr && counting)
        liveAllocations--;
    std::free(memory);
}

} // namespace

// The plain and nothrow forms. The library's array forms call these; the
// sanitizer's runtime brings array forms of its own, which pair among themselves.
void* operator new(std::size_t size)
{
    void* memory = allocate(size);
    if (memory == nullptr)
        throw std::bad_alloc();
    return memory;
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* memory) noexcept { release(memory); }
void operator delete(void* memory, std::size_t) noexcept { release(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { release(memory); }

namespace {

// One real window on the private X server, and the event source on it with
// its timer stopped: every tick below is an injected timer event.
class EventsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(al_init());
        ASSERT_TRUE(al_install_keyboard());
        ASSERT_TRUE(al_install_mouse());
        display = new Display();
        display->create("Orvelle events test", 956, 538, ALLEGRO_WINDOWED);
        camera = new Camera();
        camera->init(display);
    }

    void SetUp() override
    {
        events.reset(new Events());
        liveAllocations = 0;
        counting = true;
        events->init(display, camera, 60.0);
        counting = false;
        events->stopTimer();
    }

    void TearDown() override
    {
        counting = true;
        events->destroy();
        counting = false;
        EXPECT_EQ(liveAllocations, 0) << "taken by Events::init and not given back by Events::destroy";
    }

    void inject(ALLEGRO_EVENT_TYPE type, int keycodeOrButton = 0, int x = 0, int y = 0)
    {
        ALLEGRO_EVENT event = {};
        event.type = type;
        if (type == ALLEGRO_EVENT_KEY_DOWN || type == ALLEGRO_EVENT_KEY_UP) {
            event.keyboard.keycode = keycodeOrButton;
        } else {
            event.mouse.button = static_cast<unsigned int>(keycodeOrButton);
            event.mouse.x = x;
            event.mouse.y = y;
        }
        events->inject(event);
    }

    // Presses and releases keys and buttons on the X server itself, as a
    // person would (xdotool's XTEST input goes to the window under the
    // pointer, where init put it), then takes events until arrived() holds.
    template <typename Condition>
    void xInput(const std::string& actions, Condition arrived)
    {
        ASSERT_EQ(std::system(("xdotool " + actions).c_str()), 0) << actions;
        while (!arrived())
            events->waitEvent();
    }

    // Takes every waiting event the way the loop does: an update at each tick,
    // followed by endFrame. The check runs in place of the update.
    template <typename Check>
    void runTicks(Check check)
    {
        int tick = 0;
        while (!events->isQueueEmpty()) {
            events->waitEvent();
            if (events->isTimerTick()) {
                check(tick++);
                events->endFrame();
            }
        }
    }

    static Display* display;
    static Camera* camera;
    std::unique_ptr<Events> events;
};

Display* EventsTest::display = nullptr;
Camera* EventsTest::camera = nullptr;

} // namespace

TEST_F(EventsTest, pressesBeforeTwoWaitingTicksAreSeenByTheFirstOnlyEvenIfReleased)
{
    inject(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_ESCAPE);
    inject(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_ESCAPE);
    inject(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_ENTER);
    inject(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 1, 100, 100);
    inject(ALLEGRO_EVENT_TIMER);
    inject(ALLEGRO_EVENT_TIMER);
    int ticks = 0;
    runTicks([&](int tick) {
        ticks++;
        EXPECT_EQ(events->wasKeyPressed(ALLEGRO_KEY_ESCAPE), tick == 0) << "tick " << tick;
        EXPECT_FALSE(events->isKeyDown(ALLEGRO_KEY_ESCAPE)) << "tick " << tick;
        EXPECT_EQ(events->wasKeyPressed(ALLEGRO_KEY_ENTER), tick == 0) << "tick " << tick;
        EXPECT_EQ(events->wasMousePressed(1), tick == 0) << "tick " << tick;
    });
    EXPECT_EQ(ticks, 2);
}

TEST_F(EventsTest, heldKeyAndButtonArePressedInOneUpdateButDownInAll)
{
    // Held on the real devices: what is down is what Allegro reads from them.
    xInput("keydown Left mousedown 1",
           [&] { return events->wasKeyPressed(ALLEGRO_KEY_LEFT) && events->wasMousePressed(1); });
    for (int i = 0; i < 3; i++)
        inject(ALLEGRO_EVENT_TIMER);
    runTicks([&](int tick) {
        EXPECT_EQ(events->wasKeyPressed(ALLEGRO_KEY_LEFT), tick == 0) << "tick " << tick;
        EXPECT_EQ(events->wasMousePressed(1), tick == 0) << "tick " << tick;
        EXPECT_TRUE(events->isKeyDown(ALLEGRO_KEY_LEFT)) << "tick " << tick;
        EXPECT_TRUE(events->isMouseDown(1)) << "tick " << tick;
        EXPECT_FALSE(events->isKeyDown(ALLEGRO_KEY_RIGHT)) << "tick " << tick;
        EXPECT_FALSE(events->isMouseDown(2)) << "tick " << tick;
        // Codes and masks outside their tables are never down.
        EXPECT_FALSE(events->isKeyDown(ALLEGRO_KEY_MAX));
        EXPECT_FALSE(events->isKeyDown(100000));
        EXPECT_FALSE(events->isMouseDown(5));
    });

    // X delivers in order: once the tap of Right is taken, so are the releases.
    xInput("keyup Left mouseup 1 key Right", [&] { return events->wasKeyPressed(ALLEGRO_KEY_RIGHT); });
    inject(ALLEGRO_EVENT_TIMER);
    runTicks([&](int) {
        EXPECT_FALSE(events->isKeyDown(ALLEGRO_KEY_LEFT));
        EXPECT_FALSE(events->isMouseDown(1));
    });

    // Right held while the focus goes to a plain X window, where Right is let
    // go: the game's window never sees the release. (An Allegro window would
    // pass the release to Allegro's keyboard.) An injected Up goes up too.
    xInput("keydown Right", [&] { return events->isKeyDown(ALLEGRO_KEY_RIGHT); });
    inject(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_UP);
    XDisplay* x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    // Away from the game's window, which the click below must hit.
    const Window other = XCreateSimpleWindow(x, DefaultRootWindow(x), 1200, 700, 20, 20, 0, 0, 0);
    XSelectInput(x, other, StructureNotifyMask);
    XMapWindow(x, other);
    XEvent mapped;
    do
        XWindowEvent(x, other, StructureNotifyMask, &mapped);
    while (mapped.type != MapNotify);
    XSetInputFocus(x, other, RevertToPointerRoot, CurrentTime);
    XSync(x, False);
    // The click comes after the loss of the focus, and X delivers in order.
    xInput("keyup Right click 1", [&] { return events->wasMousePressed(1); });
    EXPECT_FALSE(events->isKeyDown(ALLEGRO_KEY_RIGHT)) << "a key let go in another window";
    EXPECT_FALSE(events->isKeyDown(ALLEGRO_KEY_UP)) << "an injected key held when the focus left";

    // The focus back on the game's window: a key goes down and up as always.
    XDestroyWindow(x, other);
    XCloseDisplay(x);
    xInput("keydown Right", [&] { return events->isKeyDown(ALLEGRO_KEY_RIGHT); });
    xInput("keyup Right", [&] { return !events->isKeyDown(ALLEGRO_KEY_RIGHT); });
}

TEST_F(EventsTest, mouseButtonsMarkTheirMasks)
{
    struct Case {
        int button;
        bool marks[5];
    } cases[] = {
        {1, {false, true, false, true, false}},  // left: 1 and 3
        {2, {false, false, true, true, false}},  // right: 2 and 3
        {3, {false, false, false, false, true}}, // middle: 4 only
        {4, {false, false, false, false, true}},
        {5, {false, true, false, true, true}},
    };
    for (const Case& c : cases) {
        inject(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, c.button, 10, 10);
        inject(ALLEGRO_EVENT_TIMER);
        runTicks([&](int) {
            for (int mask = 0; mask < 5; mask++)
                EXPECT_EQ(events->wasMousePressed(mask), c.marks[mask]) << "button " << c.button << " mask " << mask;
        });
    }
}

TEST_F(EventsTest, virtualMousePositionScalesTheWindowToTheVirtualScreen)
{
    inject(ALLEGRO_EVENT_MOUSE_AXES, 0, 478, 269);
    inject(ALLEGRO_EVENT_TIMER);
    runTicks([&](int) {
        const Kest::tvec2<float> v = events->getVirtualMousePosition();
        EXPECT_FLOAT_EQ(v.x, 1280.0f);
        EXPECT_FLOAT_EQ(v.y, 720.0f);
    });
    inject(ALLEGRO_EVENT_MOUSE_AXES, 0, 956, 0);
    inject(ALLEGRO_EVENT_TIMER);
    runTicks([&](int) {
        EXPECT_FLOAT_EQ(events->getVirtualMouseX(), 2560.0f);
        EXPECT_FLOAT_EQ(events->getVirtualMouseY(), 0.0f);
    });
}

TEST_F(EventsTest, closeRequestIsTheLastEvent)
{
    inject(ALLEGRO_EVENT_DISPLAY_CLOSE);
    events->waitEvent();
    EXPECT_TRUE(events->isDisplayClosed());
    EXPECT_FALSE(events->isTimerTick());
    EXPECT_TRUE(events->isQueueEmpty());
}

TEST(EventsRealDevices, initPutsTheMouseInTheMiddleAndTicksSixtyTimesASecond)
{
    ASSERT_TRUE(al_init());
    ASSERT_TRUE(al_install_keyboard());
    ASSERT_TRUE(al_install_mouse());
    Display display;
    display.create("Orvelle timer test", 956, 538, ALLEGRO_WINDOWED);
    Camera camera;
    camera.init(&display);
    Events events;
    events.init(&display, &camera, 60.0);

    // Count the real timer's ticks over one second of its own timestamps.
    double first = -1.0;
    int ticks = 0;
    while (true) {
        events.waitEvent();
        if (!events.isTimerTick())
            continue;
        // Allegro's clock is the one the event timestamps use.
        const double now = al_get_time();
        if (first < 0.0)
            first = now;
        else if (now - first >= 1.0)
            break;
        ticks++;
    }
    EXPECT_GE(ticks, 54);
    EXPECT_LE(ticks, 66);

    // The pointer was warped to the middle of the window: (478, 269).
    float x = 0.0f;
    float y = 0.0f;
    events.getMousePosition(x, y);
    EXPECT_FLOAT_EQ(x, 478.0f);
    EXPECT_FLOAT_EQ(y, 269.0f);
    events.destroy();
    display.destroy();
}
