#pragma once

#include "Animation.hpp"
#include "AnimationData.hpp"
#include "Bitmap.hpp"
#include "ResourceStore.hpp"
#include "Resources.hpp"
#include "Song.hpp"

// Frees everything a test's resource store holds, Allegro objects and
// records, and the store itself: the game keeps its store for the whole run,
// a test that made one must not leave the leak checker its records.
inline void releaseStore(Resources& res)
{
    res.destroyAll();
    ResourceStore* store = res.store;
    for (auto* kind : {&store->bitmaps, &store->batches})
        for (auto& entry : *kind)
            delete entry.second;
    for (auto& entry : store->songs)
        delete entry.second;
    for (auto& entry : store->animationData)
        delete entry.second;
    for (Kest::Animation* animation : store->animations)
        delete animation;
    delete store;
    res.store = nullptr;
}
