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

#include <fcntl.h>
#include <sys/stat.h>
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

// The file that a chain of symbolic links ending at path leads to (path itself
// when it is no link); a relative link is read from the link's own folder.
// The file need not exist. A chain too long or circular is given up after 40
// links, as the system does; opening the result then fails.
std::string followLinks(std::string path)
{
    for (int links = 0; links < 40; links++) {
        char next[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), next, sizeof next);
        if (length < 0 || static_cast<size_t>(length) == sizeof next)
            return path;
        const std::string linked(next, static_cast<size_t>(length));
        const size_t folderEnd = path.rfind('/');
        if (linked[0] == '/' || folderEnd == std::string::npos)
            path = linked;
        else
            path = path.substr(0, folderEnd + 1) + linked;
    }
    return path;
}

// Writes all of text at fd's position. Returns the error number of the write
// that failed, or 0.
int writeWhole(int fd, const std::string& text)
{
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errno;
        if (count == 0)
            return EIO;
        written += static_cast<size_t>(count);
    }
    return 0;
}

// Syncs and closes fd after writing it; error is that of the writing (0 when
// it went well). Returns the error number of the first step that failed, or 0.
int syncAndClose(int fd, int error)
{
    if (error == 0 && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// Writes text over the start of the open file fd and cuts the file after it.
// Overwriting first keeps the list's old bytes until new ones stand in their
// place: the file is never empty on the way, and a full disk can stop only
// the part that grows. Closes fd; returns the error number of the first
// step that failed, or 0.
int rewriteInPlace(int fd, const std::string& text)
{
    int error = writeWhole(fd, text);
    if (error == 0 && ftruncate(fd, static_cast<off_t>(text.size())) != 0)
        error = errno;
    return syncAndClose(fd, error);
}

// Whether error is the system refusing the player a step (rather than a
// fault of the disk or the file).
bool refused(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

// Rewrites the list at listPath in place through its open file old (and
// closes it). A failure is reported as not saved; a success only when the
// game was driven to it by refusal, the error number of the step refused
// (0 when in place was the game's own choice).
void saveInPlace(int old, const std::string& text, const std::string& listPath, int refusal)
{
    const int error = rewriteInPlace(old, text);
    if (error != 0)
        printError("Level list " + listPath + " not saved: " + std::strerror(error));
    else if (refusal != 0)
        printError("Level list " + listPath + " rewritten in place, its folder refused the new file: " +
                   std::strerror(refusal));
}

// Removes the new file of a save that went no further. One already given to
// the list's owner is taken back first: in a shared folder (sticky bit) only
// a file's owner may remove it.
void removeNewFile(const std::string& path, bool givenAway)
{
    if (givenAway && chown(path.c_str(), geteuid(), getegid()) != 0)
        return;  // nothing the player may still do about it
    unlink(path.c_str());
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
    const std::string notSaved = "Level list " + listPath + " not saved: ";

    // A list reached through symbolic links is saved where they lead, so the
    // links stay links. Opening it for writing (without truncating) asks
    // whether the player may change it at all; a list they may not write is
    // left as it is. A list that isn't there yet is made.
    const std::string target = followLinks(listPath);
    const int old = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (old < 0 && errno != ENOENT) {
        printError(notSaved + std::strerror(errno));
        return;
    }
    struct stat list;
    if (old >= 0 && fstat(old, &list) != 0) {
        const int error = errno;
        close(old);
        printError(notSaved + std::strerror(error));
        return;
    }
    // A list with a second name (a hard link) is rewritten in place: a new
    // file put in its place would leave the old progress under the other name.
    if (old >= 0 && list.st_nlink > 1) {
        saveInPlace(old, text, listPath, 0);
        return;
    }

    // The list holds the player's progress: it is written whole to a new file
    // beside it and only then put in its place, so a kill or a full disk
    // during the write never leaves a truncated list behind.
    const std::string newPath = target + ".new";
    const int fresh = open(newPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
    if (fresh < 0) {
        const int refusal = errno;
        if (old >= 0 && refused(refusal)) {
            // The folder takes no new file but the list itself may be
            // written: better a list rewritten in place than progress lost.
            saveInPlace(old, text, listPath, refusal);
            return;
        }
        if (old >= 0)
            close(old);
        printError(notSaved + std::strerror(refusal));
        return;
    }

    int error = 0;
    bool givenAway = false;
    if (old >= 0) {
        // The new file takes the list's owner and group, then its mode (a
        // change of owner may clear set-id bits; the file as made has none,
        // so its mode as made still holds), each only where it differs.
        // Where the player may not give it the list's owner or group (someone
        // else's list, a group the player is not in), the list is rewritten
        // in place, which keeps them: the game's choice, nothing to report.
        struct stat made;
        if (fstat(fresh, &made) != 0)
            error = errno;
        else if (made.st_uid != list.st_uid || made.st_gid != list.st_gid) {
            if (fchown(fresh, list.st_uid, list.st_gid) == 0)
                givenAway = true;
            else if (refused(errno)) {
                close(fresh);
                unlink(newPath.c_str());
                saveInPlace(old, text, listPath, 0);
                return;
            } else
                error = errno;
        }
        if (error == 0 && (made.st_mode & 07777) != (list.st_mode & 07777) &&
            fchmod(fresh, list.st_mode & 07777) != 0)
            error = errno;
    }
    if (error == 0)
        error = writeWhole(fresh, text);
    error = syncAndClose(fresh, error);
    bool renameRefused = false;
    if (error == 0 && std::rename(newPath.c_str(), target.c_str()) != 0) {
        error = errno;
        renameRefused = refused(error);
    }
    if (error != 0)
        removeNewFile(newPath, givenAway);
    if (renameRefused && old >= 0) {
        // A shared folder (sticky bit) lets only the list's owner put another
        // file in its place, though the player may write the list itself.
        saveInPlace(old, text, listPath, error);
        return;
    }
    if (old >= 0)
        close(old);
    if (error != 0)
        printError(notSaved + std::strerror(error));
}
