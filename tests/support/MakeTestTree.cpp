// Writes the tests' small data tree into a folder, for the end-to-end tests
// that run the real program on it.
//   make-test-tree FOLDER SOURCE_DIR
#include "TestTree.hpp"

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-test-tree FOLDER SOURCE_DIR\n");
        return 2;
    }
    if (!al_init() || !al_init_image_addon())
        return 1;
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    TestTree::write(argv[1], argv[2]);
    return 0;
}
