#include "MenuLayout.hpp"

// The rectangles start at (0, 0, 0, 0) and the start-up sets them; the flags
// are cleared here as well, so nothing ever reads an unset flag.
MenuLayout::MenuLayout()
    : selectHovered(false), tutorialHovered(false), exitHovered(false), mainHovered(false),
      resumeHovered(false), playHovered(false), backHovered(false), leftHovered(false),
      rightHovered(false), resetHovered(false), soundsHovered(false)
{
}
