#pragma once

#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>

#include <map>
#include <string>
#include <vector>

namespace Kest {
struct Animation;
struct AnimationData;
struct Bitmap;
struct Song;
} // namespace Kest

// Everything the resource facade holds, one map per kind, each keyed by the
// string chosen at load, so one key may name entries of several kinds. Keys
// compare as byte strings; maps iterate in ascending key order.
struct ResourceStore {
    std::map<std::string, Kest::Bitmap*> batches;
    std::map<std::string, Kest::Bitmap*> bitmaps;
    std::map<std::string, Kest::AnimationData*> animationData;
    // Running animations in creation order.
    std::vector<Kest::Animation*> animations;
    // By size index 0 to 100; only 5 to 100 are ever filled. The font of index
    // s is loaded at the Allegro size 3 * s.
    std::map<std::string, ALLEGRO_FONT*> fonts[101];
    // Text files as their lines, in file order.
    std::map<std::string, std::vector<std::string>> textFiles;
    std::map<std::string, ALLEGRO_SAMPLE*> sounds;
    std::map<std::string, Kest::Song*> songs;
};
