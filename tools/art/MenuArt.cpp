#include "MenuArt.hpp"

#include "Canvas.hpp"
#include "Palette.hpp"
#include "Shapes.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace MenuArt {

namespace {

using Palette::color;
using Palette::mix;

struct Colours {
    ALLEGRO_COLOR rim, top, bottom, ink;
};

Colours coloursOf(bool hovered, Look look)
{
    if (!hovered)
        return {color(look == Look::Danger ? Palette::coral : Palette::haze), mix(Palette::slate, Palette::stone, 0.3f),
                color(Palette::dusk), color(Palette::bone)};
    if (look == Look::Danger)
        return {color(Palette::bone), color(Palette::coral), color(Palette::coralDark), color(Palette::ink)};
    return {color(Palette::bone), mix(Palette::teal, Palette::bone, 0.15f), color(Palette::tealDark),
            color(Palette::ink)};
}

// The body of every button: a drop shadow, a rim and a gradient face, inside
// the canvas with a margin so that nothing is cut at its edges. Returns the
// face's box.
Canvas::Box body(Canvas& canvas, const Colours& c, float radiusShare)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    const float margin = std::fmax(3.0f, h * 0.04f), drop = std::fmax(3.0f, h * 0.045f);
    const float rim = std::fmax(3.0f, h * 0.035f);
    const float bh = h - 2.0f * margin - drop;
    const float radius = bh * radiusShare;
    canvas.target();
    al_draw_filled_rounded_rectangle(margin, margin + drop, w - margin, h - margin, radius, radius,
                                     color(Palette::ink, 0.55f));
    al_draw_filled_rounded_rectangle(margin, margin, w - margin, margin + bh, radius, radius, c.rim);
    Shapes::roundedGradient(margin + rim, margin + rim, w - 2.0f * (margin + rim), bh - 2.0f * rim, radius - rim, c.top,
                            c.bottom);
    return {margin, margin, w - 2.0f * margin, bh};
}

// A thick chevron pointing left (dx -1) or right (dx 1) centred on (cx, cy).
void chevron(float cx, float cy, float size, float dx, ALLEGRO_COLOR c)
{
    const float points[] = {cx - dx * size * 0.25f, cy - size * 0.5f, cx + dx * size * 0.25f, cy,
                            cx - dx * size * 0.25f, cy + size * 0.5f};
    al_draw_polyline(points, 2 * sizeof(float), 3, ALLEGRO_LINE_JOIN_ROUND, ALLEGRO_LINE_CAP_ROUND, c, size * 0.22f,
                     1.0f);
}

void speaker(float cx, float cy, float s, ALLEGRO_COLOR c)
{
    al_draw_filled_rectangle(cx - s * 0.5f, cy - s * 0.18f, cx - s * 0.22f, cy + s * 0.18f, c);
    const float cone[] = {cx - s * 0.26f, cy - s * 0.18f, cx + s * 0.05f, cy - s * 0.45f,
                          cx + s * 0.05f, cy + s * 0.45f, cx - s * 0.26f, cy + s * 0.18f};
    Shapes::fill(std::vector<float>(cone, cone + 8), c);
}

} // namespace

void labelButton(Canvas& canvas, const std::string& fontPath, const std::string& label, bool hovered, Look look)
{
    const Colours c = coloursOf(hovered, look);
    const Canvas::Box face = body(canvas, c, 0.3f);
    const float size = face.h * 0.44f;
    const float cx = face.x + face.w / 2.0f, cy = face.y + face.h / 2.0f;
    if (!hovered)
        canvas.centredText(fontPath, size, color(Palette::ink, 0.6f), cx + size * 0.05f, cy + size * 0.06f, label);
    canvas.centredText(fontPath, size, c.ink, cx, cy, label);
}

void iconButton(Canvas& canvas, Icon icon, bool hovered)
{
    const Colours c = coloursOf(hovered, Look::Plain);
    const Canvas::Box face = body(canvas, c, icon == Icon::Back ? 0.3f : 0.5f);
    const float cx = face.x + face.w / 2.0f, cy = face.y + face.h / 2.0f, s = face.h;
    canvas.target();
    if (icon == Icon::Back) {
        // An arrow home: a shaft with a head, pointing left.
        const float points[] = {cx - s * 0.05f, cy - s * 0.24f, cx - s * 0.3f, cy, cx - s * 0.05f, cy + s * 0.24f};
        al_draw_line(cx - s * 0.26f, cy, cx + s * 0.28f, cy, c.ink, s * 0.12f);
        al_draw_polyline(points, 2 * sizeof(float), 3, ALLEGRO_LINE_JOIN_ROUND, ALLEGRO_LINE_CAP_ROUND, c.ink,
                         s * 0.12f, 1.0f);
    } else {
        const float dx = icon == Icon::Left ? -1.0f : 1.0f;
        chevron(cx + dx * s * 0.03f, cy, s * 0.46f, dx, c.ink);
    }
}

