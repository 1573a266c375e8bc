#include "TileMap.hpp"

#include "Bitmap.hpp"
#include "Camera.hpp"
#include "Errors.hpp"
#include "LevelLine.hpp"
#include "MapObject.hpp"
#include "Resources.hpp"

#include <allegro5/allegro.h>

#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

// Every batch of a group lies inside the map, and the camera's bounds convert
// the map's size to int: neither side may be longer than an int holds, in
// world units either way. Longer maps than the largest texture are fine: such
// a batch becomes a memory bitmap.
bool fitsInt(float units)
{
    return units >= -2147483648.0f && units < 2147483648.0f;
}

// Every group's two batches reach from near the map's corner to the group's
// far corner, so a level of many groups asks for many maps' worth of
// pictures: a few kilobytes of rows with a different suffix each could ask
// for hundreds of gigabytes. All batches of a level together may hold at most
// as many pixels as four of 16384 x 16384 (4 GiB at 4 bytes a pixel).
const double maxBatchPixels = 4.0 * 16384.0 * 16384.0;

// A batch that falls back to a memory bitmap is addressed with an int count
// of bytes, 4 a pixel.
const double maxPixelsOfOneBatch = 2147483647.0 / 4.0;

// A count in decimal digits, however large.
std::string wholeNumber(double count)
{
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.0f", count);
    return digits;
}

// Applies a recognised [Info] key line; false when its first word is none of
// the eleven keys (an empty or blank line included).
bool applyInfoLine(TileMap& map, LevelLine& line)
{
    std::string key;
    if (!line.tryWord(key))
        return false;
    if (key == "TILE_SIZE") {
        // Any two ints, negative ones included.
        const int w = line.integer();
        const int h = line.integer();
        map.tileSize = Kest::tvec2<float>((float)w, (float)h);
    } else if (key == "PLAYER_SIZE") {
        const int w = line.integer();
        const int h = line.integer();
        map.playerSize = Kest::tvec2<float>((float)w, (float)h);
    } else if (key == "PLAYER_POS") {
        const int x = line.integer();
        const int y = line.integer();
        map.playerPos = Kest::tvec2<int>(x, y);
    } else if (key == "PLAYER_SPEED") {
        // In hundredths of the average tile size, from the tile size read so far.
        const float k = (map.tileSize.x + map.tileSize.y) / 200.0f;
        const std::string value = line.word();
        map.playerSpeed = line.truncate(value == "N" ? k * 5.0f : k * (float)line.toInteger(value));
    } else if (key == "PLAYER_BMP") {
        const std::string path = line.word();
        map.playerBitmapKey = path + map.levelPath + "PLAYER";
        map.resources->loadBitmap(path, map.playerBitmapKey);
        map.bitmapKeys.push_back(map.playerBitmapKey);
    } else if (key == "GHOST_BMP") {
        const std::string path = line.word();
        map.ghostBitmapKey = path + map.levelPath + "GHOST";
        map.resources->loadBitmap(path, map.ghostBitmapKey);
        map.bitmapKeys.push_back(map.ghostBitmapKey);
    } else if (key == "GHOST_TIME") {
        // In seconds; "N" or anything below 1 means no limit.
        const std::string value = line.word();
        const int seconds = value == "N" ? 0 : line.toInteger(value);
        if (seconds < 1) {
            map.timeLimitOn = false;
        } else {
            map.timeLimit = seconds;
            map.timeLimitOn = true;
        }
    } else if (key == "LIGHT_ONSTART") {
        // A missing or malformed value (anything but a number 0 or 1) keeps
        // the earlier one.
        line.tryBoolean(map.lightOnStart);
        map.lightOn = map.lightOnStart;
    } else if (key == "LIGHT_SIZE") {
        // The number the word begins with; a missing or malformed value keeps
        // the earlier one.
        std::string word;
        float value;
        std::istringstream number(line.tryWord(word) ? word : std::string());
        if (number >> value)
            map.lightSize = value;
    } else if (key == "LIGHT_BMP") {
        const std::string path = line.word();
        map.lightBitmapKey = path + map.levelPath;
        map.resources->loadBitmap(path, map.lightBitmapKey);
        map.bitmapKeys.push_back(map.lightBitmapKey);
        // The darkness picture; a second LIGHT_BMP is refused here. A new
        // bitmap's content is whatever the driver gives it, and the darkness
        // multiplies the map by it: it is painted opaque black once.
        map.resources->createBitmap(1, 1, "BLACK");
        map.bitmapKeys.push_back("BLACK");
        ALLEGRO_BITMAP* previous = al_get_target_bitmap();
        al_set_target_bitmap(map.resources->getBitmap("BLACK")->bitmap);
        al_clear_to_color(al_map_rgba(0, 0, 0, 255));
        al_set_target_bitmap(previous);
    } else if (key == "CAMERA_FIX") {
        // The words "0" and "1" exactly; any other word leaves the mode.
        const std::string mode = line.word();
        if (mode == "0" || mode == "1")
            map.cameraMode = mode == "1" ? 1 : 0;
    } else {
        return false;
    }
    return true;
}

