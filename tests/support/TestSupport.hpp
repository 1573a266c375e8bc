#pragma once

#include <gtest/gtest.h>

#include "Rect.hpp"

#include <allegro5/allegro.h>

#include <ostream>
#include <string>

// What the stand-in message box writes for a fatal error with this text, as a
// pattern for death tests: title and heading "ERROR", the error flag, the text
// to the letter.
std::string fatalBoxPattern(const std::string& text);

// The statement ends the process through fatalError with exactly this text
// and exit code -1.
#define EXPECT_FATAL(statement, text) \
    EXPECT_EXIT(statement, ::testing::ExitedWithCode(255), fatalBoxPattern(text))

// Starts Allegro and the add-ons the tests draw, load and play with (once per
// process) and makes new bitmaps memory bitmaps, so that no display is needed.
void startAllegroHeadless();

// A memory bitmap of the given size, made the current target and cleared to
// opaque black. The caller destroys it.
//
// Allegro ignores projection transforms on memory bitmaps: whatever view the
// camera sets, a draw into a memory target lands at its world coordinates as
// pixels. So a memory target shows exactly what our own code computed (the
// culling, the centring, the virtual-screen mapping) in world units.
ALLEGRO_BITMAP* makeMemoryTarget(int width, int height);

// The pixel at (x, y) of the bitmap as bytes.
struct Rgba {
    unsigned char r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};
Rgba pixelAt(ALLEGRO_BITMAP* bitmap, int x, int y);
std::ostream& operator<<(std::ostream& out, const Rgba& c);

// Rects compare exactly, field by field, and print as (x, y, w, h).
bool operator==(const Rect& a, const Rect& b);
void PrintTo(const Rect& r, std::ostream* out);

// A fresh folder under the system's temporary folder, removed by the caller
// (or left for inspection when a test fails).
std::string makeTempDir();
void removeTree(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
