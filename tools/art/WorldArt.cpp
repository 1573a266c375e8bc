#include "WorldArt.hpp"

#include "Palette.hpp"
#include "Shapes.hpp"

#include <allegro5/allegro_primitives.h>

#include <cmath>
#include <vector>

// Every shape below is in units of 1/128 of the square (Shapes::Local).

namespace WorldArt {

namespace {

using Palette::color;
using Palette::mix;
using Shapes::Local;

constexpr float unit = 128.0f;

ALLEGRO_COLOR faded(ALLEGRO_COLOR c, float opacity)
{
    return al_map_rgba_f(c.r * opacity, c.g * opacity, c.b * opacity, c.a * opacity);
}

// The base of every floor-like tile: one stone slab inside a grout border,
// half a grout line on each edge, so neighbouring slabs share a whole line.
void slab()
{
    al_draw_filled_rectangle(0, 0, unit, unit, color(Palette::deep));
    Shapes::roundedGradient(3, 3, 122, 122, 7, mix(Palette::dusk, Palette::slate, 0.22f), color(Palette::dusk));
    // A few worn spots, the same on every slab: the floor is calm.
    const float spots[][3] = {{30, 88, 3.0f}, {94, 34, 2.5f}, {82, 96, 2.0f}, {40, 30, 1.8f}};
    for (const auto& s : spots)
        al_draw_filled_circle(s[0], s[1], s[2], color(Palette::deep, 0.55f));
}

// The stone frame shared by door tiles and the posts of an open door.
void post(float x, float y, float w, float h)
{
    Shapes::roundedGradient(x, y, w, h, 3, mix(Palette::stone, Palette::haze, 0.35f), color(Palette::stone));
}

// A round button seen from above. Raised: on a shadow, with a shine. Pressed:
// sunk a little lower and darker, inside a glow of glowColor.
void button(float cx, float cy, float r, std::uint32_t face, std::uint32_t edge, bool pressed,
            std::uint32_t glowColor)
{
    if (pressed) {
        Shapes::glowRing(cx, cy + 4, r * 0.75f, r + 4, r + 20, color(glowColor, 0.85f));
        al_draw_filled_circle(cx, cy + 4, r - 2, color(edge));
        al_draw_filled_circle(cx, cy + 5, r - 7, mix(edge, face, 0.55f));
    } else {
        al_draw_filled_circle(cx, cy + 8, r, color(Palette::ink, 0.5f));
        al_draw_filled_circle(cx, cy + 4, r, color(edge));
        al_draw_filled_circle(cx, cy, r, color(face));
        al_draw_filled_ellipse(cx - r * 0.35f, cy - r * 0.45f, r * 0.38f, r * 0.22f, color(Palette::bone, 0.45f));
    }
}

void moon(float cx, float cy, float r, ALLEGRO_COLOR light, ALLEGRO_COLOR shadowColor)
{
    al_draw_filled_circle(cx, cy, r, light);
    al_draw_filled_circle(cx + r * 0.45f, cy - r * 0.35f, r * 0.85f, shadowColor);
}

void sun(float cx, float cy, float r, ALLEGRO_COLOR light)
{
    al_draw_filled_circle(cx, cy, r * 0.55f, light);
    for (int i = 0; i < 8; ++i) {
        const float a = float(i) * 3.14159265f / 4.0f;
        al_draw_line(cx + std::cos(a) * r * 0.78f, cy + std::sin(a) * r * 0.78f, cx + std::cos(a) * r * 1.1f,
                     cy + std::sin(a) * r * 1.1f, light, r * 0.2f);
    }
}

} // namespace

void floor(float x, float y, float size)
{
    Local local(x, y, size / unit);
    slab();
}

void wall(float x, float y, float size)
{
    Local local(x, y, size / unit);
    al_draw_filled_rectangle(0, 0, unit, unit, color(Palette::slate));
    // Three courses of bricks; the middle course is offset by half a brick,
    // and every edge has half a mortar line, so walls join seamlessly.
    struct Brick {
        float x0, y0, x1, y1;
    };
    const Brick bricks[] = {{2, 2, 62, 42},   {66, 2, 126, 42},  {-4, 46, 30, 84}, {34, 46, 94, 84},
                            {98, 46, 132, 84}, {2, 88, 62, 126}, {66, 88, 126, 126}};
    for (const Brick& b : bricks) {
        const float x0 = std::fmax(b.x0, 0.0f), x1 = std::fmin(b.x1, unit);
        Shapes::roundedGradient(x0, b.y0, x1 - x0, b.y1 - b.y0, 4, mix(Palette::stone, Palette::haze, 0.45f),
                                mix(Palette::stone, Palette::slate, 0.35f));
        al_draw_filled_rectangle(x0 + 3, b.y0 + 2, x1 - 3, b.y0 + 5, mix(Palette::haze, Palette::mist, 0.3f, 0.6f));
    }
}

void doorClosed(float x, float y, float size)
{
    Local local(x, y, size / unit);
    al_draw_filled_rectangle(0, 0, unit, unit, color(Palette::slate));
    post(2, 2, 124, 124);
    // The door leaf: planks of warm wood held by two dark bands.
    Shapes::roundedGradient(16, 16, 96, 96, 6, color(Palette::amber), mix(Palette::amber, Palette::amberDark, 0.6f));
    for (float px : {40.0f, 64.0f, 88.0f})
        al_draw_line(px, 18, px, 110, color(Palette::amberDark), 3);
    for (float by : {34.0f, 94.0f}) {
        al_draw_filled_rectangle(16, by - 5, 112, by + 5, color(Palette::deep));
        for (float bx : {26.0f, 102.0f})
            al_draw_filled_circle(bx, by, 2.5f, color(Palette::mist));
    }
    al_draw_rounded_rectangle(16, 16, 112, 112, 6, 6, color(Palette::amberDark), 4);
    // The lock.
    al_draw_filled_circle(64, 64, 11, color(Palette::deep));
    al_draw_filled_circle(64, 61, 4, color(Palette::amber));
    al_draw_filled_triangle(64, 62, 60, 72, 68, 72, color(Palette::amber));
}

void doorOpen(float x, float y, float size)
{
    Local local(x, y, size / unit);
    slab();
    // Where the leaf stood, a faint dashed trace; the frame's four posts stay.
    const ALLEGRO_COLOR trace = color(Palette::amber, 0.45f);
    for (float t = 22; t < 106; t += 20) {
        al_draw_line(t, 18, t + 10, 18, trace, 4);
        al_draw_line(t, 110, t + 10, 110, trace, 4);
        al_draw_line(18, t, 18, t + 10, trace, 4);
        al_draw_line(110, t, 110, t + 10, trace, 4);
    }
    for (float px : {2.0f, 106.0f})
        for (float py : {2.0f, 106.0f})
            post(px, py, 20, 20);
}

void doorSwitch(float x, float y, float size, bool pressed)
{
    Local local(x, y, size / unit);
    slab();
    al_draw_filled_rounded_rectangle(16, 16, 112, 112, 12, 12, color(Palette::slate));
    al_draw_filled_rounded_rectangle(23, 23, 105, 105, 8, 8,
                                     pressed ? mix(Palette::deep, Palette::amber, 0.22f) : color(Palette::deep));
    button(64, 60, 26, Palette::amber, Palette::amberDark, pressed, Palette::amber);
}

void lightSwitch(float x, float y, float size, bool darknessOn, bool pressed)
{
    Local local(x, y, size / unit);
    slab();
    const std::uint32_t face = darknessOn ? 0x4A4A9A : Palette::amber;
    const std::uint32_t edge = darknessOn ? 0x2C2C66 : Palette::amberDark;
    const std::uint32_t glowColor = darknessOn ? Palette::lilac : Palette::amber;
    al_draw_filled_circle(64, 64, 52, color(Palette::slate));
    al_draw_filled_circle(64, 64, 45, pressed ? mix(Palette::deep, glowColor, 0.22f) : color(Palette::deep));
    button(64, 60, 30, face, edge, pressed, glowColor);
    const float iconY = pressed ? 65.0f : 60.0f;
    const ALLEGRO_COLOR light = pressed ? color(Palette::bone) : color(Palette::bone, 0.92f);
    if (darknessOn)
        moon(62, iconY, 15, light, pressed ? mix(edge, face, 0.55f) : color(face));
    else
        sun(64, iconY, 17, pressed ? color(Palette::bone) : color(0xFFF4D0));
}

void deadly(float x, float y, float size)
{
    Local local(x, y, size / unit);
    slab();
    al_draw_filled_rounded_rectangle(8, 8, 120, 120, 12, 12, mix(Palette::coralDark, Palette::ink, 0.45f));
    // Nine spikes seen from above: pyramids lit from the top left.
    for (float cy : {34.0f, 64.0f, 94.0f})
        for (float cx : {34.0f, 64.0f, 94.0f}) {
            const float h = 13.0f;
            const float l = cx - h, r = cx + h, t = cy - h, b = cy + h;
            al_draw_filled_triangle(l, t, r, t, cx, cy, mix(Palette::coral, Palette::bone, 0.3f));
            al_draw_filled_triangle(l, t, l, b, cx, cy, color(Palette::coral));
            al_draw_filled_triangle(r, t, r, b, cx, cy, color(Palette::coralDark));
            al_draw_filled_triangle(l, b, r, b, cx, cy, mix(Palette::coralDark, Palette::ink, 0.35f));
            al_draw_filled_circle(cx, cy, 2.5f, color(Palette::bone));
        }
}

void goal(float x, float y, float size)
{
    Local local(x, y, size / unit);
    slab();
    Shapes::glow(64, 64, 30, 62, color(Palette::moss, 0.5f));
    al_draw_filled_circle(64, 64, 40, color(Palette::mossDark));
    al_draw_filled_circle(64, 64, 33, mix(Palette::moss, Palette::dusk, 0.45f));
    al_draw_circle(64, 64, 38, color(Palette::moss), 4);
    const std::vector<float> points = Shapes::star(64, 66, 25, 11);
    Shapes::fill(points, color(Palette::bone));
    Shapes::outline(points, color(Palette::mossDark), 2.5f);
}

void player(float x, float y, float size)
{
    Local local(x, y, size / unit);
    al_draw_filled_ellipse(64, 114, 38, 9, color(Palette::ink, 0.45f));
    al_draw_filled_circle(64, 64, 50, color(Palette::ink));
    al_draw_filled_circle(64, 64, 47, color(Palette::tealDark));
    al_draw_filled_circle(64, 60, 42, color(Palette::teal));
    al_draw_filled_ellipse(46, 38, 14, 8, color(Palette::bone, 0.5f));
    for (float ex : {49.0f, 79.0f}) {
        al_draw_filled_ellipse(ex, 62, 9, 12, color(Palette::bone));
        al_draw_filled_circle(ex + 1, 66, 5, color(Palette::ink));
    }
}

void ghost(float x, float y, float size, float opacity)
{
    Local local(x, y, size / unit);
    const std::vector<float> sheet = Shapes::ghostSheet();
    al_draw_filled_ellipse(64, 120, 32, 6, faded(color(Palette::ink), 0.35f * opacity));
    Shapes::fill(sheet, faded(color(Palette::lilac), opacity));
    Shapes::outline(sheet, faded(color(Palette::lilacDark), opacity), 5);
    al_draw_filled_ellipse(48, 30, 12, 7, faded(color(Palette::bone), 0.55f * opacity));
    for (float ex : {50.0f, 78.0f})
        al_draw_filled_ellipse(ex, 58, 7, 10, faded(color(Palette::ink), opacity));
    al_draw_filled_ellipse(64, 80, 5, 6, faded(color(Palette::ink), opacity));
}

void arrow(float x, float y, float size, Direction direction)
{
    Local local(x, y, size / unit);
    // The upward head; the others are its mirror images and transpositions.
    const float up[] = {64, 6, 100, 42, 28, 42};
    std::vector<float> points;
    for (int i = 0; i < 6; i += 2) {
        const float px = up[i], py = up[i + 1];
        switch (direction) {
        case Direction::Up: points.insert(points.end(), {px, py}); break;
        case Direction::Down: points.insert(points.end(), {px, unit - py}); break;
        case Direction::Left: points.insert(points.end(), {py, px}); break;
        case Direction::Right: points.insert(points.end(), {unit - py, px}); break;
        }
    }
    Shapes::fill(points, color(Palette::bone));
    Shapes::outline(points, color(Palette::ink), 5);
}

} // namespace WorldArt
