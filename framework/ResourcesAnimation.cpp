// Resources: running animations, started by key, advanced once per in-game
// tick, drawn once per in-game frame, and dropped after their last frame.
#include "Resources.hpp"

#include "Animation.hpp"
#include "AnimationData.hpp"
#include "Bitmap.hpp"
#include "Errors.hpp"
#include "ResourceStore.hpp"

#include <cmath>

namespace {
// Every creation: the sheet, and the destination in top-left form.
Kest::Animation* newAnimation(ResourceStore* store, const std::string& key, const Rect& destination,
                              bool centred)
{
    auto found = store->animationData.find(key);
    if (found == store->animationData.end())
        fatalError("Animation key> " + key + " <not found!");
    Kest::Animation* animation = new Kest::Animation;
    animation->data = found->second;
    animation->destination = destination;
    if (centred)
        animation->destination.fromCenterForm();
    return animation;
}

// One tick of an animation; true once it is past its last frame.
bool advance(Kest::Animation* animation)
{
    const int rows = (int)animation->data->frames.size();
    const int columns = (int)animation->data->frames[0].size();

    if (!animation->timed) {
        // Counting down to below zero: the frame changes at the update that
        // finds 0 left, so each frame stays ticksPerFrame + 1 ticks (one when
        // ticksPerFrame is 0 or less). Tested before the decrement, so no
        // ticksPerFrame, however negative, overflows.
        if (animation->countdown <= 0) {
            animation->countdown = animation->ticksPerFrame;
            animation->column = animation->column + 1;
        } else {
            animation->countdown = animation->countdown - 1;
        }
        if (animation->column >= columns) {
            animation->column = 0;
            animation->row = animation->row + 1;
        }
        return animation->row >= rows;
    }

    animation->elapsed = animation->elapsed + animation->step;
    const double frameCount = (double)rows * (double)columns;
    // A negative step (or a NaN) would select a frame before the first: such
    // an animation ends like one past its last frame.
    if (!(animation->elapsed >= 0.0) || animation->elapsed >= frameCount)
        return true;
    animation->column = (int)std::trunc(animation->elapsed) % columns;
    animation->row = (int)std::trunc(animation->elapsed / frameCount * (double)rows);
    // Rounding can bring an elapsed just short of the end up to the row count.
    if (animation->row >= rows)
        animation->row = rows - 1;
    return false;
}
} // namespace

void Resources::createAnimation(std::string key, int ticksPerFrame, const Rect& destination, bool centred)
{
    Kest::Animation* animation = newAnimation(store, key, destination, centred);
    animation->countdown = ticksPerFrame;
    animation->ticksPerFrame = ticksPerFrame;
    store->animations.push_back(animation);
}

void Resources::createAnimation(std::string key, int ticksPerFrame, ALLEGRO_COLOR tint, const Rect& destination,
                                bool centred)
{
    createAnimation(key, ticksPerFrame, destination, centred);
    store->animations.back()->tinted = true;
    store->animations.back()->tint = tint;
}

void Resources::createAnimation(std::string key, double step, const Rect& destination, bool centred)
{
    Kest::Animation* animation = newAnimation(store, key, destination, centred);
    animation->timed = true;
    animation->step = step;
    store->animations.push_back(animation);
}

void Resources::createAnimation(std::string key, double step, ALLEGRO_COLOR tint, const Rect& destination,
                                bool centred)
{
    createAnimation(key, step, destination, centred);
    store->animations.back()->tinted = true;
    store->animations.back()->tint = tint;
}

// Every animation advances exactly once, in list order; the finished ones are
// released and the rest close up, keeping their order.
void Resources::updateAnimations()
{
    std::vector<Kest::Animation*>& animations = store->animations;
    size_t kept = 0;
    for (size_t i = 0; i < animations.size(); i++) {
        if (advance(animations[i]))
            delete animations[i];
        else
            animations[kept++] = animations[i];
    }
    animations.resize(kept);
}

// In world units onto whatever target is current, never culled; later
// animations over earlier ones.
void Resources::drawAnimations()
{
    for (Kest::Animation* animation : store->animations) {
        const Kest::AnimationData* data = animation->data;
        const Kest::tvec2<float> p = data->frames[animation->row][animation->column];
        const Rect& d = animation->destination;
        if (animation->tinted)
            al_draw_tinted_scaled_bitmap(data->sheet->bitmap, animation->tint, p.x, p.y, data->frameSize.x,
                                         data->frameSize.y, d.x, d.y, d.w, d.h, 0);
        else
            al_draw_scaled_bitmap(data->sheet->bitmap, p.x, p.y, data->frameSize.x, data->frameSize.y, d.x, d.y,
                                  d.w, d.h, 0);
    }
}
