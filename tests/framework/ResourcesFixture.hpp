#pragma once

#include "AnimationData.hpp"
#include "Animation.hpp"
#include "Bitmap.hpp"
#include "Camera.hpp"
#include "ResourceStore.hpp"
#include "Resources.hpp"
#include "Song.hpp"
#include "TestSupport.hpp"

#include <allegro5/allegro_audio.h>

#include <cstdint>
#include <cstdlib>
#include <string>

// A resource facade on a memory-bitmap Allegro with no display, a camera on
// the whole virtual screen, and a temporary folder for the files the test
// writes. TearDown frees everything the store holds, so that the leak checker
// sees what the facade itself loses.
class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startAllegroHeadless();
        dir = makeTempDir();
        // A death test's child ends in fatalError, past TearDown: the folder
        // goes when its process exits.
        static bool removalRegistered = false;
        liveDir() = dir;  // made before the handler, so it outlives it
        if (!removalRegistered) {
            removalRegistered = true;
            std::atexit([] {
                if (!liveDir().empty())
                    removeTree(liveDir());
            });
        }
        camera.init(nullptr);
        res.init(nullptr, &camera, 0);
    }

    void TearDown() override
    {
        res.destroyAll();
        for (auto& entry : res.store->bitmaps)
            delete entry.second;
        for (auto& entry : res.store->batches)
            delete entry.second;
        for (auto& entry : res.store->songs)
            delete entry.second;
        for (auto& entry : res.store->animationData)
            delete entry.second;
        for (Kest::Animation* animation : res.store->animations)
            delete animation;
        delete res.store;
        if (target != nullptr)
            al_destroy_bitmap(target);
        if (!HasFailure())
            removeTree(dir);
        liveDir().clear();
    }

    static std::string& liveDir()
    {
        static std::string path;
        return path;
    }

    // A picture of one colour saved as PNG in the temporary folder.
    std::string writePicture(const std::string& name, int width, int height, ALLEGRO_COLOR color)
    {
        ALLEGRO_BITMAP* previous = al_get_target_bitmap();
        ALLEGRO_BITMAP* picture = al_create_bitmap(width, height);
        al_set_target_bitmap(picture);
        al_clear_to_color(color);
        const std::string path = dir + "/" + name;
        EXPECT_TRUE(al_save_bitmap(path.c_str(), picture)) << path;
        al_destroy_bitmap(picture);
        al_set_target_bitmap(previous);
        return path;
    }

    // A 16-bit mono PCM WAV file of the given number of silent samples at 44100 Hz.
    std::string writeWav(const std::string& name, int samples)
    {
        std::string wav;
        auto put = [&wav](std::uint32_t value, int bytes) {
            for (int i = 0; i < bytes; i++)
                wav += (char)((value >> (8 * i)) & 0xff);
        };
        wav += "RIFF";
        put(36 + 2 * samples, 4);
        wav += "WAVEfmt ";
        put(16, 4);
        put(1, 2);          // PCM
        put(1, 2);          // mono
        put(44100, 4);      // samples a second
        put(2 * 44100, 4);  // bytes a second
        put(2, 2);          // bytes a sample frame
        put(16, 2);         // bits a sample
        wav += "data";
        put(2 * samples, 4);
        wav += std::string(2 * samples, '\0');
        const std::string path = dir + "/" + name;
        writeFile(path, wav);
        return path;
    }

    std::string dir;
    Camera camera;
    Resources res;
    ALLEGRO_BITMAP* target = nullptr;
};
