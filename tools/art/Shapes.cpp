#include "Shapes.hpp"

#include <allegro5/allegro_primitives.h>

#include <cmath>

namespace Shapes {

namespace {

constexpr float pi = 3.14159265f;

ALLEGRO_VERTEX vertex(float x, float y, ALLEGRO_COLOR color)
{
    ALLEGRO_VERTEX v;
    v.x = x;
    v.y = y;
    v.z = 0.0f;
    v.u = 0.0f;
    v.v = 0.0f;
    v.color = color;
    return v;
}

// A band between two circles, each edge with its own colour, colours blended
// across the band.
void band(float cx, float cy, float r0, ALLEGRO_COLOR c0, float r1, ALLEGRO_COLOR c1)
{
    const int segments = 96;
    std::vector<ALLEGRO_VERTEX> triangles;
    for (int i = 0; i < segments; ++i) {
        const float a = 2.0f * pi * float(i) / float(segments);
        const float b = 2.0f * pi * float(i + 1) / float(segments);
        const ALLEGRO_VERTEX p0 = vertex(cx + r0 * std::cos(a), cy + r0 * std::sin(a), c0);
        const ALLEGRO_VERTEX p1 = vertex(cx + r0 * std::cos(b), cy + r0 * std::sin(b), c0);
        const ALLEGRO_VERTEX q0 = vertex(cx + r1 * std::cos(a), cy + r1 * std::sin(a), c1);
        const ALLEGRO_VERTEX q1 = vertex(cx + r1 * std::cos(b), cy + r1 * std::sin(b), c1);
        triangles.insert(triangles.end(), {p0, q0, q1, p0, q1, p1});
    }
    al_draw_prim(triangles.data(), nullptr, nullptr, 0, int(triangles.size()), ALLEGRO_PRIM_TRIANGLE_LIST);
}

} // namespace

Local::Local(float x, float y, float scale)
{
    al_copy_transform(&previous, al_get_current_transform());
    ALLEGRO_TRANSFORM local;
    al_identity_transform(&local);
    al_scale_transform(&local, scale, scale);
    al_translate_transform(&local, x, y);
    al_compose_transform(&local, &previous);
    al_use_transform(&local);
}

Local::~Local()
{
    al_use_transform(&previous);
}

void roundedGradient(float x, float y, float w, float h, float radius, ALLEGRO_COLOR top, ALLEGRO_COLOR bottom)
{
    // Thin horizontal strips, each as wide as the rounded outline is at its
    // height; strips of a quarter unit are finer than any canvas's samples.
    const float step = 0.25f;
    for (float row = 0.0f; row < h; row += step) {
        const float middle = row + step / 2.0f;
        const float fromEdge = std::fmin(middle, h - middle);
        float inset = 0.0f;
        if (fromEdge < radius) {
            const float d = radius - fromEdge;
            inset = radius - std::sqrt(std::fmax(0.0f, radius * radius - d * d));
        }
        const float t = middle / h;
        ALLEGRO_COLOR c;
        c.r = top.r + (bottom.r - top.r) * t;
        c.g = top.g + (bottom.g - top.g) * t;
        c.b = top.b + (bottom.b - top.b) * t;
        c.a = top.a + (bottom.a - top.a) * t;
        al_draw_filled_rectangle(x + inset, y + row, x + w - inset, y + std::fmin(row + step, h), c);
    }
}

void glow(float cx, float cy, float inner, float outer, ALLEGRO_COLOR color)
{
    if (inner > 0.0f)
        al_draw_filled_circle(cx, cy, inner, color);
    band(cx, cy, inner, color, outer, al_map_rgba(0, 0, 0, 0));
}

void glowRing(float cx, float cy, float inner, float middle, float outer, ALLEGRO_COLOR color)
{
    band(cx, cy, inner, al_map_rgba(0, 0, 0, 0), middle, color);
    band(cx, cy, middle, color, outer, al_map_rgba(0, 0, 0, 0));
}

std::vector<float> star(float cx, float cy, float outer, float inner)
{
    std::vector<float> points;
    for (int i = 0; i < 10; ++i) {
        const float r = i % 2 == 0 ? outer : inner;
        const float a = -pi / 2.0f + pi * float(i) / 5.0f;
        points.push_back(cx + r * std::cos(a));
        points.push_back(cy + r * std::sin(a));
    }
    return points;
}

std::vector<float> ghostSheet()
{
    std::vector<float> points;
    const float cx = 64.0f, headY = 54.0f, r = 44.0f, hemY = 104.0f;
    // Head, from the left side over the top to the right side.
    for (int i = 0; i <= 32; ++i) {
        const float a = pi + pi * float(i) / 32.0f;
        points.push_back(cx + r * std::cos(a));
        points.push_back(headY + r * std::sin(a));
    }
    // Right side down, then the hem from right to left: three scallops that
    // hang down between four points at the hem line.
    points.push_back(cx + r);
    points.push_back(hemY);
    const float left = cx - r, width = 2.0f * r;
    for (int i = 1; i <= 48; ++i) {
        const float t = 1.0f - float(i) / 48.0f;
        const float scallop = std::fabs(std::sin(t * 3.0f * pi));
        points.push_back(left + width * t);
        points.push_back(hemY + 14.0f * scallop);
    }
    return points;
}

void outline(const std::vector<float>& points, ALLEGRO_COLOR color, float thickness)
{
    al_draw_polygon(points.data(), int(points.size() / 2), ALLEGRO_LINE_JOIN_ROUND, color, thickness, 1.0f);
}

void fill(const std::vector<float>& points, ALLEGRO_COLOR color)
{
    // Allegro's triangulator fills only polygons wound one way (negative
    // signed area in y-down coordinates); turn the others round.
    float area = 0.0f;
    const size_t n = points.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        area += points[2 * i] * points[2 * j + 1] - points[2 * j] * points[2 * i + 1];
    }
    std::vector<float> wound = points;
    if (area > 0.0f)
        for (size_t i = 0; i < n; ++i) {
            wound[2 * i] = points[2 * (n - 1 - i)];
            wound[2 * i + 1] = points[2 * (n - 1 - i) + 1];
        }
    al_draw_filled_polygon(wound.data(), int(n), color);
}

} // namespace Shapes
