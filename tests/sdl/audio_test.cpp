// Effects and music on SDL2_mixer, played through SDL's dummy audio driver (no sound card).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "log.h"
#include "platform/sdl/sdl_audio.h"
#include "sound.h"

namespace {
// A mono 16-bit WAV of a soft tone lasting the given milliseconds.
void writeTone(const char* path, int milliseconds) {
    const int rate = 22050;
    const int samples = rate * milliseconds / 1000;
    std::vector<int16_t> pcm(static_cast<size_t>(samples));
    for (int i = 0; i < samples; ++i)
        pcm[i] = static_cast<int16_t>(3000.0 * std::sin(i * 2.0 * 3.14159265 * 440.0 / rate));
    auto le32 = [](std::ofstream& o, uint32_t v) { o.write(reinterpret_cast<char*>(&v), 4); };
    auto le16 = [](std::ofstream& o, uint16_t v) { o.write(reinterpret_cast<char*>(&v), 2); };
    std::ofstream out(path, std::ios::binary);
    const uint32_t data = static_cast<uint32_t>(samples * 2);
    out.write("RIFF", 4), le32(out, 36 + data), out.write("WAVEfmt ", 8);
    le32(out, 16), le16(out, 1), le16(out, 1), le32(out, rate), le32(out, rate * 2);
    le16(out, 2), le16(out, 16), out.write("data", 4), le32(out, data);
    out.write(reinterpret_cast<const char*>(pcm.data()), data);
}

void waitMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string readText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Audio : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // Named after the test, so that tests run side by side never share a file.
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        toneFile = name + ".wav";
        logFile = name + ".log";
        shortTone = toneFile.c_str();
        writeTone(shortTone, 1000);
        gPlatform.audio = &audio;
    }
    void TearDown() override {
        while (audio.isOpen()) audio.close();
        gPlatform.audio = nullptr;
        std::remove(shortTone);
    }
    SdlAudio audio;
    std::string toneFile, logFile;
    const char* shortTone = nullptr;
};
} // namespace

TEST_F(Audio, OpensAreCounted) {
    ASSERT_TRUE(audio.open());
    ASSERT_TRUE(audio.open());
    audio.close();
    EXPECT_TRUE(audio.isOpen());
    EXPECT_TRUE(audio.loadEffect(0, shortTone));
    audio.close();
    EXPECT_FALSE(audio.isOpen());
    audio.close(); // one close too many does nothing
    EXPECT_FALSE(audio.isOpen());
}

TEST_F(Audio, SlotsMixAndAnEmptySlotIsSilent) {
    ASSERT_TRUE(audio.open());
    ASSERT_TRUE(audio.loadEffect(0, shortTone));
    ASSERT_TRUE(audio.loadEffect(31, shortTone));
    EXPECT_FALSE(audio.loadEffect(32, shortTone));
    EXPECT_FALSE(audio.loadEffect(3, "no_such_effect.wav"));
    audio.playEffect(0);
    audio.playEffect(31);
    audio.playEffect(3);
    audio.playEffect(-1);
    EXPECT_TRUE(audio.effectSounding(0));
    EXPECT_TRUE(audio.effectSounding(31));
    EXPECT_FALSE(audio.effectSounding(3));
    audio.stopEffects();
    EXPECT_FALSE(audio.effectSounding(0));
    EXPECT_FALSE(audio.effectSounding(31));
}

TEST_F(Audio, PlayingASlotAgainRestartsIt) {
    ASSERT_TRUE(audio.open());
    ASSERT_TRUE(audio.loadEffect(4, shortTone));
    audio.playEffect(4);
    waitMs(700);
    audio.playEffect(4);
    waitMs(700); // 1.4 s after the first start: only a restarted 1 s tone still sounds
    EXPECT_TRUE(audio.effectSounding(4));
}

TEST_F(Audio, MusicPlaysAtItsVolumeAndFadesOut) {
    ASSERT_TRUE(audio.open());
    ASSERT_TRUE(audio.loadMusic(shortTone));
    audio.setMusicVolume(0.6f);
    EXPECT_NEAR(audio.musicVolume(), 0.6f, 0.01f);
    audio.playMusic(true);
    EXPECT_TRUE(audio.musicSounding());
    audio.fadeOutMusic(100);
    waitMs(500);
    EXPECT_FALSE(audio.musicSounding());
    EXPECT_FALSE(audio.loadMusic("no_such_track.ogg"));
    audio.playMusic(false); // nothing loaded: nothing plays
    EXPECT_FALSE(audio.musicSounding());
}

TEST_F(Audio, PlayerLevelsScaleTheGameVolumesAndPauseHoldsTheMusic) {
    audio.setLevels(50, 50); // before the device opens: kept for it
    ASSERT_TRUE(audio.open());
    EXPECT_EQ(audio.mixerEffectVolume(), 64);
    ASSERT_TRUE(audio.loadMusic(shortTone));
    ASSERT_TRUE(audio.loadEffect(4, shortTone));
    audio.setMusicVolume(0.6f);
    EXPECT_EQ(audio.mixerMusicVolume(), 38); // 0.6 x 0.5 x 128
    EXPECT_NEAR(audio.musicVolume(), 0.6f, 0.01f);
    audio.setLevels(0, 100);
    EXPECT_EQ(audio.mixerEffectVolume(), 0);
    EXPECT_EQ(audio.mixerMusicVolume(), 77);
    audio.playMusic(true);
    audio.playEffect(4);
    audio.pause(true);
    EXPECT_TRUE(audio.musicPaused());
    EXPECT_FALSE(audio.effectSounding(4));
    audio.pause(false);
    EXPECT_FALSE(audio.musicPaused());
    EXPECT_TRUE(audio.musicSounding());
}

TEST_F(Audio, MusicSwitchedOffSkipsEveryMusicOperation) {
    voxInitialize(false);
    voxSetVolume(0.6f);
    voxPlay(shortTone, true);
    EXPECT_FALSE(audio.musicSounding());
    voxDispose();
    voxInitialize(true);
    voxSetVolume(0.6f);
    voxPlay(shortTone, true);
    EXPECT_TRUE(audio.musicSounding());
    EXPECT_NEAR(audio.musicVolume(), 0.6f, 0.01f);
    voxStop();
    EXPECT_FALSE(audio.musicSounding());
    voxDispose();
    EXPECT_FALSE(audio.isOpen());
}

TEST_F(Audio, WithoutADeviceTheGameRunsSilent) {
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    const char* logPath = logFile.c_str();
    klOpen(logPath);
    EXPECT_FALSE(kwInitializeWave());
    EXPECT_FALSE(kwLoadSegment(0, shortTone, false));
    kwPlay(0);
    voxInitialize(true);
    voxPlay(shortTone, true);
    EXPECT_FALSE(audio.musicSounding());
    voxDispose();
    kwDisposeWave();
    klClose();
    const std::string log = readText(logPath);
    EXPECT_NE(log.find("<KilnWave::kwInitializeWave>\n <Mix_OpenAudio>\n [NG]\n"),
              std::string::npos);
    EXPECT_NE(log.find(" [LOAD NG]\n"), std::string::npos);
    std::remove(logPath);
}