// One [Types] line: mark, kind word, effect word, solid, inverted, bitmap1 and,
// for all but a Decoration, bitmap2. A mark defined before keeps its first type.
void readType(TileMap& map, LevelLine& line)
{
    TileMap::Type type;
    type.mark = line.character();
    // The kind and effect words are compared whole: "01" or "1.0" is any
    // other word, which leaves a Decoration without an effect.
    const std::string kind = line.word();
    if (kind == "1")
        type.kind = TileMap::Block;
    else if (kind == "2")
        type.kind = TileMap::Switch;
    else if (kind == "3")
        type.kind = TileMap::LightSwitch;
    const std::string effect = line.word();
    if (effect == "1")
        type.effect = TileMap::Goal;
    else if (effect == "2")
        type.effect = TileMap::Deadly;
    // A light switch always switches the darkness one way or the other; a
    // switch or decoration with an effect is a block that carries it.
    if (type.kind == TileMap::LightSwitch && type.effect == TileMap::None)
        type.effect = TileMap::Goal;
    if ((type.kind == TileMap::Switch || type.kind == TileMap::Decoration) && type.effect != TileMap::None)
        type.kind = TileMap::Block;
    // Malformed (any word but a number 0 or 1): not solid, not inverted.
    line.tryBoolean(type.solid);
    line.tryBoolean(type.inverted);
    type.bitmap1 = line.word();
    if (type.kind != TileMap::Decoration)
        type.bitmap2 = line.word();
    if (map.types.count(type.mark) == 0)
        map.types[type.mark] = new TileMap::Type(type);
}

// One [Map] row: two characters a cell, mark then suffix, blanks included; a
// row of odd length ends with a cell whose suffix is the NUL character.
void readRow(TileMap& map, const std::string& text, int row)
{
    for (size_t i = 0; i < text.size(); i += 2) {
        const char mark = text[i];
        const char suffix = i + 1 < text.size() ? text[i + 1] : '\0';
        auto type = map.types.find(mark);
        if (type == map.types.end())
            fatalError(std::string("Mark \"") + mark + "\" not found in map \"" + map.levelPath +
                       "\" on position: " + std::to_string(i) + " ," + std::to_string(row));

        if (map.suffs.count(suffix) == 0)
            map.suffs[suffix] = new TileMap::Suff;
        TileMap::Tile* tile = new TileMap::Tile;
        tile->suffix = suffix;
        tile->cell = Kest::tvec2<int>((int)(i / 2), row);
        tile->type = type->second;
        map.tiles[tile->cell] = tile;
        map.suffTiles.insert(std::make_pair(suffix, tile));
        if (tile->type->kind == TileMap::Switch || tile->type->kind == TileMap::LightSwitch)
            map.switchTiles.push_back(tile);

        if (tile->cell.x + 1 > map.mapSize.x)
            map.mapSize.x = tile->cell.x + 1;
        if (row + 1 > map.mapSize.y)
            map.mapSize.y = row + 1;
    }
}

// Both objects, inactive, centred in the start cell (1-based) with the values
// read so far.
void makeObjects(TileMap& map)
{
    const Rect start((float)map.playerPos.x * map.tileSize.x - map.tileSize.x / 2.0f -
                         map.playerSize.x / 2.0f + map.offset.x,
                     (float)map.playerPos.y * map.tileSize.y - map.tileSize.y / 2.0f -
                         map.playerSize.y / 2.0f + map.offset.y,
                     map.playerSize.x, map.playerSize.y);
    for (const char* name : {"PLAYER", "GHOST"}) {
        MAP::Object* object = new MAP::Object;
        object->rect = start;
        object->lastRect = start;
        object->startRect = start;
        object->active = false;
        map.objects[name] = object;
    }
}

