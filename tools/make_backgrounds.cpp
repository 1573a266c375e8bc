// Writes the full-screen pictures, 2560 x 1440 like the virtual screen they
// cover: the loading picture, the main menu with the game's title, the
// backdrop of the map selection and pause menus, and the tutorial that
// teaches the keys and the tiles. Each keeps clear the places where the game
// draws over it: buttons, the level's name and time, the preview, the stars,
// the reset button in the top-right corner and the sounds button at
// (2435..2535, 1315..1415).
//   make-backgrounds REPOSITORY_ROOT

#include "art/Canvas.hpp"
#include "art/MenuArt.hpp"
#include "art/Palette.hpp"
#include "art/WorldArt.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Palette::color;
using Palette::mix;

constexpr int screenWidth = 2560;
constexpr int screenHeight = 1440;
// Full-screen pictures are drawn at twice their size before shrinking.
constexpr int supersample = 2;

std::string font;

float smoothstep(float edge0, float edge1, float x)
{
    const float t = std::fmin(1.0f, std::fmax(0.0f, (x - edge0) / (edge1 - edge0)));
    return t * t * (3.0f - 2.0f * t);
}

// Text with a soft dark shadow below and to the right of it.
void shadowedText(Canvas& canvas, float size, ALLEGRO_COLOR c, float x, float y, int align, const std::string& text)
{
    const float d = std::fmax(2.0f, size * 0.05f);
    canvas.text(font, size, color(Palette::ink, 0.7f), x + d, y + d, align, text);
    canvas.text(font, size, c, x, y, align, text);
}

// The game's title, its ink centred on (cx, cy), over a faint ghostly glow.
void title(Canvas& canvas, float cx, float cy, float size)
{
    canvas.target();
    const Canvas::Box box = canvas.textBox(font, size, "Orvelle");
    for (int i = 0; i < 24; ++i) {
        const float t = float(i) / 24.0f;
        al_draw_filled_ellipse(cx, cy, box.w * (0.35f + 0.45f * t), box.h * (0.5f + 0.7f * t),
                               color(Palette::lilac, 0.012f));
    }
    const float d = size * 0.035f;
    canvas.centredText(font, size, color(Palette::ink, 0.8f), cx + d, cy + d, "Orvelle");
    canvas.centredText(font, size, color(Palette::lilacDark), cx + d * 0.4f, cy + d * 0.4f, "Orvelle");
    canvas.centredText(font, size, color(Palette::bone), cx, cy, "Orvelle");
}

// A little room of tiles, one letter a cell: W wall, . floor, o open door,
// d closed door, s pressed switch, m darkness switch, x deadly, g goal. It
// fades into the backdrop at its edges, and with lit set only a patch of
// light around (lightX, lightY) shows, as in a dark level.
struct Room {
    std::vector<std::string> rows;
    float tile;
    bool lit;
    float lightX, lightY, lightRadius;
};

void room(Canvas& canvas, const Room& r, float x, float y, const std::function<void()>& figures)
{
    const float w = float(r.rows[0].size()) * r.tile, h = float(r.rows.size()) * r.tile;
    Canvas layer(int(w), int(h), supersample);
    layer.target();
    for (size_t row = 0; row < r.rows.size(); ++row)
        for (size_t col = 0; col < r.rows[row].size(); ++col) {
            const float tx = float(col) * r.tile, ty = float(row) * r.tile, s = r.tile;
            switch (r.rows[row][col]) {
            case 'W': WorldArt::wall(tx, ty, s); break;
            case 'o': WorldArt::doorOpen(tx, ty, s); break;
            case 'd': WorldArt::doorClosed(tx, ty, s); break;
            case 's': WorldArt::doorSwitch(tx, ty, s, true); break;
            case 'm': WorldArt::lightSwitch(tx, ty, s, true, true); break;
            case 'x': WorldArt::deadly(tx, ty, s); break;
            case 'g': WorldArt::goal(tx, ty, s); break;
            default: WorldArt::floor(tx, ty, s); break;
            }
        }
    figures();
    const float fade = r.tile * 0.9f;
    layer.shade([&](float px, float py, ALLEGRO_COLOR now) {
        const float edge = std::fmin(std::fmin(px, w - px), std::fmin(py, h - py));
        float keep = 0.85f * smoothstep(0.0f, fade, edge);
        float light = 1.0f;
        if (r.lit) {
            // The darkness is a round pool that thins out into the backdrop.
            const float d = std::hypot(px - r.lightX, py - r.lightY) / r.lightRadius;
            light = 0.04f + 0.96f * (1.0f - smoothstep(0.3f, 1.0f, d));
            keep = 0.9f * (1.0f - smoothstep(0.8f, 1.0f, std::hypot(px - w / 2.0f, py - h / 2.0f) / (w / 2.0f)));
        }
        return al_map_rgba_f(now.r * keep * light, now.g * keep * light, now.b * keep * light, now.a * keep);
    });
    canvas.paste(layer, x, y);
}

