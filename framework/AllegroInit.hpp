#pragma once

// Starts the Allegro system and every add-on the game uses, in a fixed order.
// Every failed step is printed; one or more failures end the program with the
// box "Core not initialized.". Returns only when everything started.
void initAllegro();
