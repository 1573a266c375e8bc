#pragma once

#include <string>
#include <vector>

// The data tree the benchmarks measure on: the game's shipped content
// (pictures, font, sounds, ghost strip and level files, linked from the
// repository, not copied) in a fresh folder, with a level list of the
// benchmark's choosing and any levels it makes itself. The game reads and
// rewrites its list there, never in the repository.
//
// The content comes from the repository the benchmarks were built from, or
// from the folder named by ORVELLE_DATA_ROOT (which holds a Resources/).
namespace BenchTree {

// A level of the list: its path below the tree and its text (empty for a
// shipped level, which is linked).
struct Level {
    std::string path;
    std::string text;
};

// The shipped levels in the order of the shipped list; empty when the
// repository ships no list yet.
std::vector<Level> shipped();

// Of these levels, the one whose map covers the most world units (read from
// its TILE_SIZE and [Map]), and the first dark one (LIGHT_ONSTART 1); -1 when
// there is none.
int largest(const std::vector<Level>& levels);
int firstDark(const std::vector<Level>& levels);

// A side x side level of the shipped pictures with tiles of tileSize units:
// walls round the border, floor inside, two door groups each shutting a wall
// across the first quarter of the map, and the goal in the far corner.
Level generated(const std::string& path, int side, int tileSize);

// A corridor of columns x rows cells of tileSize units with the view
// following the player: walls round it, floor inside, the player starting
// near the left end of the middle row and the goal at its right end.
Level corridor(const std::string& path, int columns, int rows, int tileSize);

// The same level made dark: darkness on at the start, the shipped light
// picture, a light of 3 tile sizes.
Level darkened(const Level& level, const std::string& path);

// Makes the tree in a fresh temporary folder and returns its path: the
// content linked, the made levels written, and a list of these levels in
// this order (a level may come more than once). The caller removes it
// (removeTree).
std::string make(const std::vector<Level>& list);

// The folder whose Resources/ the content comes from.
std::string dataRoot();

} // namespace BenchTree
