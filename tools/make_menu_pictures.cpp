// Writes the pictures of the menus: every button in its normal and hovered
// look at exactly the size of its place on the 2560 x 1440 virtual screen,
// the sounds toggle, the star ratings and the map panel. Button labels are
// drawn in the game's own font.
//   make-menu-pictures REPOSITORY_ROOT

#include "art/Canvas.hpp"
#include "art/MenuArt.hpp"

#include <cstdio>
#include <string>

namespace {

struct LabelButton {
    const char* file;  // <file>_butt0.png normal, <file>_butt1.png hovered
    int width, height;
    const char* label;
    MenuArt::Look look;
};

// Sizes are those of the buttons' rectangles in the menu layout.
const LabelButton labelButtons[] = {
    {"select", 693, 173, "Select level", MenuArt::Look::Plain},
    {"tutorial", 480, 173, "Tutorial", MenuArt::Look::Plain},
    {"exit", 340, 173, "Exit", MenuArt::Look::Plain},
    {"main_menu", 625, 173, "Main menu", MenuArt::Look::Plain},
    {"resume", 500, 173, "Resume", MenuArt::Look::Plain},
    {"play", 340, 173, "Play", MenuArt::Look::Plain},
    {"reset", 360, 86, "Reset progress", MenuArt::Look::Danger},
};

struct IconButton {
    const char* file;
    int side;
    MenuArt::Icon icon;
};

const IconButton iconButtons[] = {
    {"back", 100, MenuArt::Icon::Back},
    {"left", 250, MenuArt::Icon::Left},
    {"right", 250, MenuArt::Icon::Right},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-menu-pictures REPOSITORY_ROOT\n");
        return 2;
    }
    startGenerator();
    const std::string root = argv[1];
    const std::string font = root + "/Resources/Fonts/font1.ttf";
    const std::string menu = root + "/Resources/Pictures/menu/";

    for (const LabelButton& b : labelButtons)
        for (int hovered = 0; hovered < 2; ++hovered) {
            Canvas canvas(b.width, b.height);
            MenuArt::labelButton(canvas, font, b.label, hovered == 1, b.look);
            canvas.save(menu + b.file + "_butt" + std::to_string(hovered) + ".png");
        }
    for (const IconButton& b : iconButtons)
        for (int hovered = 0; hovered < 2; ++hovered) {
            Canvas canvas(b.side, b.side);
            MenuArt::iconButton(canvas, b.icon, hovered == 1);
            canvas.save(menu + b.file + "_butt" + std::to_string(hovered) + ".png");
        }
    for (int on = 0; on < 2; ++on) {
        Canvas canvas(100, 100);
        MenuArt::soundsToggle(canvas, on == 1);
        canvas.save(menu + "sounds" + std::to_string(on) + ".png");
    }
    const char* starFiles[] = {"noStar", "oneStar", "twoStars", "threeStars"};
    for (int count = 0; count < 4; ++count) {
        Canvas canvas(420, 80);
        MenuArt::stars(canvas, count);
        canvas.save(menu + starFiles[count] + ".png");
    }
    Canvas panel(1600, 900, 2);
    MenuArt::mapPanel(panel);
    panel.save(menu + "select_map.png");
    return 0;
}
