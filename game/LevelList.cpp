#include "LevelList.hpp"

#include "Camera.hpp"
#include "Errors.hpp"
#include "FrameTimer.hpp"
#include "MlMap.hpp"
#include "Resources.hpp"
#include "TileMap.hpp"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include <unistd.h>

namespace {

const char* const header =
    "PATH__NAME__1STAR_TIME__2STARS_TIME__3STARS_TIME__DONE__TIME (FRAMES) <ignored line>";

// A number column: an optional sign and at least one digit; whatever follows
// the digits in the same word is ignored ("12abc" reads as 12). False when
// the word has no leading number or it lies outside the int range.
bool readNumber(const std::string& word, int& value)
{
    const char* start = word.c_str();
    const char* digits = start;
    if (*digits == '+' || *digits == '-')
        digits++;
    if (*digits < '0' || *digits > '9')
        return false;
    errno = 0;
    const long number = std::strtol(start, nullptr, 10);
    if (errno == ERANGE || number < INT_MIN || number > INT_MAX)
        return false;
    value = static_cast<int>(number);
    return true;
}

// The suffix of level n's preview key. Preview batches share the store's
// batches with the door groups of the levels, which are keyed by a level's
// path, its one-character suffix and 0 or 1. A path is one word of the list
// file and holds no blank, so a key that goes on from the path with a blank
// and a word can never be a group's key (its third character would have to
// be 0 or 1), nor another level's preview key.
std::string previewSuffix(int n)
{
    return " preview " + std::to_string(n);
}

} // namespace

LevelList::LevelList() {}

LevelList::~LevelList() {}

void LevelList::load(Resources* resources, Camera* camera, std::string path)
{
    this->resources = resources;
    this->camera = camera;
    listPath = path;
    resources->loadTextFile(path, path);
    const std::vector<std::string> lines = resources->getTextFile(path);

    // Only a surface for the previews; it is never loaded with a level.
    current = new TileMap();

    // Line 0 is the header, whatever it holds.
    for (size_t i = 1; i < lines.size(); i++) {
        std::istringstream words(lines[i]);
        std::string column[7];
        int numbers[5] = {0, 0, 0, 0, 0};
        bool wellFormed = true;
        for (int c = 0; c < 7; c++) {
            if (!(words >> column[c]))
                wellFormed = false;
        }
        for (int c = 0; c < 5 && wellFormed; c++)
            wellFormed = readNumber(column[c + 2], numbers[c]);
        // A hand-edited list is never half read: a line that is not a level
        // stops the game with its place in the file.
        if (!wellFormed)
            fatalError("Level list " + path + " - line " + std::to_string(i + 1) +
                       " is not PATH NAME 1STAR_TIME 2STARS_TIME 3STARS_TIME DONE TIME: \"" + lines[i] + "\"");

        // The preview first: a level file it can't read ends the program
        // before the entry exists.
        const std::string previewKey = current->makePicture(resources, column[0], previewSuffix(static_cast<int>(i)));
        ML::Map* map = new ML::Map();
        map->path = column[0];
        map->name = column[1];
        map->oneStarTime = numbers[0];
        map->twoStarsTime = numbers[1];
        map->threeStarsTime = numbers[2];
        map->done = numbers[3] != 0;
        map->bestTime = numbers[4];
        map->previewKey = previewKey;
        maps.push_back(map);
    }
}

int LevelList::getCount()
{
    return static_cast<int>(maps.size());
}

bool LevelList::isDone(int n)
{
    return maps[n - 1]->done;
}

std::string LevelList::getName(int n)
{
    return maps[n - 1]->name;
}

std::string LevelList::getPreviewKey(int n)
{
    return maps[n - 1]->previewKey;
}

int LevelList::getStars(int n)
{
    const ML::Map* map = maps[n - 1];
    if (map->bestTime < map->threeStarsTime)
        return 3;
    if (map->bestTime < map->twoStarsTime)
        return 2;
    if (map->bestTime < map->oneStarTime)
        return 1;
    return 0;
}

std::string LevelList::getBestTimeText(int n)
{
    return FrameTimer::formatSeconds(maps[n - 1]->bestTime);
}

TileMap* LevelList::startLevel(int levelNumber, Kest::tvec2<float> offset)
{
    if (loaded)
        current->destroy();
    else
        delete current;  // the preview surface, never loaded
    current = nullptr;

    currentIndex = levelNumber - 1;
    if (currentIndex < 0 || currentIndex >= getCount())
        fatalError("Map " + std::to_string(levelNumber) + " not exist");

    // The loader computes the level's camera bounds from this size.
    camera->resetSize();
    current = new TileMap();
    current->load(resources, camera, maps[currentIndex]->path, offset);
    loaded = true;
    return current;
}

void LevelList::completeLevel(int n, float frames)
{
    complete(maps[n - 1], frames);
}

void LevelList::completeCurrentLevel(float frames)
{
    complete(maps[currentIndex], frames);
}

void LevelList::complete(ML::Map* map, float frames)
{
    map->done = true;
    // A slower or equal win keeps the old time; a first win always counts.
    if (static_cast<float>(map->bestTime) > frames || map->bestTime == 0)
        map->bestTime = static_cast<int>(frames);
    writeFile(false);
}

void LevelList::resetProgress()
{
    writeFile(true);
    for (ML::Map* map : maps) {
        map->bestTime = 0;
        map->done = false;
    }
}

void LevelList::writeFile(bool withoutProgress)
{
    std::string text = std::string(header) + "\n";
    for (const ML::Map* map : maps) {
        const bool done = withoutProgress ? false : map->done;
        const int bestTime = withoutProgress ? 0 : map->bestTime;
        text += map->path + " " + map->name + " " + std::to_string(map->oneStarTime) + " " +
                std::to_string(map->twoStarsTime) + " " + std::to_string(map->threeStarsTime) + " " +
                (done ? "1" : "0") + " " + std::to_string(bestTime) + "\n";
    }

    // The list holds the player's progress: it is written whole to a new file
    // beside it and only then put in its place, so a kill or a full disk
    // during the write never leaves a truncated list behind.
    const std::string newPath = listPath + ".new";
    FILE* file = std::fopen(newPath.c_str(), "wb");
    if (file == nullptr) {
        printError("Level list " + listPath + " not saved: " + std::strerror(errno));
        return;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fflush(file) == 0 && written;
    written = fsync(fileno(file)) == 0 && written;
    const int writeError = errno;
    written = std::fclose(file) == 0 && written;
    if (!written) {
        std::remove(newPath.c_str());
        printError("Level list " + listPath + " not saved: " + std::strerror(writeError));
        return;
    }
    if (std::rename(newPath.c_str(), listPath.c_str()) != 0) {
        const int renameError = errno;
        std::remove(newPath.c_str());
        printError("Level list " + listPath + " not saved: " + std::strerror(renameError));
    }
}
