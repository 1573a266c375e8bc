#include "TileMap.hpp"

#include "Errors.hpp"
#include "LevelLine.hpp"
#include "Resources.hpp"

#include <algorithm>

namespace {
// The side of a preview picture, in pixels.
const int previewSide = 400;
} // namespace

std::string TileMap::makePicture(Resources* resources, std::string path, std::string suffix)
{
    this->resources = resources;
    resources->loadTextFile(path, path);
    const std::vector<std::string> lines = resources->getTextFile(path);
    resources->destroyTextFile(path);

    // The preview reads only the normal look of each type and the grid: its
    // sections are [Types] and [Map], and everything before [Types] (the
    // [Info] section included) is skipped.
    PictureStruct picture;
    int section = 0;
    int y = 0;
    for (size_t n = 0; n < lines.size(); n++) {
        const std::string& line = lines[n];
        if (section == 0 && line == "[Types]") {
            section = 1;
            continue;
        }
        if (section == 1 && line == "[Map]") {
            section = 2;
            continue;
        }
        if (line.empty())
            continue;
        if (section == 1) {
            // The mark and the picture word, five words apart, as the level
            // reader reads them; a line without them ends the program with
            // the level reader's message.
            LevelLine words(path, n + 1, line);
            const char mark = words.character();
            std::string unused;
            for (int i = 0; i < 4; i++)
                words.tryWord(unused);
            const std::string bitmap1 = words.word();
            // A mark already defined keeps its first picture.
            picture.bitmaps.insert(std::make_pair(mark, bitmap1));
        } else if (section == 2) {
            for (size_t i = 0; i < line.size(); i += 2) {
                const char mark = line[i];
                if (picture.bitmaps.find(mark) == picture.bitmaps.end())
                    fatalError(std::string("Mark \"") + mark + "\" not found in map \"" + path +
                               "\" on position: " + std::to_string(i) + " ," + std::to_string(y));
                const int column = static_cast<int>(i / 2);
                PictureStruct::MarkPos cell;
                cell.cell = Kest::tvec2<float>(static_cast<float>(column), static_cast<float>(y));
                cell.mark = mark;
                picture.cells.push_back(cell);
                picture.size.x = std::max(picture.size.x, column + 1);
                picture.size.y = std::max(picture.size.y, y + 1);
            }
            y++;
        }
    }

    const std::string key = path + suffix;
    resources->createBatch(previewSide, previewSide, key);
    resources->beginBatch(key);
    resources->clearScreen();
    for (const auto& entry : picture.bitmaps) {
        // The picture's path serves as its own key while the preview is drawn.
        resources->loadBitmap(entry.second, entry.second);
        picture.loadedKeys.push_back(entry.second);
    }

    // Whole pixels per cell on each axis; what the truncation leaves on the
    // right and at the bottom stays black. A level without rows stays black.
    if (picture.size.x > 0 && picture.size.y > 0) {
        const Kest::tvec2<float> scale(static_cast<float>(previewSide / picture.size.x),
                                       static_cast<float>(previewSide / picture.size.y));
        for (const PictureStruct::MarkPos& cell : picture.cells)
            resources->drawBitmap(picture.bitmaps[cell.mark],
                                  Rect(cell.cell.x * scale.x, cell.cell.y * scale.y, scale.x, scale.y), false);
    }

    resources->endBatch();
    for (const std::string& loaded : picture.loadedKeys)
        resources->destroyBitmap(loaded);
    return key;
}
