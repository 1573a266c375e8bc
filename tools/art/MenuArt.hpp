#pragma once

// The pictures of the menus: buttons, the sounds toggle, the star ratings,
// the map panel, and the night backdrop that every full-screen picture
// starts from. Each draws onto a whole canvas of the picture's size.

#include <string>

class Canvas;

namespace MenuArt {

enum class Look {
    Plain,   // a way on: teal when hovered
    Danger,  // a change that loses something: coral when hovered
};

// A labelled button filling the canvas; hovered buttons are lit.
void labelButton(Canvas& canvas, const std::string& fontPath, const std::string& label, bool hovered,
                 Look look = Look::Plain);

enum class Icon { Back, Left, Right };
// A button with an icon instead of a label: Back a small rounded square,
// Left and Right large round buttons.
void iconButton(Canvas& canvas, Icon icon, bool hovered);

// The sounds toggle: a speaker with sound waves when on, crossed out when off.
void soundsToggle(Canvas& canvas, bool on);

// Three star places, the first `count` of them filled.
void stars(Canvas& canvas, int count);

// The panel behind the level preview on the map selection. The preview
// covers (75, 75, 1450, 750) of it; the game writes the best time over its
// top edge and lays the stars over its bottom edge, so both edges are plain.
void mapPanel(Canvas& canvas);

// The night backdrop of the full-screen pictures: deep blue-violet, lighter
// towards the middle, with the faint grid of a tiled floor.
void backdrop(Canvas& canvas);

} // namespace MenuArt
