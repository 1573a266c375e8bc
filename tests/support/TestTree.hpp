#pragma once

#include <allegro5/allegro.h>

#include <string>
#include <vector>

// A small data tree for the game, made by the tests in a folder of their own:
// every picture of the game's resource table in a colour of its own, the
// font, a silent OGG for every song and sound, the ghost trail strip, tile
// pictures, a few small levels and the level list. The game reads it relative
// to its working directory, so a test changes into the folder first.
namespace TestTree {

// The colour of every picture the tree holds, by its path below the folder.
ALLEGRO_COLOR colourOf(const std::string& path);

// A level file of the tree: its path below the folder and its text.
struct Level {
    std::string path;
    std::string name;
    // The three star thresholds in ticks: one, two, three stars.
    int oneStar, twoStars, threeStars;
    std::string text;
};

// The levels of the tree, in list order.
std::vector<Level> levels();

// Writes the whole tree into folder (which exists). sourceDir is the
// repository, whose tests/data/silence.ogg stands in for every sound. Needs
// Allegro with its image add-on started.
void write(const std::string& folder, const std::string& sourceDir);

// The level list file's text for these levels, every one not done.
std::string levelList(const std::vector<Level>& levels);

} // namespace TestTree
