#pragma once

#include <allegro5/allegro.h>

#include <string>

// A small data tree for the game, made by the tests in a folder of their own:
// every picture of the game's resource table in a colour of its own, the
// font, a silent OGG for every song and sound, the ghost trail strip, tile
// pictures, six small levels (walk, door, deadly, limit, forever, dark; see
// TestTree.cpp) and the level list naming them in that order, none done. The
// game reads it relative to its working directory, so a test changes into the
// folder first.
namespace TestTree {

// Writes the whole tree into folder (which exists). sourceDir is the
// repository, whose tests/data/silence.ogg stands in for every sound. Needs
// Allegro with its image add-on started.
void write(const std::string& folder, const std::string& sourceDir);

// A picture of one colour saved at path, its folders made as needed; the
// program ends when it can't be written. Needs Allegro with its image add-on.
void savePicture(const std::string& path, int width, int height, ALLEGRO_COLOR colour);

} // namespace TestTree
