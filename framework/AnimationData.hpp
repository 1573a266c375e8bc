#pragma once

#include "tvec2.hpp"

#include <vector>

namespace Kest {

struct Bitmap;

// A sprite sheet cut into rows and columns of frames of one size.
struct AnimationData {
    // The store's picture under the same key; not owned.
    Bitmap* sheet = nullptr;
    // frames[row][column]: the top-left corner of that frame in the sheet, in
    // pixels. Every row has the same number of columns.
    std::vector<std::vector<tvec2<float>>> frames;
    tvec2<float> frameSize;
};

} // namespace Kest
