#include "BenchTree.hpp"

#include "TestSupport.hpp"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include <unistd.h>

namespace {

std::string levelText(const BenchTree::Level& level)
{
    return level.text.empty() ? readFile(BenchTree::dataRoot() + "/" + level.path) : level.text;
}

void check(bool holds, const std::string& what)
{
    if (!holds) {
        std::fprintf(stderr, "bench tree: %s\n", what.c_str());
        std::abort();
    }
}

// The shipped tile pictures.
const std::string tiles = "Resources/Pictures/tiles/";

// The [Info] section of a made level with the view following the player,
// who starts in column 2 of the given (1-based) row, and the floor, wall and
// goal types; the caller adds its own types and the [Map].
void writeHeader(std::ostringstream& text, int tileSize, int startRow)
{
    text << "[Info]\n"
         << "TILE_SIZE " << tileSize << " " << tileSize << "\n"
         << "PLAYER_SIZE " << tileSize * 5 / 8 << " " << tileSize * 5 / 8 << "\n"
         << "PLAYER_POS 2 " << startRow << "\nPLAYER_SPEED 8\n"
         << "PLAYER_BMP Resources/Pictures/objects/player.png\n"
         << "GHOST_BMP Resources/Pictures/objects/ghost.png\n"
         << "CAMERA_FIX 1\n"
         << "[Types]\n"
         << ". 0 0 0 0 " << tiles << "floor.png\n"
         << "# 1 0 1 0 " << tiles << "wall.png " << tiles << "wall.png\n"
         << "G 1 1 0 0 " << tiles << "goal.png " << tiles << "goal.png\n";
}

} // namespace

std::string BenchTree::dataRoot()
{
    const char* root = std::getenv("ORVELLE_DATA_ROOT");
    return root != nullptr ? root : ORVELLE_SOURCE_DIR;
}

std::vector<BenchTree::Level> BenchTree::shipped()
{
    std::vector<Level> levels;
    std::istringstream list(readFile(dataRoot() + "/Resources/Levels/LevelList.txt"));
    std::string line;
    std::getline(list, line);
    while (std::getline(list, line)) {
        std::istringstream words(line);
        std::string path;
        if (words >> path)
            levels.push_back({path, ""});
    }
    return levels;
}

int BenchTree::largest(const std::vector<Level>& levels)
{
    int best = -1;
    double bestArea = -1;
    for (size_t i = 0; i < levels.size(); i++) {
        std::istringstream text(levelText(levels[i]));
        std::string line;
        double tileW = 0, tileH = 0;
        size_t columns = 0, rows = 0;
        bool inMap = false;
        while (std::getline(text, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            std::istringstream words(line);
            std::string key;
            words >> key;
            if (line == "[Map]")
                inMap = true;
            else if (inMap && !line.empty()) {
                rows++;
                columns = std::max(columns, (line.size() + 1) / 2);
            } else if (key == "TILE_SIZE")
                words >> tileW >> tileH;
        }
        const double area = (double)columns * tileW * (double)rows * tileH;
        if (area > bestArea) {
            bestArea = area;
            best = (int)i;
        }
    }
    return best;
}

int BenchTree::firstDark(const std::vector<Level>& levels)
{
    for (size_t i = 0; i < levels.size(); i++) {
        std::istringstream text(levelText(levels[i]));
        std::string line;
        while (std::getline(text, line)) {
            std::istringstream words(line);
            std::string key, value;
            if (words >> key >> value && key == "LIGHT_ONSTART" && value == "1")
                return (int)i;
        }
    }
    return -1;
}

BenchTree::Level BenchTree::generated(const std::string& path, int side, int tileSize)
{
    std::ostringstream text;
    writeHeader(text, tileSize, 2);
    text << "D 1 0 1 0 " << tiles << "door_closed.png " << tiles << "door_open.png\n"
         << "S 2 0 0 0 " << tiles << "switch_up.png " << tiles << "switch_down.png\n"
         << "[Map]\n";
    // Group g (a or b) walls off column side * (g + 1) / 8 but for a door in
    // the middle row; its switch lies just before the wall. Every group's
    // batches reach from the map's corner to its wall, so the groups lie in
    // the first quarter: further out the level would ask for more batch
    // pixels than the reader accepts.
    for (int y = 0; y < side; y++) {
        std::string row;
        for (int x = 0; x < side; x++) {
            std::string cell = ".0";
            if (x == 0 || y == 0 || x == side - 1 || y == side - 1)
                cell = "#0";
            for (int g = 0; g < 2; g++) {
                const int wall = side * (g + 1) / 8;
                const char group = (char)('a' + g);
                if (x == wall && y > 0 && y < side - 1)
                    cell = y == side / 2 ? std::string("D") + group : "#0";
                if (x == wall - 1 && y == side / 2 - 1)
                    cell = std::string("S") + group;
            }
            if (x == side - 2 && y == side - 2)
                cell = "G0";
            row += cell;
        }
        text << row << "\n";
    }
    return {path, text.str()};
}

BenchTree::Level BenchTree::corridor(const std::string& path, int columns, int rows, int tileSize)
{
    std::ostringstream text;
    writeHeader(text, tileSize, rows / 2 + 1);
    text << "[Map]\n";
    for (int y = 0; y < rows; y++) {
        for (int x = 0; x < columns; x++) {
            if (x == 0 || y == 0 || x == columns - 1 || y == rows - 1)
                text << "#0";
            else
                text << (x == columns - 2 && y == rows / 2 ? "G0" : ".0");
        }
        text << "\n";
    }
    return {path, text.str()};
}

BenchTree::Level BenchTree::darkened(const Level& level, const std::string& path)
{
    std::string text = levelText(level);
    const std::string header = "[Info]\n";
    const size_t at = text.find(header);
    check(at != std::string::npos, "no [Info] in " + level.path);
    text.insert(at + header.size(),
                "LIGHT_BMP Resources/Pictures/objects/light.png\nLIGHT_ONSTART 1\nLIGHT_SIZE 3\n");
    return {path, text};
}

std::string BenchTree::make(const std::vector<Level>& list)
{
    const std::string folder = makeTempDir();
    const std::string root = dataRoot();
    std::filesystem::create_directories(folder + "/Resources/Levels");
    for (const char* part : {"Animations", "Fonts", "Pictures", "Sounds"}) {
        const std::string from = root + "/Resources/" + part;
        check(symlink(from.c_str(), (folder + "/Resources/" + part).c_str()) == 0, "can't link " + from);
    }

    std::set<std::string> placed;
    std::ostringstream listText;
    listText << "PATH__NAME__1STAR_TIME__2STARS_TIME__3STARS_TIME__DONE__TIME (FRAMES) <ignored line>\n";
    int number = 0;
    for (const Level& level : list) {
        number++;
        listText << level.path << " Level" << number << " 1800 1200 600 0 0\n";
        if (!placed.insert(level.path).second)
            continue;
        const std::string at = folder + "/" + level.path;
        std::filesystem::create_directories(std::filesystem::path(at).parent_path());
        if (level.text.empty()) {
            const std::string from = root + "/" + level.path;
            check(symlink(from.c_str(), at.c_str()) == 0, "can't link " + from);
        } else {
            writeFile(at, level.text);
        }
    }
    writeFile(folder + "/Resources/Levels/LevelList.txt", listText.str());
    return folder;
}
