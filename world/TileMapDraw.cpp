#include "TileMap.hpp"

#include "Camera.hpp"
#include "MapObject.hpp"
#include "Resources.hpp"

#include <allegro5/allegro.h>

namespace {

bool isActive(const std::map<std::string, MAP::Object*>& objects, const char* name)
{
    const auto found = objects.find(name);
    return found != objects.end() && found->second->active;
}

// Half the side of the light square in world units, before truncation.
float lightRadius(const TileMap& map)
{
    return (map.tileSize.x + map.tileSize.y) * map.lightSize / 2.0f;
}

} // namespace

bool TileMap::lightSquareFits()
{
    // Truncated, r then lies strictly between -2^30 and 2^30, and 2r fits an
    // int.
    const float radius = lightRadius(*this);
    return radius > -1073741824.0f && radius < 1073741824.0f;
}

void TileMap::draw()
{
    // Each group shows its doors open while any of its switches is pressed.
    for (const auto& entry : suffs) {
        const Suff* group = entry.second;
        resources->drawBatch(group->active ? group->batchKey1 : group->batchKey0, offset + group->origin);
    }

    // Switches lie over the group pictures, each in its own look.
    for (const Tile* tile : switchTiles) {
        const std::string& look = tile->pressed ? tile->type->bitmap2 : tile->type->bitmap1;
        const Rect place(static_cast<float>(tile->cell.x) * tileSize.x, static_cast<float>(tile->cell.y) * tileSize.y,
                         tileSize.x, tileSize.y);
        resources->drawBitmap(look + levelPath + tile->type->mark, place + offset, false);
    }

    if (isActive(objects, "GHOST")) {
        const ALLEGRO_COLOR translucent = al_map_rgba(255, 255, 255, 80);
        const Rect ghost = objects["GHOST"]->rect;
        resources->drawBitmap(ghostBitmapKey, translucent, ghost, false);
        // One trail copy per drawn frame; each fades out over 24 ticks.
        resources->createAnimation("ghost_fade", 2, translucent, ghost.toCenterForm(), true);
    }

    if (isActive(objects, "PLAYER"))
        resources->drawBitmap(playerBitmapKey, objects["PLAYER"]->rect, false);
}

void TileMap::drawLight()
{
    if (!lightOn)
        return;

    // Half the side of the light square: lightSize average tile sizes. The
    // reader refuses a level whose light picture would need a larger square;
    // a level without one ends at "BLACK" below, whatever r is.
    const int r = lightSquareFits() ? static_cast<int>(lightRadius(*this)) : 0;
    const float rf = static_cast<float>(r);

    // Under this blender every pixel drawn multiplies what is there: black
    // darkens, white leaves the map as it is. The blender in force is kept
    // whole, its alpha part included, to be put back afterwards.
    int op = 0, source = 0, destination = 0;
    int alphaOp = 0, alphaSource = 0, alphaDestination = 0;
    al_get_separate_blender(&op, &source, &destination, &alphaOp, &alphaSource, &alphaDestination);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_DEST_COLOR, ALLEGRO_ZERO);

    const Kest::tvec2<float> p = camera->getViewPosition();
    const Kest::tvec2<float> v = camera->getViewSize();
    const Kest::tvec2<float> c = getPlayer()->getCenter();
    // Four strips around the square cover the whole view but the square; the
    // last two reach past the view's far edges, and where strips overlap
    // black times black stays black.
    resources->drawBitmap("BLACK", Rect(p.x, p.y, c.x - p.x - rf, v.y), false);
    resources->drawBitmap("BLACK", Rect(p.x, p.y, v.x, c.y - p.y - rf), false);
    resources->drawBitmap("BLACK", Rect(c.x - rf, c.y + rf, v.x - (c.x - p.x) + rf, v.y - (c.y - p.y) + rf), false);
    resources->drawBitmap("BLACK", Rect(c.x + rf, c.y - rf, v.x - (c.x - p.x) + rf, v.y - (c.y - p.y) + rf), false);
    const float side = static_cast<float>(2 * r);
    resources->drawBitmap(lightBitmapKey, Rect(c.x - rf, c.y - rf, side, side), false);

    // Back to the blender that was in force, so that translucent pictures
    // (the ghost, the menus) look the same after a dark level as before.
    al_set_separate_blender(op, source, destination, alphaOp, alphaSource, alphaDestination);
}