void loading(const std::string& path)
{
    Canvas canvas(screenWidth, screenHeight, supersample);
    MenuArt::backdrop(canvas);
    title(canvas, 1280, 560, 330);
    canvas.target();
    WorldArt::player(1110, 760, 150);
    WorldArt::ghost(1300, 760, 150, 0.55f);
    canvas.centredText(font, 64, color(Palette::mist), 1280, 1070, "Loading...");
    canvas.save(path);
}

void mainMenu(const std::string& path)
{
    Canvas canvas(screenWidth, screenHeight, supersample);
    MenuArt::backdrop(canvas);
    title(canvas, 1280, 300, 300);
    canvas.target();
    canvas.centredText(font, 54, color(Palette::mist), 1280, 520, "Walk it once. Then walk it with your ghost.");

    // Left: the ghost holds the switch while the player walks through the
    // door it opens, on to the goal.
    const float t = 96.0f;
    room(canvas, {{"WWWWW", "W.s.W", "W...W", "WWoWW", "W...W", "W..gW"}, t, false, 0, 0, 0}, 150, 620, [t]() {
        WorldArt::ghost(2.0f * t + 8, 1.0f * t + 4, t - 16, 0.6f);
        WorldArt::player(2.0f * t + 12, 3.55f * t, t - 24);
    });
    // Right: a dark level, seen only in the light around the player.
    room(canvas, {{"WWWWW", "W.x.W", "W...W", "Wm.dW", "WWWWW"}, t, true, 2.5f * t, 2.5f * t, 1.9f * t}, 1930, 660,
         [t]() { WorldArt::player(2.0f * t + 12, 2.0f * t + 12, t - 24); });
    canvas.save(path);
}

void menuBackdrop(const std::string& path)
{
    Canvas canvas(screenWidth, screenHeight, supersample);
    MenuArt::backdrop(canvas);
    canvas.target();
    // A few faint ghosts drifting at the sides, clear of the side buttons.
    WorldArt::ghost(90, 1000, 230, 0.07f);
    WorldArt::ghost(300, 1180, 120, 0.05f);
    WorldArt::ghost(2200, 980, 190, 0.06f);
    WorldArt::ghost(150, 260, 150, 0.05f);
    canvas.save(path);
}

// A key of the keyboard seen from the front, with a label or an arrow.
void keycap(Canvas& canvas, float x, float y, float w, float h, const std::string& label, int arrow = -1)
{
    canvas.target();
    al_draw_filled_rounded_rectangle(x, y + 10, x + w, y + h + 10, 18, 18, color(Palette::ink, 0.6f));
    al_draw_filled_rounded_rectangle(x, y, x + w, y + h, 18, 18, color(Palette::haze));
    al_draw_filled_rounded_rectangle(x + 6, y + 6, x + w - 6, y + h - 6, 13, 13, mix(Palette::slate, Palette::dusk, 0.4f));
    al_draw_filled_rounded_rectangle(x + 14, y + 10, x + w - 14, y + h - 24, 10, 10,
                                     mix(Palette::slate, Palette::stone, 0.35f));
    const float cx = x + w / 2.0f, cy = y + h / 2.0f - 7.0f;
    if (arrow >= 0) {
        // 0 up, 1 down, 2 left, 3 right
        const float s = h * 0.2f;
        const float dx[] = {0, 0, -1, 1}, dy[] = {-1, 1, 0, 0};
        const float px = -dy[arrow], py = dx[arrow];
        al_draw_filled_triangle(cx + dx[arrow] * s, cy + dy[arrow] * s, cx - dx[arrow] * s + px * s,
                                cy - dy[arrow] * s + py * s, cx - dx[arrow] * s - px * s, cy - dy[arrow] * s - py * s,
                                color(Palette::bone));
    } else {
        canvas.centredText(font, 46, color(Palette::bone), cx, cy, label);
    }
}

// A heading and a note of the tutorial, left-aligned at x with the top of the
// heading at y.
void explanation(Canvas& canvas, float x, float y, const std::string& heading, const std::vector<std::string>& note)
{
    shadowedText(canvas, 56, color(Palette::bone), x, y, ALLEGRO_ALIGN_LEFT, heading);
    float line = y + 76;
    for (const std::string& text : note) {
        canvas.text(font, 42, color(Palette::mist), x, line, ALLEGRO_ALIGN_LEFT, text);
        line += 54;
    }
}

