#pragma once

#include "Camera.hpp"
#include "Display.hpp"
#include "Resources.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the fuzz targets of the level file, preview and level list readers
// share: a working folder with small pictures the inputs can name, a fatal
// error that is observed instead of ending the process, and a resource store
// per input that is released whole afterwards.
namespace Fuzz {

// What fatalError showed. The message box of a fuzz program throws it, so
// that a fatal error with a clear message ends one input, not the fuzzer.
struct FatalError {
    std::string text;
};

// Starts Allegro with memory bitmaps, makes the working folder (removed at
// exit) and changes into it, and sends standard output to /dev/null (the
// " destroyed" lines of every level teardown). It holds the tests' data tree:
// the pictures, levels and list of tests/support/TestTree, the ghost trail
// sheet, the shipped level files, and a 4 x 4 picture under every other path
// a seed names.
void start();

// The input as a file at path, below the working folder.
void writeInput(const std::string& path, const uint8_t* data, size_t size);

// A finding that no exception covers: prints what is wrong and aborts, so
// that libFuzzer keeps the input as a crash.
[[noreturn]] void fault(const std::string& what);
// A fault unless holds.
inline void check(bool holds, const std::string& what)
{
    if (!holds)
        fault(what);
}

// True when the text begins with prefix.
bool startsWith(const std::string& text, const std::string& prefix);

// A resource facade on a fresh store, with a camera on the whole virtual
// screen and a display that is never created (filling a batch then ends with
// no target at all, which the readers do not mind). The destructor releases
// every Allegro object and record of the store.
class Store {
public:
    Store();
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    Display display;
    Camera camera;
    Resources resources;
};

} // namespace Fuzz
