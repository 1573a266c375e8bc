#include "ResourcesFixture.hpp"

namespace {
// The sound device is ALSA's null device (see headless.sh): playback runs, silently.
class ResourcesAudioTest : public ResourcesTest {
protected:
    void SetUp() override
    {
        ResourcesTest::SetUp();
        ASSERT_TRUE(al_is_audio_installed() || al_install_audio());
        res.init(nullptr, &camera, 2);
        res.loadSong(writeWav("menu.wav", 441), "menu");  // 10 ms
        res.loadSound(writeWav("click.wav", 2 * 44100), "click");
    }
};
} // namespace

TEST_F(ResourcesAudioTest, songs_loopUntilStoppedByKey)
{
    ALLEGRO_SAMPLE_INSTANCE* menu = res.getSong("menu")->instance;
    EXPECT_TRUE(al_get_sample_instance_attached(menu));
    EXPECT_FALSE(al_get_sample_instance_playing(menu));

    res.playSong("menu");
    al_rest(0.1);  // ten times the song's length
    EXPECT_TRUE(al_get_sample_instance_playing(menu));
    res.stopAllSamples();
    EXPECT_TRUE(al_get_sample_instance_playing(menu));
    res.stopSong("menu");
    EXPECT_FALSE(al_get_sample_instance_playing(menu));
    res.stopSong("menu");
}

TEST_F(ResourcesAudioTest, songAndSoundKeysAreLookedUpInTheirOwnMaps)
{
    EXPECT_FATAL(res.playSound("menu"), "Sound key> menu <not found!");
    EXPECT_FATAL(res.playSong("click"), "Sound key> click <not found!");
    EXPECT_FATAL(res.stopSong("click"), "Sound key> click <not found!");
}

TEST_F(ResourcesAudioTest, playSound_withEveryReservedVoiceBusyReturnsUnheard)
{
    ALLEGRO_SAMPLE* click = res.getSound("click");
    res.playSound("click");
    res.playSound("click");
    EXPECT_FALSE(al_play_sample(click, 1.0f, 0.0f, 1.0f, ALLEGRO_PLAYMODE_ONCE, nullptr));
    res.playSound("click");

    res.stopAllSamples();
    EXPECT_TRUE(al_play_sample(click, 1.0f, 0.0f, 1.0f, ALLEGRO_PLAYMODE_ONCE, nullptr));
}
