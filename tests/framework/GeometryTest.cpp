#include "Rect.hpp"
#include "tvec2.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void expectRect(const Rect& r, float x, float y, float w, float h)
{
    EXPECT_FLOAT_EQ(r.x, x);
    EXPECT_FLOAT_EQ(r.y, y);
    EXPECT_FLOAT_EQ(r.w, w);
    EXPECT_FLOAT_EQ(r.h, h);
}

} // namespace

TEST(Geometry, rectsOverlap_isInclusiveAndSymmetric)
{
    struct Case {
        Rect a;
        Rect b;
        bool overlap;
    } cases[] = {
        {Rect(0, 0, 10, 10), Rect(10, 0, 10, 10), true},     // edges touch
        {Rect(0, 0, 10, 10), Rect(10.5f, 0, 10, 10), false},  // a gap
        {Rect(0, 0, 10, 10), Rect(0, 10, 10, 10), true},      // touching below
        {Rect(0, 0, 10, 10), Rect(10, 10, 5, 5), true},       // corners touch
        {Rect(0, 0, 10, 10), Rect(0, 10.01f, 10, 10), false},
        {Rect(0, 0, 100, 100), Rect(40, 40, 1, 1), true},     // containment
        {Rect(0, 0, 0, 0), Rect(0, 0, 0, 0), true},           // two equal points
        {Rect(5, 5, 0, 0), Rect(0, 0, 10, 10), true},         // a point inside
        {Rect(10, 10, 0, 0), Rect(0, 0, 10, 10), true},       // a point on the corner
        {Rect(11, 5, 0, 0), Rect(0, 0, 10, 10), false},       // a point outside
        {Rect(-20, -20, 5, 5), Rect(0, 0, 10, 10), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rectsOverlap(c.a, c.b), c.overlap)
            << "a=(" << c.a.x << ", " << c.a.y << ", " << c.a.w << ", " << c.a.h << ") b=(" << c.b.x
            << ", " << c.b.y << ", " << c.b.w << ", " << c.b.h << ")";
        EXPECT_EQ(rectsOverlap(c.b, c.a), c.overlap) << "not symmetric";
    }
}

TEST(Geometry, rectsOverlap_nanInAnyFieldIsFalse)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (int field = 0; field < 8; field++) {
        // Both rectangles overlap heavily on both axes but for the NaN.
        float v[8] = {0, 0, 10, 10, 2, 2, 4, 4};
        v[field] = nan;
        const Rect a(v[0], v[1], v[2], v[3]);
        const Rect b(v[4], v[5], v[6], v[7]);
        EXPECT_FALSE(rectsOverlap(a, b)) << "NaN in field " << field;
        EXPECT_FALSE(rectsOverlap(b, a)) << "NaN in field " << field;
    }
}

TEST(Geometry, rectsOverlap_negativeSizeGivesNegativeHalfSize)
{
    // (10, 0, -10, 10) has its centre at x = 5 and half width -5: it overlaps
    // only where the distance of the centres is at most the other half minus 5.
    EXPECT_TRUE(rectsOverlap(Rect(10, 0, -10, 10), Rect(0, 0, 10, 10)));
    EXPECT_FALSE(rectsOverlap(Rect(10, 0, -10, 10), Rect(1, 0, 10, 10)));
}

TEST(Geometry, centreFormConversionsAndMove)
{
    const Rect r(10, 20, 4, 6);
    expectRect(r.toCenterForm(), 12, 23, 4, 6);
    expectRect(r, 10, 20, 4, 6);

    Rect c(12, 23, 4, 6);
    const Rect returned = c.fromCenterForm();
    expectRect(c, 10, 20, 4, 6);
    expectRect(returned, 10, 20, 4, 6);

    // A menu button given by its centre.
    Rect button(1280, 720, 693, 173);
    button.fromCenterForm();
    expectRect(button, 933.5f, 633.5f, 693, 173);

    EXPECT_FLOAT_EQ(r.getCenter().x, 12);
    EXPECT_FLOAT_EQ(r.getCenter().y, 23);
    expectRect(r + Kest::tvec2<float>(5, -5), 15, 15, 4, 6);
}

TEST(Geometry, floatVectorArithmetic)
{
    const Kest::tvec2<float> v(3, 4);
    const Kest::tvec2<float> product = v * Kest::tvec2<float>(32, 32);
    EXPECT_FLOAT_EQ(product.x, 96);
    EXPECT_FLOAT_EQ(product.y, 128);
    const Kest::tvec2<float> half = v / 2.0f;
    EXPECT_FLOAT_EQ(half.x, 1.5f);
    EXPECT_FLOAT_EQ(half.y, 2);
    const Kest::tvec2<float> plus = v + 1.0f;
    EXPECT_FLOAT_EQ(plus.x, 4);
    EXPECT_FLOAT_EQ(plus.y, 5);
    const Kest::tvec2<float> minus = v - Kest::tvec2<float>(1, 6);
    EXPECT_FLOAT_EQ(minus.x, 2);
    EXPECT_FLOAT_EQ(minus.y, -2);
}

TEST(Geometry, intVectorOrdersRowFirstSigned)
{
    using Cell = Kest::tvec2<int>;
    struct Case {
        Cell a;
        Cell b;
        bool less;
    } cases[] = {
        {Cell(5, 0), Cell(0, 1), true},
        {Cell(0, 1), Cell(5, 0), false},
        {Cell(3, 2), Cell(4, 2), true},
        {Cell(4, 2), Cell(3, 2), false},
        {Cell(4, 2), Cell(4, 2), false},
        {Cell(0, -1), Cell(0, 0), true},
        {Cell(-3, 0), Cell(-2, 0), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.a < c.b, c.less) << "(" << c.a.x << ", " << c.a.y << ") < (" << c.b.x << ", " << c.b.y << ")";
}
