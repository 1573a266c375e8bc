#include "FuzzSupport.hpp"

#include "AnimationData.hpp"
#include "Bitmap.hpp"
#include "ResourceStore.hpp"
#include "Song.hpp"
#include "TestTree.hpp"

#include <allegro5/allegro_image.h>
#include <allegro5/allegro_native_dialog.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

// Wins over the dialog add-on's box, as the tests' stand-in does.
extern "C" int al_show_native_message_box(ALLEGRO_DISPLAY*, char const*, char const*, char const* text,
                                          char const*, int)
{
    throw Fuzz::FatalError{text};
}

namespace {

std::string workFolder;

// Picture paths that the shipped levels and the seeds name, besides the ones
// of the tests' data tree.
const char* const extraPictures[] = {
    "Resources/Pictures/tiles/floor.png",
    "Resources/Pictures/tiles/wall.png",
    "Resources/Pictures/tiles/door_closed.png",
    "Resources/Pictures/tiles/door_open.png",
    "Resources/Pictures/tiles/switch_up.png",
    "Resources/Pictures/tiles/switch_down.png",
    "Resources/Pictures/tiles/darkness_on_up.png",
    "Resources/Pictures/tiles/darkness_on_down.png",
    "Resources/Pictures/tiles/darkness_off_up.png",
    "Resources/Pictures/tiles/darkness_off_down.png",
    "Resources/Pictures/tiles/deadly.png",
    "Resources/Pictures/tiles/goal.png",
    "Resources/Pictures/objects/player.png",
    "Resources/Pictures/objects/ghost.png",
    "Resources/Pictures/objects/light.png",
    "p.png",
    "q.png",
};

void removeWorkFolder()
{
    if (workFolder.empty())
        return;
    const std::string command = "rm -rf '" + workFolder + "'";
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "could not remove %s\n", workFolder.c_str());
}

} // namespace

void Fuzz::start()
{
    if (!al_init() || !al_init_image_addon())
        std::abort();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);

    // In memory where there is a tmpfs: the level list reader rewrites and
    // syncs its file on every input.
    const char* temporary = std::getenv("TMPDIR");
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : temporary != nullptr ? temporary : "/tmp";
    workFolder = std::string(base) + "/orvelle-fuzz-" + std::to_string(getpid());
    if (mkdir(workFolder.c_str(), 0755) != 0)
        fault("could not make " + workFolder);
    std::atexit(removeWorkFolder);
    TestTree::write(workFolder, ORVELLE_SOURCE_DIR);
    for (const char* path : extraPictures)
        TestTree::savePicture(workFolder + "/" + path, 4, 4, al_map_rgb(200, 100, 50));
    // The shipped levels beside the tree's, for the lists that name them.
    const std::string shipped = std::string(ORVELLE_SOURCE_DIR) + "/Resources/Levels";
    if (DIR* levels = opendir(shipped.c_str())) {
        while (const dirent* entry = readdir(levels)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0 && name != "LevelList.txt")
                std::ofstream(workFolder + "/Resources/Levels/" + name, std::ios::binary)
                    << std::ifstream(shipped + "/" + name, std::ios::binary).rdbuf();
        }
        closedir(levels);
    }
    // A file that is no picture, for the failing load.
    std::ofstream(workFolder + "/broken.png") << "not a picture\n";
    // A small level that lists can name beside the tree's.
    std::ofstream(workFolder + "/a.txt") << "[Info]\nTILE_SIZE 8 8\n[Types]\n"
                                            "# 1 0 1 0 p.png q.png\n. 0 0 0 0 p.png\n"
                                            "[Map]\n#1.0\n.0#1\n";
    if (chdir(workFolder.c_str()) != 0)
        fault("could not enter " + workFolder);
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        fault("could not silence standard output");
}

void Fuzz::writeInput(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file)
        fault("could not write the input to " + path);
}

void Fuzz::fault(const std::string& what)
{
    std::fprintf(stderr, "\nFUZZ FAULT: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

bool Fuzz::startsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

Fuzz::Store::Store()
{
    camera.init(nullptr);
    resources.init(&display, &camera, 0);
}

Fuzz::Store::~Store()
{
    ResourceStore* store = resources.store;
    resources.destroyAll();
    for (auto& entry : store->bitmaps)
        delete entry.second;
    for (auto& entry : store->batches)
        delete entry.second;
    for (auto& entry : store->animationData)
        delete entry.second;
    for (auto& entry : store->songs)
        delete entry.second;
    delete store;
}
