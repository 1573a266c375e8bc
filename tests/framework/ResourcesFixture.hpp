#pragma once

#include "Animation.hpp"
#include "AnimationData.hpp"
#include "Bitmap.hpp"
#include "Camera.hpp"
#include "ResourceStore.hpp"
#include "Resources.hpp"
#include "Song.hpp"
#include "TestSupport.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>

// A resource facade on a memory-bitmap Allegro without a display, a camera on
// the whole virtual screen and a temporary folder. TearDown frees all that the
// store holds, so the leak checker sees only what the facade itself loses.
class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startAllegroHeadless();
        dir = makeTempDir();
        // A death test's child ends in fatalError, past TearDown: its folder
        // goes at exit. The static path is made first, so it outlives the handler.
        liveDir() = dir;
        static const int registered = std::atexit([] {
            if (!liveDir().empty())
                removeTree(liveDir());
        });
        (void)registered;
        camera.init(nullptr);
        res.init(nullptr, &camera, 0);
    }

    void TearDown() override
    {
        res.destroyAll();
        for (auto* kind : {&res.store->bitmaps, &res.store->batches})
            for (auto& entry : *kind)
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

    // A PNG of one colour in the temporary folder.
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

    // A silent 16-bit mono PCM WAV file at 44100 samples a second.
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
        // Chunk size, PCM, mono, rate, bytes a second, bytes a frame, bits.
        const int fields[][2] = {{16, 4}, {1, 2}, {1, 2}, {44100, 4}, {88200, 4}, {2, 2}, {16, 2}};
        for (const auto& field : fields)
            put(field[0], field[1]);
        wav += "data";
        put(2 * samples, 4);
        wav += std::string(2 * samples, '\0');
        writeFile(dir + "/" + name, wav);
        return dir + "/" + name;
    }

    std::string dir;
    Camera camera;
    Resources res;
    ALLEGRO_BITMAP* target = nullptr;
};
