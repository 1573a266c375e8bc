#pragma once

#include "Rect.hpp"

// Where the menu buttons, the map panel and the preview area lie on the
// 2560 x 1440 virtual screen (top-left form), and which button the mouse is
// over. Filled once at start-up; afterwards only the menu tick writes the flags.
struct MenuLayout {
    MenuLayout();

    Rect selectButton;
    Rect tutorialButton;
    Rect exitButton;
    Rect mainButton;
    Rect resumeButton;
    Rect playButton;
    Rect backButton;
    Rect leftButton;
    Rect rightButton;
    Rect resetButton;
    Rect soundsButton;
    Rect mapPanel;
    Rect previewArea;

    // One per button, in the order of the buttons; set before their first use.
    bool selectHovered;
    bool tutorialHovered;
    bool exitHovered;
    bool mainHovered;
    bool resumeHovered;
    bool playHovered;
    bool backHovered;
    bool leftHovered;
    bool rightHovered;
    bool resetHovered;
    bool soundsHovered;
};
