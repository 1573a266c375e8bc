#include "Palette.hpp"

namespace Palette {

ALLEGRO_COLOR color(std::uint32_t rgb, float alpha)
{
    return mix(rgb, rgb, 0.0f, alpha);
}

ALLEGRO_COLOR mix(std::uint32_t a, std::uint32_t b, float t, float alpha)
{
    auto channel = [t](std::uint32_t from, std::uint32_t to, int shift) {
        const float x = float((from >> shift) & 0xFF) / 255.0f;
        const float y = float((to >> shift) & 0xFF) / 255.0f;
        return x + (y - x) * t;
    };
    return al_map_rgba_f(channel(a, b, 16) * alpha, channel(a, b, 8) * alpha, channel(a, b, 0) * alpha, alpha);
}

} // namespace Palette
