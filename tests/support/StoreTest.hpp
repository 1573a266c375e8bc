#pragma once

#include "Camera.hpp"
#include "Display.hpp"
#include "Resources.hpp"
#include "TestSupport.hpp"

#include <string>

// A resource facade on a memory-bitmap Allegro without a display, its camera
// on the whole virtual screen, in a fresh temporary folder made the working
// directory. The folder holds the ghost trail sheet that every level load
// asks for. TearDown frees all that the store holds, so the leak checker sees
// only what the code under test loses.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A picture of one colour at path (below the folder, or absolute);
    // returns the path.
    std::string writePicture(const std::string& path, int width, int height, ALLEGRO_COLOR colour);

    std::string dir;
    // Never created: the end of a batch then leaves no target at all.
    Display display;
    Camera camera;
    Resources res;
    // A target the test made; TearDown destroys it.
    ALLEGRO_BITMAP* target = nullptr;

private:
    std::string home;
};
