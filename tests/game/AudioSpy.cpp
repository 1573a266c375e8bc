#include "AudioSpy.hpp"

#include <set>

namespace {
std::set<ALLEGRO_SAMPLE_INSTANCE*>& playing()
{
    static std::set<ALLEGRO_SAMPLE_INSTANCE*> instances;
    return instances;
}
} // namespace

std::vector<AudioSpy::Call>& AudioSpy::calls()
{
    static std::vector<Call> all;
    return all;
}

void AudioSpy::clear()
{
    calls().clear();
}

bool AudioSpy::isPlaying(ALLEGRO_SAMPLE_INSTANCE* instance)
{
    return playing().count(instance) != 0;
}

// Defined in the test program, these win over the audio add-on's own.
extern "C" {

bool al_play_sample(ALLEGRO_SAMPLE* sample, float, float, float, ALLEGRO_PLAYMODE, ALLEGRO_SAMPLE_ID*)
{
    AudioSpy::calls().push_back({"sound", sample});
    return true;
}

bool al_play_sample_instance(ALLEGRO_SAMPLE_INSTANCE* instance)
{
    AudioSpy::calls().push_back({"play song", instance});
    playing().insert(instance);
    return true;
}

bool al_stop_sample_instance(ALLEGRO_SAMPLE_INSTANCE* instance)
{
    AudioSpy::calls().push_back({"stop song", instance});
    playing().erase(instance);
    return true;
}
}
