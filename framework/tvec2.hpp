#pragma once

namespace Kest {

// A two-component vector. As tvec2<float> it holds world and virtual-screen
// positions, sizes and offsets; as tvec2<int> it holds grid cells and map sizes.
template <typename T>
class tvec2 {
public:
    T x;
    T y;

    tvec2() : x(0), y(0) {}
    tvec2(T x, T y) : x(x), y(y) {}

    tvec2 operator+(const tvec2& v) const { return tvec2(x + v.x, y + v.y); }
    tvec2 operator-(const tvec2& v) const { return tvec2(x - v.x, y - v.y); }
    // Component by component: a cell times the tile size.
    tvec2 operator*(const tvec2& v) const { return tvec2(x * v.x, y * v.y); }
    // The same number added to (or taken from) both components.
    tvec2 operator+(T f) const { return tvec2(x + f, y + f); }
    tvec2 operator-(T f) const { return tvec2(x - f, y - f); }
    tvec2 operator/(T f) const { return tvec2(x / f, y / f); }

    // Row first, then column: maps keyed by cell run row by row.
    bool operator<(const tvec2& o) const
    {
        if (y < o.y) return true;
        if (y > o.y) return false;
        return x < o.x;
    }
};

} // namespace Kest