void tutorial(const std::string& path)
{
    Canvas canvas(screenWidth, screenHeight, supersample);
    MenuArt::backdrop(canvas);
    canvas.target();
    shadowedText(canvas, 100, color(Palette::bone), 1280, 40, ALLEGRO_ALIGN_CENTRE, "How to play");

    // Keys, on the left.
    const float keysX = 150, textX = 620;
    shadowedText(canvas, 64, color(Palette::teal), keysX, 215, ALLEGRO_ALIGN_LEFT, "Keys");
    keycap(canvas, keysX + 132, 320, 120, 112, "", 0);
    keycap(canvas, keysX, 444, 120, 112, "", 2);
    keycap(canvas, keysX + 132, 444, 120, 112, "", 1);
    keycap(canvas, keysX + 264, 444, 120, 112, "", 3);
    explanation(canvas, textX, 370, "Move", {"Hold an arrow key to walk."});
    keycap(canvas, keysX, 630, 300, 112, "Enter");
    explanation(canvas, textX, 610, "Ghost run", {"Start again, and your ghost", "replays your last run."});
    keycap(canvas, keysX, 830, 380, 112, "Backspace");
    explanation(canvas, textX, 810, "Restart", {"Start the level afresh,", "without the ghost."});
    keycap(canvas, keysX, 1030, 170, 112, "Esc");
    explanation(canvas, textX, 1010, "Pause", {"Stop for a moment, or leave."});
    {
        Canvas stars(300, 57, supersample);
        MenuArt::stars(stars, 3);
        canvas.paste(stars, keysX, 1225);
    }
    canvas.target();
    canvas.text(font, 42, color(Palette::mist), keysX + 330, 1228, ALLEGRO_ALIGN_LEFT, "Be quick: up to three stars.");

    // Tiles, on the right: two columns of pictures with a word each.
    const float tilesX = 1300, columnWidth = 590, side = 112, rowStep = 170;
    canvas.target();
    shadowedText(canvas, 64, color(Palette::teal), tilesX, 215, ALLEGRO_ALIGN_LEFT, "Tiles");
    using Draw = std::function<void(float, float, float)>;
    struct Entry {
        std::vector<Draw> pictures;
        std::string heading;
        std::vector<std::string> note;
    };
    using namespace WorldArt;
    const Entry entries[] = {
        {{[](float x, float y, float s) { WorldArt::floor(x, y, s); }}, "Floor", {"walk on it"}},
        {{wall}, "Wall", {"blocks the way"}},
        {{doorClosed, doorOpen}, "Door", {"shut, open"}},
        {{[](float x, float y, float s) { doorSwitch(x, y, s, false); },
          [](float x, float y, float s) { doorSwitch(x, y, s, true); }},
         "Switch",
         {"opens its doors", "while pressed"}},
        {{[](float x, float y, float s) { lightSwitch(x, y, s, true, false); },
          [](float x, float y, float s) { lightSwitch(x, y, s, true, true); }},
         "Darkness",
         {"lights out"}},
        {{[](float x, float y, float s) { lightSwitch(x, y, s, false, false); },
          [](float x, float y, float s) { lightSwitch(x, y, s, false, true); }},
         "Light",
         {"lights on"}},
        {{deadly}, "Deadly", {"start again"}},
        {{goal}, "Goal", {"reach it to win"}},
        {{player}, "You", {}},
        {{[](float x, float y, float s) { ghost(x, y, s, 0.7f); }}, "Your ghost", {"replays your run"}},
    };
    const float slot = 2 * side + 12;
    for (int i = 0; i < 10; ++i) {
        const Entry& e = entries[i];
        const float x = tilesX + float(i % 2) * columnWidth, y = 320 + float(i / 2) * rowStep;
        // One picture stands in the middle of the place of two.
        float px = x + (slot - (float(e.pictures.size()) * (side + 12) - 12)) / 2.0f;
        canvas.target();
        for (const Draw& draw : e.pictures) {
            al_draw_filled_rounded_rectangle(px - 4, y - 4, px + side + 4, y + side + 4, 8, 8, color(Palette::ink, 0.7f));
            draw(px, y, side);
            px += side + 12;
        }
        const float tx = x + slot + 22;
        shadowedText(canvas, 48, color(Palette::bone), tx, y + (e.note.empty() ? 30 : 4), ALLEGRO_ALIGN_LEFT, e.heading);
        float line = y + 64;
        for (const std::string& text : e.note) {
            canvas.text(font, 38, color(Palette::mist), tx, line, ALLEGRO_ALIGN_LEFT, text);
            line += 46;
        }
    }
    canvas.text(font, 42, color(Palette::lilac), tilesX, 1195, ALLEGRO_ALIGN_LEFT,
                "Your ghost presses switches as you did:");
    canvas.text(font, 42, color(Palette::lilac), tilesX, 1249, ALLEGRO_ALIGN_LEFT, "let it hold a door open for you.");
    canvas.save(path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-backgrounds REPOSITORY_ROOT\n");
        return 2;
    }
    startGenerator();
    const std::string root = argv[1];
    font = root + "/Resources/Fonts/font1.ttf";
    const std::string menu = root + "/Resources/Pictures/menu/";
    loading(menu + "loading.jpg");
    mainMenu(menu + "main_menu.jpg");
    menuBackdrop(menu + "menu.jpg");
    tutorial(menu + "tutorial.jpg");
    return 0;
}
