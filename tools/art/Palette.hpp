#pragma once

// The one palette of every picture of the game: a night of blue-violet
// stones lit by a few warm and cool accents. Every generator takes its
// colours from here, so menus, tiles and figures belong together.

#include <allegro5/allegro.h>

#include <cstdint>

namespace Palette {

// Darks, from the deepest background up to the stone of the walls.
constexpr std::uint32_t ink = 0x0E1120;
constexpr std::uint32_t night = 0x171B30;
constexpr std::uint32_t deep = 0x1F2440;
constexpr std::uint32_t dusk = 0x2A3154;
constexpr std::uint32_t slate = 0x3B4470;
constexpr std::uint32_t stone = 0x56618F;
// Lights: the stone's top faces, quiet lines, and text.
constexpr std::uint32_t haze = 0x7E89B5;
constexpr std::uint32_t mist = 0xB3BBDA;
constexpr std::uint32_t bone = 0xF1ECDD;
// Accents, each with a darker partner: the player and hovered buttons;
// switches, doors and stars; danger; the ghost; the goal.
constexpr std::uint32_t teal = 0x35D0BA;
constexpr std::uint32_t tealDark = 0x1E8C80;
constexpr std::uint32_t amber = 0xFFB546;
constexpr std::uint32_t amberDark = 0xC7791F;
constexpr std::uint32_t coral = 0xFF5D5D;
constexpr std::uint32_t coralDark = 0xA8344A;
constexpr std::uint32_t lilac = 0xBDA6FF;
constexpr std::uint32_t lilacDark = 0x7A62C9;
constexpr std::uint32_t moss = 0x7EE08A;
constexpr std::uint32_t mossDark = 0x3E9E5A;

// The colour for Allegro's blender, which expects premultiplied alpha:
// alpha 1 is opaque, 0 invisible.
ALLEGRO_COLOR color(std::uint32_t rgb, float alpha = 1.0f);
// Between two colours: t 0 gives a, t 1 gives b.
ALLEGRO_COLOR mix(std::uint32_t a, std::uint32_t b, float t, float alpha = 1.0f);

} // namespace Palette
