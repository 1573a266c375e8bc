// Resources: the drawing target and the draws in world units, on the virtual
// screen and over the whole view.
#include "Resources.hpp"

#include "Bitmap.hpp"
#include "Camera.hpp"
#include "Display.hpp"
#include "Errors.hpp"
#include "ResourceStore.hpp"

#include <allegro5/allegro_primitives.h>

namespace {
const float virtualWidth = 2560.0f;
const float virtualHeight = 1440.0f;
// The mean of the virtual width and height: a view of that mean size draws
// screen text at the size asked.
const float fontScaleReference = 2000.0f;
const int smallestFontIndex = 5;
const int largestFontIndex = 100;
// A multi-line box of more lines than this (a tiny maxWidth) is not culled:
// its height would overflow.
const float largestCulledLineCount = 1.0e6f;

// With centred true the destination's x, y is its centre.
Rect usedRect(Rect destination, bool centred)
{
    return centred ? destination.fromCenterForm() : destination;
}

// A rectangle in virtual-screen units onto the view, in world units; the
// view's position is added last.
Rect toView(const Rect& r, const Rect& view)
{
    return Rect((view.w / virtualWidth) * r.x + view.x, (view.h / virtualHeight) * r.y + view.y,
                (view.w / virtualWidth) * r.w, (view.h / virtualHeight) * r.h);
}

Rect wholePicture(const Kest::Bitmap* picture)
{
    return Rect(0.0f, 0.0f, (float)picture->width, (float)picture->height);
}

// Allegro draws a memory bitmap onto a video bitmap in software, through the
// current transform alone: the projection that maps the camera's view onto
// the display is left out, and the picture would land at its world
// coordinates taken as pixels. A picture larger than the largest texture (a
// batch of a long level) is such a memory bitmap; it is drawn with the
// projection and the target's viewport folded into the current transform.
template <typename Draw>
void drawProjected(ALLEGRO_BITMAP* picture, Draw draw)
{
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    if ((al_get_bitmap_flags(picture) & ALLEGRO_MEMORY_BITMAP) == 0 || target == nullptr ||
        (al_get_bitmap_flags(target) & ALLEGRO_MEMORY_BITMAP) != 0) {
        draw();
        return;
    }
    const ALLEGRO_TRANSFORM kept = *al_get_current_transform();
    ALLEGRO_TRANSFORM toPixels = kept;
    al_compose_transform(&toPixels, al_get_current_projection_transform());
    // From -1..1 (y upward) to the target's pixels (y downward).
    al_translate_transform(&toPixels, 1.0f, -1.0f);
    al_scale_transform(&toPixels, (float)al_get_bitmap_width(target) / 2.0f,
                       -(float)al_get_bitmap_height(target) / 2.0f);
    al_use_transform(&toPixels);
    draw();
    al_use_transform(&kept);
}

void drawScaled(const Kest::Bitmap* picture, const Rect& t)
{
    drawProjected(picture->bitmap, [&] {
        al_draw_scaled_bitmap(picture->bitmap, 0.0f, 0.0f, (float)picture->width, (float)picture->height, t.x,
                              t.y, t.w, t.h, 0);
    });
}

void drawTintedScaled(const Kest::Bitmap* picture, ALLEGRO_COLOR tint, const Rect& t)
{
    drawProjected(picture->bitmap, [&] {
        al_draw_tinted_scaled_bitmap(picture->bitmap, tint, 0.0f, 0.0f, (float)picture->width,
                                     (float)picture->height, t.x, t.y, t.w, t.h, 0);
    });
}

// At its natural size, its top-left corner at the position.
void drawAt(const Kest::Bitmap* picture, const Kest::tvec2<float>& position)
{
    drawProjected(picture->bitmap, [&] { al_draw_bitmap(picture->bitmap, position.x, position.y, 0); });
}
} // namespace

// --- Drawing target.

void Resources::beginBatch(std::string key)
{
    auto found = store->batches.find(key);
    if (found == store->batches.end())
        fatalError("Batch key> " + key + " <not found!");
    al_set_target_bitmap(found->second->bitmap);
    drawingToBatch = true;
}

