#pragma once

#include "Animation.hpp"
#include "AnimationData.hpp"
#include "Bitmap.hpp"
#include "ResourceStore.hpp"
#include "Song.hpp"
#include "StoreTest.hpp"

#include <cstdint>
#include <string>

// The resource facade's tests: a store without a display (StoreTest), and
// silent sounds made on demand.
class ResourcesTest : public StoreTest {
protected:
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
        writeFile(name, wav);
        return name;
    }
};