// Where a group's two batches lie: their top-left corner and their size in
// pixels (world units), not yet truncated to whole pixels.
struct GroupExtent {
    Kest::tvec2<float> origin;
    Kest::tvec2<float> size;
};

// The extent of the group's Block and Decoration tiles from the map's corner;
// with tiles of 8 units or more the origin stays (0, 0).
GroupExtent groupExtent(TileMap& map, char suffix)
{
    const auto members = map.suffTiles.equal_range(suffix);
    Kest::tvec2<float> min(8.0f, 8.0f);
    Kest::tvec2<float> max(0.0f, 0.0f);
    for (auto entry = members.first; entry != members.second; ++entry) {
        const TileMap::Tile* tile = entry->second;
        if (tile->type->kind == TileMap::Switch || tile->type->kind == TileMap::LightSwitch)
            continue;
        const Kest::tvec2<float> p((float)tile->cell.x * map.tileSize.x, (float)tile->cell.y * map.tileSize.y);
        if (p.x < min.x)
            min.x = p.x;
        if (p.y < min.y)
            min.y = p.y;
        if (p.x + map.tileSize.x > max.x)
            max.x = p.x + map.tileSize.x;
        if (p.y + map.tileSize.y > max.y)
            max.y = p.y + map.tileSize.y;
    }
    if (min.x == 8.0f)
        min.x = 0.0f;
    if (min.y == 8.0f)
        min.y = 0.0f;
    return {min, max - min};
}

// Draws the group's Block and Decoration tiles into its two batches: doors
// closed (0) and open (1). Switches are drawn one by one with the map.
void makeGroupBatches(TileMap& map, char suffix, TileMap::Suff* group)
{
    const auto members = map.suffTiles.equal_range(suffix);
    const GroupExtent extent = groupExtent(map, suffix);
    const Kest::tvec2<float> min = extent.origin;
    group->origin = min;
    // Never negative: the far corner lies at or beyond the origin.
    const double width = std::trunc((double)extent.size.x);
    const double height = std::trunc((double)extent.size.y);

    for (int j = 0; j <= 1; j++) {
        const std::string key = map.levelPath + suffix + (char)('0' + j);
        // A side beyond an int (the far corner's float sum may round up to
        // one) or more bytes than an int counts is more than Allegro makes.
        if (!(width < 2147483648.0 && height < 2147483648.0 && width * height <= maxPixelsOfOneBatch))
            fatalError("Batch with key> " + key + " <not created");
        map.resources->createBatch((int)width, (int)height, key);
        map.batchKeys.push_back(key);
        map.resources->beginBatch(key);
        // A new batch holds whatever memory it was given, and every batch
        // reaches from the map's corner over other groups' cells and the
        // switches: what the group does not cover must be transparent.
        al_clear_to_color(al_map_rgba(0, 0, 0, 0));
        for (auto entry = members.first; entry != members.second; ++entry) {
            const TileMap::Tile* tile = entry->second;
            const TileMap::Type* type = tile->type;
            const std::string* bitmap;
            if (type->kind == TileMap::Decoration)
                bitmap = &type->bitmap1;
            else if (type->kind == TileMap::Block)
                bitmap = j == 0 ? &type->bitmap1 : &type->bitmap2;
            else
                continue;
            const Rect destination((float)tile->cell.x * map.tileSize.x - min.x,
                                   (float)tile->cell.y * map.tileSize.y - min.y, map.tileSize.x, map.tileSize.y);
            map.resources->drawBitmap(*bitmap + map.levelPath + type->mark, destination, false);
        }
        if (j == 0)
            group->batchKey0 = key;
        else
            group->batchKey1 = key;
        map.resources->endBatch();
    }
}

} // namespace