void Resources::endBatch()
{
    al_set_target_backbuffer(display->get());
    drawingToBatch = false;
}

void Resources::setTargetToBatch(std::string key)
{
    auto found = store->batches.find(key);
    if (found != store->batches.end())
        al_set_target_bitmap(found->second->bitmap);
}

void Resources::setTargetToBitmap(std::string key)
{
    auto found = store->bitmaps.find(key);
    if (found != store->bitmaps.end())
        al_set_target_bitmap(found->second->bitmap);
}

// --- World draws. Each looks its key up before culling, so a missing key is
// fatal wherever the draw would land.

void Resources::drawBitmap(std::string key, const Rect& destination, bool centred)
{
    Kest::Bitmap* picture = getBitmap(key);
    const Rect t = usedRect(destination, centred);
    if (!drawingToBatch && !rectsOverlap(t, camera->getView()))
        return;
    drawScaled(picture, t);
}

void Resources::drawBitmap(std::string key, const Kest::tvec2<float>& position)
{
    Kest::Bitmap* picture = getBitmap(key);
    if (!drawingToBatch && !rectsOverlap(wholePicture(picture) + position, camera->getView()))
        return;
    drawAt(picture, position);
}

void Resources::drawBitmap(std::string key, ALLEGRO_COLOR tint, const Rect& destination, bool centred)
{
    Kest::Bitmap* picture = getBitmap(key);
    const Rect t = usedRect(destination, centred);
    if (!drawingToBatch && !rectsOverlap(t, camera->getView()))
        return;
    drawTintedScaled(picture, tint, t);
}

void Resources::drawBitmapUnculled(std::string key, const Rect& destination, bool centred)
{
    drawScaled(getBitmap(key), usedRect(destination, centred));
}

void Resources::drawBitmapUnculled(std::string key, ALLEGRO_COLOR tint, const Rect& destination, bool centred)
{
    drawTintedScaled(getBitmap(key), tint, usedRect(destination, centred));
}

// Batches are culled also while another batch is being filled: a preview
// batch drawn into a menu must stay inside the view like any world draw.
void Resources::drawBatch(std::string key, const Rect& destination, bool centred)
{
    Kest::Bitmap* batch = getBatch(key);
    const Rect t = usedRect(destination, centred);
    if (!rectsOverlap(t, camera->getView()))
        return;
    drawScaled(batch, t);
}

void Resources::drawBatch(std::string key, const Kest::tvec2<float>& position)
{
    Kest::Bitmap* batch = getBatch(key);
    if (!rectsOverlap(wholePicture(batch) + position, camera->getView()))
        return;
    drawAt(batch, position);
}

void Resources::drawFilledRect(ALLEGRO_COLOR color, Rect rect, bool centred)
{
    const Rect t = usedRect(rect, centred);
    if (!drawingToBatch && !rectsOverlap(t, camera->getView()))
        return;
    al_draw_filled_rectangle(t.x, t.y, t.x + t.w, t.y + t.h, color);
}

// The box culled is the text's as if drawn left-aligned at the position,
// whatever the alignment flags.
void Resources::drawText(std::string fontKey, int size, ALLEGRO_COLOR color, const Kest::tvec2<float>& position,
                         int flags, std::string text)
{
    ALLEGRO_FONT* font = getFont(fontKey, size);
    int x, y, w, h;
    al_get_text_dimensions(font, text.c_str(), &x, &y, &w, &h);
    const Rect box((float)x + position.x, (float)y + position.y, (float)w, (float)h);
    if (!drawingToBatch && !rectsOverlap(box, camera->getView()))
        return;
    al_draw_text(font, color, position.x, position.y, flags, text.c_str());
}

