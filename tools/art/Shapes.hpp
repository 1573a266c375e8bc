#pragma once

// Drawing helpers that the primitives add-on lacks: gradients, glows, stars,
// the ghost's outline, and a scoped local coordinate system. All work on the
// current target in its current transform.

#include <allegro5/allegro.h>

#include <vector>

namespace Shapes {

// While it lives, drawing coordinates are local: (0, 0) is at (x, y) of the
// enclosing coordinates and one local unit is `scale` enclosing units (line
// thicknesses scale too). The art of one tile is drawn in units of 1/128 of
// the tile, whatever size it is drawn at.
class Local {
public:
    Local(float x, float y, float scale);
    ~Local();
    Local(const Local&) = delete;
    Local& operator=(const Local&) = delete;

private:
    ALLEGRO_TRANSFORM previous;
};

// A rounded rectangle filled with a vertical gradient from top to bottom.
void roundedGradient(float x, float y, float w, float h, float radius, ALLEGRO_COLOR top, ALLEGRO_COLOR bottom);

// A disc of `color` out to radius inner that fades linearly to nothing at
// radius outer.
void glow(float cx, float cy, float inner, float outer, ALLEGRO_COLOR color);

// A ring from radius inner to outer that is `color` at radius middle and
// fades to nothing at both edges.
void glowRing(float cx, float cy, float inner, float middle, float outer, ALLEGRO_COLOR color);

// The corners of a five-pointed star, point up, as x, y pairs.
std::vector<float> star(float cx, float cy, float outer, float inner);

// The outline of the ghost's sheet as x, y pairs in the 128-unit square:
// a round head, straight sides and a hem of three scallops.
std::vector<float> ghostSheet();

// The outline of a polygon (closed) of the given thickness.
void outline(const std::vector<float>& points, ALLEGRO_COLOR color, float thickness);
void fill(const std::vector<float>& points, ALLEGRO_COLOR color);

} // namespace Shapes
