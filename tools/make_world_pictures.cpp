// Writes the pictures of the world: the tiles and figures that level files
// name, the light picture, the ghost's replay arrows and its fading trail.
//   make-world-pictures REPOSITORY_ROOT

#include "art/Canvas.hpp"
#include "art/Palette.hpp"
#include "art/Shapes.hpp"
#include "art/WorldArt.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace {

// Tiles and figures are 128 pixels a side: a map of 20 columns fills the
// 2560 units of the virtual screen at one picture pixel per unit.
constexpr int tileSide = 128;

void tile(const std::string& path, const std::function<void(float, float, float)>& draw)
{
    Canvas canvas(tileSide, tileSide);
    canvas.target();
    draw(0.0f, 0.0f, float(tileSide));
    canvas.save(path);
}

// A small integer hash turned into [0, 1): the same noise on every run.
float noise(int x, int y, int seed)
{
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + std::uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFFFF) / float(0x1000000);
}

float smoothstep(float edge0, float edge1, float x)
{
    const float t = std::fmin(1.0f, std::fmax(0.0f, (x - edge0) / (edge1 - edge0)));
    return t * t * (3.0f - 2.0f * t);
}

// The light picture, multiplied over the map around the player: white in the
// middle leaves the map as it is, the falloff darkens it, and the rim is black
// like the darkness around the light's square. The falloff warms a little,
// like lamplight; a touch of noise keeps its steps from banding.
void light(const std::string& path)
{
    const int side = 512;
    Canvas canvas(side, side, 1);
    canvas.shade([side](float x, float y, ALLEGRO_COLOR) {
        const float half = float(side) / 2.0f;
        const float r = std::sqrt((x - half) * (x - half) + (y - half) * (y - half)) / half;
        float v = 1.0f - smoothstep(0.3f, 0.98f, r);
        v = std::fmax(0.0f, std::fmin(1.0f, v + (noise(int(x), int(y), 7) - 0.5f) / 255.0f));
        return al_map_rgba_f(v, std::pow(v, 1.08f), std::pow(v, 1.3f), 1.0f);
    });
    canvas.save(path);
}

// The ghost's trail: 8 frames in one row, each 128 pixels a side, played once
// over the ghost's square (3 ticks a frame) by a copy started in every drawn
// frame. The game tints the trail translucent and many copies overlap, so
// each frame is faint: the ghost's sheet, widening a little and dissolving.
void ghostFade(const std::string& path)
{
    const int frames = 8;
    Canvas canvas(tileSide * frames, tileSide);
    canvas.target();
    for (int k = 0; k < frames; ++k) {
        const float age = float(k) / float(frames);
        const float scale = 0.86f + 0.14f * age;
        const float opacity = 0.13f * std::pow(1.0f - age, 1.4f);
        const float offset = float(tileSide) * (1.0f - scale) / 2.0f;
        Shapes::Local local(float(k * tileSide) + offset, offset - 6.0f * age, scale);
        Shapes::fill(Shapes::ghostSheet(), Palette::color(Palette::lilac, opacity));
        Shapes::outline(Shapes::ghostSheet(), Palette::color(Palette::bone, opacity * 1.6f), 8);
    }
    // Dissolve: older frames lose more of their pixels, in soft-edged specks.
    canvas.shade([](float x, float y, ALLEGRO_COLOR now) {
        const int k = int(x) / tileSide;
        const float age = float(k) / float(frames);
        const float n = noise(int(x) / 3, int(y) / 3, 11);
        const float keep = smoothstep(age * 0.9f - 0.15f, age * 0.9f + 0.15f, n);
        return al_map_rgba_f(now.r * keep, now.g * keep, now.b * keep, now.a * keep);
    });
    canvas.save(path);
}

void arrow(const std::string& path, WorldArt::Direction direction)
{
    tile(path, [direction](float x, float y, float s) { WorldArt::arrow(x, y, s, direction); });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-world-pictures REPOSITORY_ROOT\n");
        return 2;
    }
    startGenerator();
    const std::string pictures = std::string(argv[1]) + "/Resources/Pictures/";
    using namespace WorldArt;

    tile(pictures + "tiles/floor.png", [](float x, float y, float s) { WorldArt::floor(x, y, s); });
    tile(pictures + "tiles/wall.png", wall);
    tile(pictures + "tiles/door_closed.png", doorClosed);
    tile(pictures + "tiles/door_open.png", doorOpen);
    tile(pictures + "tiles/switch_up.png", [](float x, float y, float s) { doorSwitch(x, y, s, false); });
    tile(pictures + "tiles/switch_down.png", [](float x, float y, float s) { doorSwitch(x, y, s, true); });
    tile(pictures + "tiles/darkness_on_up.png", [](float x, float y, float s) { lightSwitch(x, y, s, true, false); });
    tile(pictures + "tiles/darkness_on_down.png", [](float x, float y, float s) { lightSwitch(x, y, s, true, true); });
    tile(pictures + "tiles/darkness_off_up.png", [](float x, float y, float s) { lightSwitch(x, y, s, false, false); });
    tile(pictures + "tiles/darkness_off_down.png", [](float x, float y, float s) { lightSwitch(x, y, s, false, true); });
    tile(pictures + "tiles/deadly.png", deadly);
    tile(pictures + "tiles/goal.png", goal);

    tile(pictures + "objects/player.png", player);
    tile(pictures + "objects/ghost.png", [](float x, float y, float s) { ghost(x, y, s); });
    light(pictures + "objects/light.png");

    arrow(pictures + "arrow_up.png", Direction::Up);
    arrow(pictures + "arrow_down.png", Direction::Down);
    arrow(pictures + "arrow_left.png", Direction::Left);
    arrow(pictures + "arrow_right.png", Direction::Right);

    ghostFade(std::string(argv[1]) + "/Resources/Animations/ghost_fade.png");
    return 0;
}