// The box is maxWidth wide and as tall as the lines the text would take at
// that width, plus two for words pushed over a line end. A width of zero or
// less has no such count (Allegro then puts every word on a line of its own),
// so that text is drawn without culling.
void Resources::drawMultilineText(std::string fontKey, int size, ALLEGRO_COLOR color,
                                  const Kest::tvec2<float>& position, float maxWidth, int flags, std::string text)
{
    ALLEGRO_FONT* font = getFont(fontKey, size);
    int x, y, w, h;
    al_get_text_dimensions(font, text.c_str(), &x, &y, &w, &h);
    if (!drawingToBatch && maxWidth > 0.0f) {
        // The whole text measured as one line, cut into maxWidth pieces.
        const float lineCount = (float)w / maxWidth + 2.0f;
        if (lineCount < largestCulledLineCount) {
            const Rect box((float)x + position.x, (float)y + position.y, maxWidth, (float)(h * (int)lineCount));
            if (!rectsOverlap(box, camera->getView()))
                return;
        }
    }
    al_draw_multiline_text(font, color, position.x, position.y, maxWidth, 0.0f, flags,
                           text.c_str());
}

// --- Virtual-screen draws: 2560 x 1440 units onto the current view, never culled.

void Resources::drawScreenBitmap(std::string key, const Rect& destination, bool centred)
{
    Kest::Bitmap* picture = getBitmap(key);
    drawScaled(picture, toView(usedRect(destination, centred), camera->getView()));
}

void Resources::drawScreenBitmap(std::string key, const Kest::tvec2<float>& position)
{
    Kest::Bitmap* picture = getBitmap(key);
    drawScaled(picture, toView(wholePicture(picture) + position, camera->getView()));
}

void Resources::drawScreenBitmap(std::string key, ALLEGRO_COLOR tint, const Rect& destination, bool centred)
{
    Kest::Bitmap* picture = getBitmap(key);
    drawTintedScaled(picture, tint, toView(usedRect(destination, centred), camera->getView()));
}

namespace {
// The font index that makes screen text keep its apparent size on a view of
// any size: the size scaled by the mean of the view's sides over 2000,
// truncated, then held to 5..100. Clamped before the conversion, so that no
// view, however odd, converts an out-of-range float.
int screenFontIndex(int size, const Rect& view)
{
    const float scaled = (float)size * ((view.w + view.h) / 2.0f) / fontScaleReference;
    if (!(scaled >= (float)smallestFontIndex))
        return smallestFontIndex;
    if (scaled > (float)largestFontIndex)
        return largestFontIndex;
    return (int)scaled;
}
} // namespace

void Resources::drawScreenText(std::string fontKey, int size, ALLEGRO_COLOR color,
                               const Kest::tvec2<float>& position, int flags, std::string text)
{
    const Rect view = camera->getView();
    ALLEGRO_FONT* font = getFont(fontKey, screenFontIndex(size, view));
    const Rect at = toView(Rect(position, 0.0f, 0.0f), view);
    al_draw_text(font, color, at.x, at.y, flags, text.c_str());
}

// The position is mapped; maxWidth is passed on as it is, in world units.
void Resources::drawScreenMultilineText(std::string fontKey, int size, ALLEGRO_COLOR color,
                                        const Kest::tvec2<float>& position, float maxWidth, int flags,
                                        std::string text)
{
    const Rect view = camera->getView();
    ALLEGRO_FONT* font = getFont(fontKey, screenFontIndex(size, view));
    const Rect at = toView(Rect(position, 0.0f, 0.0f), view);
    al_draw_multiline_text(font, color, at.x, at.y, maxWidth, 0.0f, flags, text.c_str());
}

// --- Whole-view draws.

void Resources::drawBitmapToView(std::string key)
{
    drawScaled(getBitmap(key), camera->getView());
}

void Resources::drawBitmapToView(std::string key, ALLEGRO_COLOR tint)
{
    drawTintedScaled(getBitmap(key), tint, camera->getView());
}

void Resources::drawTitleScreen(std::string bitmapKey, std::string fontKey, int size, std::string text)
{
    drawBitmapToView(bitmapKey);
    // The dark shadow first, 10 units down and right of the text.
    drawScreenText(fontKey, size, al_map_rgb(23, 23, 23), Kest::tvec2<float>(1290.0f, 730.0f), 1, text);
    drawScreenText(fontKey, size, al_map_rgb(255, 255, 255), Kest::tvec2<float>(1280.0f, 720.0f), 1, text);
}
