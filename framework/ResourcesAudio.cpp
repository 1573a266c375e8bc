// Resources: songs started and stopped by key, sounds played once.
#include "Resources.hpp"

#include "Song.hpp"

#include <allegro5/allegro_audio.h>

// A song whose instance could not be made when it was loaded stays silent.
void Resources::playSong(std::string key)
{
    Kest::Song* song = getSong(key);
    if (song->instance != nullptr)
        al_play_sample_instance(song->instance);
}

void Resources::stopSong(std::string key)
{
    Kest::Song* song = getSong(key);
    if (song->instance != nullptr)
        al_stop_sample_instance(song->instance);
}

// Gain 1, centred, normal speed. No sample id is kept: a sound plays to its
// end or until stopAllSamples. With every reserved voice busy it is not heard.
void Resources::playSound(std::string key)
{
    al_play_sample(getSound(key), 1.0f, 0.0f, 1.0f, ALLEGRO_PLAYMODE_ONCE, nullptr);
}

// Only what playSound started; the songs' own instances play on.
void Resources::stopAllSamples()
{
    al_stop_samples();
}
