#pragma once

#include <allegro5/allegro_audio.h>

#include <string>
#include <vector>

// Stands in for Allegro's sample playback in the game tests: every sound
// played and every song started or stopped is noted, in order, and nothing is
// heard. Songs keep a playing flag of their own.
namespace AudioSpy {

struct Call {
    // "sound", "play song" or "stop song".
    std::string what;
    const void* object;
};

std::vector<Call>& calls();
void clear();
bool isPlaying(ALLEGRO_SAMPLE_INSTANCE* instance);

} // namespace AudioSpy
