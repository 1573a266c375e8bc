#include "Resources.hpp"

#include "Bitmap.hpp"
#include "ResourceStore.hpp"
#include "Song.hpp"

#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>

Resources::Resources()
{
    store = new ResourceStore;
}

Resources& Resources::init(Display* display, Camera* camera, int sampleVoices)
{
    this->display = display;
    this->camera = camera;
    if (sampleVoices != 0)
        al_reserve_samples(sampleVoices);
    drawingToBatch = false;
    return *this;
}

void Resources::destroyAll()
{
    for (auto& entry : store->bitmaps)
        al_destroy_bitmap(entry.second->bitmap);
    for (auto& entry : store->batches)
        al_destroy_bitmap(entry.second->bitmap);
    for (auto& entry : store->sounds)
        al_destroy_sample(entry.second);
    for (auto& entry : store->songs) {
        al_destroy_sample(entry.second->sample);
        al_destroy_sample_instance(entry.second->instance);
    }
    for (int size = 0; size <= 100; size++) {
        for (auto& entry : store->fonts[size])
            al_destroy_font(entry.second);
    }
}

void Resources::clearScreen()
{
    al_clear_to_color(al_map_rgba_f(0.0f, 0.0f, 0.0f, 1.0f));
}