void soundsToggle(Canvas& canvas, bool on)
{
    const Colours c = coloursOf(false, Look::Plain);
    const Canvas::Box face = body(canvas, c, 0.5f);
    const float cx = face.x + face.w / 2.0f, cy = face.y + face.h / 2.0f, s = face.h * 0.62f;
    canvas.target();
    if (on) {
        speaker(cx - s * 0.12f, cy, s, color(Palette::bone));
        for (float r : {0.3f, 0.52f})
            al_draw_arc(cx - s * 0.1f, cy, s * r, -0.8f, 1.6f, color(Palette::teal), s * 0.1f);
    } else {
        speaker(cx - s * 0.12f, cy, s, color(Palette::haze));
        const float x = cx + s * 0.3f, d = s * 0.16f;
        al_draw_line(x - d, cy - d, x + d, cy + d, color(Palette::coral), s * 0.1f);
        al_draw_line(x - d, cy + d, x + d, cy - d, color(Palette::coral), s * 0.1f);
    }
}

void stars(Canvas& canvas, int count)
{
    canvas.target();
    const float h = float(canvas.height()), step = float(canvas.width()) / 3.0f;
    for (int i = 0; i < 3; ++i) {
        const float cx = step * (float(i) + 0.5f), cy = h / 2.0f + h * 0.03f;
        const float outer = h * 0.46f, inner = outer * 0.45f;
        const std::vector<float> shape = Shapes::star(cx, cy, outer, inner);
        if (i < count) {
            Shapes::fill(Shapes::star(cx, cy + h * 0.05f, outer, inner), color(Palette::ink, 0.5f));
            Shapes::fill(shape, color(Palette::amber));
            Shapes::fill(Shapes::star(cx - outer * 0.08f, cy - outer * 0.1f, outer * 0.5f, inner * 0.5f),
                         mix(Palette::amber, Palette::bone, 0.55f));
            Shapes::outline(shape, color(Palette::amberDark), h * 0.05f);
        } else {
            Shapes::fill(shape, color(Palette::deep));
            Shapes::outline(shape, color(Palette::stone), h * 0.05f);
        }
    }
}

void mapPanel(Canvas& canvas)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    canvas.target();
    al_draw_filled_rounded_rectangle(0, 0, w, h, 44, 44, color(Palette::haze));
    Shapes::roundedGradient(8, 8, w - 16, h - 16, 38, mix(Palette::deep, Palette::dusk, 0.5f), color(Palette::night));
    // A recessed frame around the preview.
    al_draw_filled_rounded_rectangle(66, 66, w - 66, h - 66, 10, 10, color(Palette::slate));
    al_draw_filled_rounded_rectangle(71, 71, w - 71, h - 71, 6, 6, color(Palette::ink));
}

void backdrop(Canvas& canvas)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    canvas.shade([w, h](float x, float y, ALLEGRO_COLOR) {
        // Lighter towards a point a little above the middle; darker corners.
        const float dx = (x - w * 0.5f) / (w * 0.62f), dy = (y - h * 0.46f) / (h * 0.75f);
        const float d = std::fmin(1.0f, std::sqrt(dx * dx + dy * dy));
        const float light = 1.0f - d * d;
        ALLEGRO_COLOR c = mix(Palette::ink, Palette::dusk, 0.15f + 0.7f * light);
        // The floor's grid: lines 6 units wide every 160 units, barely there,
        // fading out with the light.
        const float gx = std::fmod(x, 160.0f), gy = std::fmod(y, 160.0f);
        if (gx < 6.0f || gy < 6.0f) {
            const float k = 0.07f * light;
            c.r = c.r * (1.0f - k) + 0.0f * k;
            c.g = c.g * (1.0f - k) + 0.0f * k;
            c.b = c.b * (1.0f - k) + 0.0f * k;
        }
        // Dither, so that the gradient shows no steps once saved.
        std::uint32_t n = std::uint32_t(x * 7919.0f) * 2654435761u ^ std::uint32_t(y * 104729.0f) * 2246822519u;
        n ^= n >> 15;
        const float jitter = (float(n & 0xFF) / 255.0f - 0.5f) * 1.5f / 255.0f;
        return al_map_rgba_f(c.r + jitter, c.g + jitter, c.b + jitter, 1.0f);
    });
}

} // namespace MenuArt
