// What the game pays each frame and tick through the resource facade: picture
// draws (culled away, culled but drawn, unculled), a line of screen text, and
// one update of many running animations. Drawn on memory bitmaps, so the
// drawing figures are Allegro's software renderer, an upper bound of what a
// display's GPU costs; the lookups and the culling are the same either way.
#include "Bitmap.hpp"
#include "Camera.hpp"
#include "ResourceStore.hpp"
#include "Resources.hpp"
#include "TestSupport.hpp"

#include <benchmark/benchmark.h>

namespace {
const char* const fontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// A facade on a 1280 x 720 memory target and view, with a 64 x 64 picture
// "tile".
struct Scene {
    Scene()
    {
        startAllegroHeadless();
        camera.init(nullptr);
        res.init(nullptr, &camera, 0);
        res.createBitmap(64, 64, "tile");
        al_set_target_bitmap(res.getBitmap("tile")->bitmap);
        al_clear_to_color(al_map_rgb(200, 40, 40));
        target = makeMemoryTarget(1280, 720);
        camera.setView(Rect(0, 0, 1280, 720));
    }
    ~Scene()
    {
        res.destroyAll();
        al_destroy_bitmap(target);
    }
    Camera camera;
    Resources res;
    ALLEGRO_BITMAP* target = nullptr;
};
} // namespace

static void drawBitmap_culledAway(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        scene.res.drawBitmap("tile", Rect(2000, 2000, 64, 64), false);
}
BENCHMARK(drawBitmap_culledAway);

static void drawBitmap_insideTheView(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        scene.res.drawBitmap("tile", Rect(600, 300, 64, 64), false);
}
BENCHMARK(drawBitmap_insideTheView);

static void drawBitmapUnculled(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        scene.res.drawBitmapUnculled("tile", Rect(600, 300, 64, 64), false);
}
BENCHMARK(drawBitmapUnculled);

static void drawScreenText_size20(benchmark::State& state)
{
    Scene scene;
    scene.res.loadFont(fontPath, "font");
    scene.camera.setView(Rect(0, 0, 2560, 1440));
    for (auto _ : state)
        scene.res.drawScreenText("font", 20, al_map_rgb(255, 255, 255), Kest::tvec2<float>(100, 100), 0,
                                 "Time: 12.34");
}
BENCHMARK(drawScreenText_size20);

static void updateAnimations(benchmark::State& state)
{
    Scene scene;
    const std::string dir = makeTempDir();
    al_save_bitmap((dir + "/trail.png").c_str(), scene.res.getBitmap("tile")->bitmap);
    scene.res.loadAnimation(dir + "/trail.png", 8, 1, "trail");
    removeTree(dir);
    // Frames that outlast the run, so that the count holds at the range.
    for (int i = 0; i < state.range(0); i++)
        scene.res.createAnimation("trail", 1000000000, Rect(10.0f * i, 10, 40, 40), true);
    for (auto _ : state)
        scene.res.updateAnimations();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(updateAnimations)->Arg(200);
