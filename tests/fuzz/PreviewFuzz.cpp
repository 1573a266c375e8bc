// The preview reader on arbitrary level files: TileMap::makePicture either
// returns the key of a 400 x 400 batch and leaves none of the pictures it
// loaded behind, or ends with one of its fatal errors.
#include "Bitmap.hpp"
#include "FuzzSupport.hpp"
#include "ResourceStore.hpp"
#include "TileMap.hpp"

namespace {

const std::string levelPath = "L.txt";

bool isReaderMessage(const std::string& text)
{
    return Fuzz::startsWith(text, "Mark \"") ||
           Fuzz::startsWith(text, "Level " + levelPath + " - missing word on line ") ||
           (Fuzz::startsWith(text, "Bitmap path> ") && text.find(" <not found or initialize fail") != std::string::npos);
}

using Fuzz::check;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::writeInput(levelPath, data, size);
    Fuzz::Store store;
    // The level list's preview surface: an empty map that is never loaded.
    TileMap surface;
    std::string key;
    try {
        key = surface.makePicture(&store.resources, levelPath, "7");
    } catch (const Fuzz::FatalError& error) {
        if (!isReaderMessage(error.text))
            Fuzz::fault("unexpected fatal error: " + error.text);
        return 0;
    }
    ResourceStore& kept = *store.resources.store;
    check(key == levelPath + "7", "the preview's key is not the path and the suffix: " + key);
    check(kept.batches.size() == 1 && kept.batches.count(key) == 1, "the preview is not the store's one batch");
    check(kept.batches[key]->width == 400 && kept.batches[key]->height == 400, "the preview is not 400 x 400");
    check(kept.bitmaps.empty(), "a picture outlives the preview: " +
                                    (kept.bitmaps.empty() ? std::string() : kept.bitmaps.begin()->first));
    check(kept.textFiles.empty(), "the level's text stays in the store");
    return 0;
}