void TileMap::load(Resources* resources, Camera* camera, std::string path, Kest::tvec2<float> offset)
{
    this->resources = resources;
    this->camera = camera;
    levelPath = path;
    this->offset = offset;

    // The text is released at once, so the same file can be read again later.
    resources->loadTextFile(path, path);
    const std::vector<std::string> lines = resources->getTextFile(path);
    resources->destroyTextFile(path);

    // Section state: 0 before [Info], 1 in [Info], 2 in [Types], 3 in [Map].
    // Each state accepts only the next header; any other line, a header out of
    // its turn included, is a content line of the current state.
    static const char* const nextHeader[] = {"[Info]", "[Types]", "[Map]"};
    int section = 0;
    int row = 0;
    bool objectsMade = false;
    for (size_t n = 0; n < lines.size(); n++) {
        const std::string& text = lines[n];
        if (section < 3 && text == nextHeader[section]) {
            section++;
            continue;
        }
        LevelLine line(path, n + 1, text);
        if (section == 1 && applyInfoLine(*this, line))
            continue;
        // Every other content line makes the objects if they are not there
        // yet, with the [Info] values read so far.
        if (!objectsMade) {
            makeObjects(*this);
            objectsMade = true;
        }
        if (section == 2 && !text.empty())
            readType(*this, line);
        if (section == 3 && !text.empty()) {
            readRow(*this, text, row);
            row++;
        }
    }

    if (section == 0)
        fatalError("Level " + path + " - missing [Info]");
    if (section == 1)
        fatalError("Level " + path + " - missing [Types]");
    if (section == 2)
        fatalError("Level " + path + " - missing [Map]");
    if (!fitsInt((float)mapSize.x * tileSize.x) || !fitsInt((float)mapSize.y * tileSize.y))
        fatalError("Level " + path + " - map too large: " + std::to_string(mapSize.x) + " x " +
                   std::to_string(mapSize.y) + " cells of " + std::to_string((long long)tileSize.x) + " x " +
                   std::to_string((long long)tileSize.y) + " units, more than 2147483647 units a side");
    double batchPixels = 0.0;
    for (auto& entry : suffs) {
        const GroupExtent extent = groupExtent(*this, entry.first);
        batchPixels += 2.0 * std::trunc((double)extent.size.x) * std::trunc((double)extent.size.y);
    }
    if (batchPixels > maxBatchPixels)
        fatalError("Level " + path + " - door groups too large: " + std::to_string(suffs.size()) +
                   " groups need " + wholeNumber(batchPixels) + " pixels of batches, more than " +
                   wholeNumber(maxBatchPixels));
    // Only a level with a light picture ever draws the light square; in any
    // other the first lit frame ends at the missing darkness picture.
    if (!lightBitmapKey.empty() && !lightSquareFits()) {
        std::ostringstream size;
        size << lightSize;
        fatalError("Level " + path + " - light too large: LIGHT_SIZE " + size.str() + " with tiles of " +
                   std::to_string((long long)tileSize.x) + " x " + std::to_string((long long)tileSize.y) +
                   " units");
    }

    for (auto& entry : types) {
        const Type* type = entry.second;
        const std::string key1 = type->bitmap1 + levelPath + type->mark;
        resources->loadBitmap(type->bitmap1, key1);
        bitmapKeys.push_back(key1);
        if (type->kind != Decoration) {
            const std::string key2 = type->bitmap2 + levelPath + type->mark;
            resources->loadBitmap(type->bitmap2, key2);
            bitmapKeys.push_back(key2);
        }
    }

    for (auto& entry : suffs)
        makeGroupBatches(*this, entry.first, entry.second);

    // Kept in the store for the whole run: every level start asks again and
    // the store keeps the first sheet.
    resources->loadAnimation("Resources/Animations/ghost_fade.png", 8, 1, "ghost_fade");

    applyCameraBounds();
}

void TileMap::applyCameraBounds()
{
    // A map smaller than the view is widened to the right and downward by
    // half the surplus; the camera clamps left and top first, then right and
    // bottom, which centres such a map in the view.
    const int mw = (int)((float)mapSize.x * tileSize.x);
    const int mh = (int)((float)mapSize.y * tileSize.y);
    const Kest::tvec2<float> view = camera->getViewSize();
    const int px = view.x > (float)mw ? (int)((view.x - (float)mw) / 2.0f) : 0;
    const int py = view.y > (float)mh ? (int)((view.y - (float)mh) / 2.0f) : 0;
    camera->setBounds(Rect(offset.x, offset.y, (float)(mw + px), (float)(mh + py)));
}
