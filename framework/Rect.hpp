#pragma once

#include "tvec2.hpp"

// A rectangle of floats: x, y is the top-left corner in the normal form. Some
// values are held for a while in a centre form, where x, y is the centre; the
// type does not record the form, the code that holds the value knows it.
class Rect {
public:
    float x;
    float y;
    float w;
    float h;

    Rect();
    Rect(float x, float y, float w, float h);
    Rect(const Kest::tvec2<float>& position, const Kest::tvec2<float>& size);
    Rect(const Kest::tvec2<float>& position, float w, float h);
    Rect(float x, float y, const Kest::tvec2<float>& size);

    Kest::tvec2<float> getPosition() const;
    Kest::tvec2<float> getSize() const;
    Kest::tvec2<float> getCenter() const;

    // A copy with x, y moved to the centre; this rectangle is unchanged.
    Rect toCenterForm() const;
    // In place: x, y taken as the centre and moved to the top-left corner.
    Rect fromCenterForm();

    Rect operator+(const Kest::tvec2<float>& v) const;
};

// Inclusive overlap test: rectangles whose edges only touch overlap, a point
// overlaps a rectangle that contains it, and a NaN anywhere makes it false.
bool rectsOverlap(const Rect& a, const Rect& b);
