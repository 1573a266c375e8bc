#include "Rect.hpp"

#include <cmath>

Rect::Rect() : x(0.0f), y(0.0f), w(0.0f), h(0.0f) {}

Rect::Rect(float x, float y, float w, float h) : x(x), y(y), w(w), h(h) {}

Rect::Rect(const Kest::tvec2<float>& position, const Kest::tvec2<float>& size)
    : x(position.x), y(position.y), w(size.x), h(size.y)
{
}

Rect::Rect(const Kest::tvec2<float>& position, float w, float h)
    : x(position.x), y(position.y), w(w), h(h)
{
}

Rect::Rect(float x, float y, const Kest::tvec2<float>& size) : x(x), y(y), w(size.x), h(size.y) {}

Kest::tvec2<float> Rect::getPosition() const { return Kest::tvec2<float>(x, y); }

Kest::tvec2<float> Rect::getSize() const { return Kest::tvec2<float>(w, h); }

Kest::tvec2<float> Rect::getCenter() const
{
    return Kest::tvec2<float>(x + w / 2.0f, y + h / 2.0f);
}

Rect Rect::toCenterForm() const { return Rect(x + w / 2.0f, y + h / 2.0f, w, h); }

Rect Rect::fromCenterForm()
{
    x = x - w / 2.0f;
    y = y - h / 2.0f;
    return *this;
}

Rect Rect::operator+(const Kest::tvec2<float>& v) const { return Rect(x + v.x, y + v.y, w, h); }

bool rectsOverlap(const Rect& a, const Rect& b)
{
    // Centre distance against the sum of the half sizes, each axis on its own.
    const float ax = a.w / 2.0f + a.x;
    const float bx = b.w / 2.0f + b.x;
    const bool xOk = a.w / 2.0f + b.w / 2.0f >= std::fabs(ax - bx);

    const float ay = a.h / 2.0f + a.y;
    const float by = b.h / 2.0f + b.y;
    const bool yOk = a.h / 2.0f + b.h / 2.0f >= std::fabs(ay - by);

    return xOk && yOk;
}
