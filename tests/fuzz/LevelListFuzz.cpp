// The level list reader on arbitrary list files: LevelList::load either reads
// every line after the header into an entry with a preview of its own, or
// ends with a fatal error that names the list line or the level file at
// fault. A list that was read is written back by a win and read again with
// the same entries: nothing the reader accepts is lost or changed on the way.
#include "Bitmap.hpp"
#include "FuzzSupport.hpp"
#include "LevelList.hpp"
#include "MlMap.hpp"
#include "ResourceStore.hpp"
#include "TileMap.hpp"

#include <set>

namespace {

const std::string listPath = "list.txt";

// The list's own message, and those of the preview of a level it names.
bool isReaderMessage(const std::string& text)
{
    return Fuzz::startsWith(text, "Level list " + listPath + " - line ") ||
           (Fuzz::startsWith(text, "File path> ") && text.find(" <not found") != std::string::npos) ||
           Fuzz::startsWith(text, "Mark \"") ||
           (Fuzz::startsWith(text, "Bitmap path> ") && text.find(" <not found or initialize fail") != std::string::npos) ||
           Fuzz::startsWith(text, "Multiple text file key ");
}

using Fuzz::check;

// The list's entries and preview surface; the list itself lives on.
void release(LevelList& list)
{
    for (ML::Map* map : list.maps)
        delete map;
    list.maps.clear();
    delete list.current;
    list.current = nullptr;
}

// Reads the list at listPath into list; false after a fatal error, which must
// be one of the reader's.
bool read(LevelList& list, Fuzz::Store& store)
{
    try {
        list.load(&store.resources, &store.camera, listPath);
    } catch (const Fuzz::FatalError& error) {
        if (!isReaderMessage(error.text))
            Fuzz::fault("unexpected fatal error: " + error.text);
        return false;
    }
    return true;
}

void checkPreviews(LevelList& list, Resources& resources)
{
    std::set<std::string> keys;
    for (int n = 1; n <= list.getCount(); n++) {
        const std::string key = list.getPreviewKey(n);
        check(keys.insert(key).second, "two levels share the preview " + key);
        check(resources.store->batches.count(key) == 1, "level " + std::to_string(n) + " has no preview");
    }
    check(resources.store->bitmaps.empty(), "a preview's picture outlives it");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::writeInput(listPath, data, size);
    std::vector<ML::Map> expected;
    {
        Fuzz::Store store;
        LevelList list;
        const bool wasRead = read(list, store);
        if (wasRead) {
            checkPreviews(list, store.resources);
            // A win of the first level in its own best time: only its done
            // flag changes, and the whole list is written.
            if (list.getCount() > 0)
                list.completeLevel(1, static_cast<float>(list.maps[0]->bestTime));
            for (const ML::Map* map : list.maps)
                expected.push_back(*map);
            if (list.getCount() > 0)
                check(expected[0].done, "the win did not mark level 1 done");
        }
        release(list);
        if (!wasRead || expected.empty())
            return 0;
    }

    Fuzz::Store store;
    LevelList again;
    if (!read(again, store))
        Fuzz::fault("the list as written back can't be read");
    check(again.maps.size() == expected.size(), "the list written back has another number of levels");
    for (size_t i = 0; i < expected.size(); i++) {
        const ML::Map& a = expected[i];
        const ML::Map& b = *again.maps[i];
        check(a.path == b.path && a.name == b.name && a.oneStarTime == b.oneStarTime &&
                  a.twoStarsTime == b.twoStarsTime && a.threeStarsTime == b.threeStarsTime && a.done == b.done &&
                  a.bestTime == b.bestTime,
              "level " + std::to_string(i + 1) + " reads back differently: " + a.path + " " + a.name);
    }
    release(again);
    return 0;
}
