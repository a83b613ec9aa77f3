// Checks on the sounds the game ships, baked from data/snd exactly as the build bakes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "bake.h"
#include "decode.h"
#include "score.h"
#include "synth.h"

namespace {

constexpr double kFrame = 1.0 / 60.0; // one game frame in seconds

struct BakedEffects {
    std::vector<std::vector<uint8_t>> files;
    std::vector<Decoded> sounds;
};

struct BakedTracks {
    std::vector<std::vector<uint8_t>> files;
    std::vector<Decoded> sounds;
    std::vector<snd::Score> scores;
};

// Each test program bakes at most once per kind: the tracks take seconds.
const BakedEffects& effects() {
    static const BakedEffects all = [] {
        BakedEffects b;
        for (int i = 0; i < snd::kEffectCount; ++i) {
            std::vector<uint8_t> bytes;
            std::string error;
            EXPECT_TRUE(snd::bakeEffect(readSource(snd::effectName(i) + ".sfx"), bytes, error))
                << snd::effectName(i) << ": " << error;
            Decoded d;
            EXPECT_TRUE(decodeWav(bytes, d)) << snd::effectName(i);
            b.files.push_back(bytes);
            b.sounds.push_back(d);
        }
        return b;
    }();
    return all;
}

const BakedTracks& tracks() {
    static const BakedTracks all = [] {
        BakedTracks b;
        for (int i = 0; i < snd::kTrackCount; ++i) {
            const std::string text = readSource(snd::trackName(i) + ".mus");
            std::vector<uint8_t> bytes;
            std::string error;
            EXPECT_TRUE(snd::bakeTrack(text, bytes, error)) << snd::trackName(i) << ": " << error;
            snd::Score score;
            EXPECT_TRUE(snd::parseScore(text, score, error));
            Decoded d;
            EXPECT_TRUE(decodeVorbis(bytes, d)) << snd::trackName(i);
            b.files.push_back(bytes);
            b.sounds.push_back(d);
            b.scores.push_back(score);
        }
        return b;
    }();
    return all;
}

std::vector<float> channel(const Decoded& d, int c) {
    std::vector<float> out;
    for (size_t i = size_t(c); i < d.samples.size(); i += size_t(d.channels))
        out.push_back(d.samples[i]);
    return out;
}

} // namespace

TEST(BakedSound, BakingTwiceGivesIdenticalFiles) {
    for (int i = 0; i < snd::kEffectCount; ++i) {
        std::vector<uint8_t> again;
        std::string error;
        ASSERT_TRUE(snd::bakeEffect(readSource(snd::effectName(i) + ".sfx"), again, error));
        EXPECT_EQ(again, effects().files[size_t(i)]) << snd::effectName(i);
    }
    for (int i = 0; i < snd::kTrackCount; ++i) {
        std::vector<uint8_t> again;
        std::string error;
        ASSERT_TRUE(snd::bakeTrack(readSource(snd::trackName(i) + ".mus"), again, error));
        EXPECT_EQ(again, tracks().files[size_t(i)]) << snd::trackName(i);
    }
}

TEST(BakedSound, EffectsAreShortMonoPcmStartingAndEndingQuietly) {
    const BakedEffects& b = effects();
    ASSERT_EQ(b.sounds.size(), size_t(snd::kEffectCount));
    for (int i = 0; i < snd::kEffectCount; ++i) {
        const Decoded& d = b.sounds[size_t(i)];
        SCOPED_TRACE(snd::effectName(i));
        EXPECT_EQ(d.channels, 1);
        EXPECT_EQ(d.rate, snd::kRate);
        EXPECT_GT(d.frames(), size_t(0.02 * snd::kRate));
        EXPECT_LT(d.frames(), size_t(1.5 * snd::kRate));
        EXPECT_LE(peakDb(d.samples), -1.0);
        // A sound that starts or stops mid-swing clicks.
        EXPECT_LT(std::fabs(d.samples.front()), 0.02f);
        EXPECT_LT(std::fabs(d.samples.back()), 0.01f);
    }
    // The gun fires every 5 frames; hit ticks come at least as often: each must be over
    // before the next.
    for (int i : {0, 7, 9})
        EXPECT_LE(double(b.sounds[size_t(i)].frames()) / snd::kRate, 5 * kFrame) << i;
}

TEST(BakedSound, ExplosionOpeningIsAThumpNotAHiss) {
    // Down a long tail effect 4 restarts every 3 frames, so only its first 50 ms is heard,
    // over and over: most of that energy must sit low, or the chain turns into noise.
    const std::vector<float>& s = effects().sounds[4].samples;
    const size_t n = std::min(s.size(), size_t(3 * kFrame * snd::kRate));
    snd::Filter low(snd::Filter::Mode::Low);
    low.set(800.0, 0.0);
    double all = 0.0, lows = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const float l = low.process(s[i]);
        all += double(s[i]) * s[i];
        lows += double(l) * l;
    }
    EXPECT_GT(lows / all, 0.7);
}

TEST(BakedSound, TracksLastAsTheirScoresSayAndLoopWithoutAStep) {
    const BakedTracks& b = tracks();
    for (int i = 0; i < snd::kTrackCount; ++i) {
        SCOPED_TRACE(snd::trackName(i));
        const Decoded& d = b.sounds[size_t(i)];
        const snd::Score& score = b.scores[size_t(i)];
        EXPECT_EQ(d.channels, 2);
        EXPECT_EQ(d.rate, snd::kRate);
        EXPECT_EQ(int64_t(d.frames()), score.lengthSamples());
        // Only the game-over track plays once.
        EXPECT_EQ(score.loop, i != 1);
        if (!score.loop) continue;
        // Where the end runs into the start, the step between samples is no bigger than
        // the ones the music makes anyway.
        for (int c = 0; c < 2; ++c) {
            const std::vector<float> s = channel(d, c);
            std::vector<float> steps(s.size() - 1);
            for (size_t j = 1; j < s.size(); ++j) steps[j - 1] = std::fabs(s[j] - s[j - 1]);
            const size_t rank = steps.size() * 999 / 1000;
            std::nth_element(steps.begin(), steps.begin() + long(rank), steps.end());
            EXPECT_LE(std::fabs(s.front() - s.back()), steps[rank]) << "channel " << c;
        }
    }
    // The field theme is heard most: a minute at least before it comes round again.
    EXPECT_GE(b.sounds[0].frames(), size_t(60 * snd::kRate));
}

TEST(BakedSound, TracksShareOneLoudnessAndFightsOverThemHardlyClip) {
    const BakedTracks& b = tracks();
    std::vector<double> rms;
    for (const Decoded& d : b.sounds) {
        EXPECT_LE(peakDb(d.samples), -1.0);
        rms.push_back(rmsDb(d.samples));
    }
    const auto [low, high] = std::minmax_element(rms.begin(), rms.end());
    EXPECT_LT(*high - *low, 1.5);

    // Two seconds of the field theme at the game's music volume under the gun (every
    // 5 frames), a tail blowing up joint by joint (every 3 frames), shot hits and counter
    // hits, each slot restarting itself as the mixer does.
    const size_t n = size_t(2 * snd::kRate);
    const std::vector<float> music = channel(b.sounds[0], 0);
    std::vector<float> mix(n);
    for (size_t i = 0; i < n; ++i) mix[i] = 0.6f * music[i + size_t(8 * snd::kRate)];
    struct Repeat {
        int effect, every, offset;
    };
    for (const Repeat r : {Repeat{0, 5, 0}, Repeat{4, 3, 1}, Repeat{7, 5, 2}, Repeat{9, 4, 3}}) {
        const std::vector<float>& s = effects().sounds[size_t(r.effect)].samples;
        const size_t period = size_t(r.every * kFrame * snd::kRate);
        const size_t first = size_t(r.offset * kFrame * snd::kRate);
        for (size_t i = first; i < n; ++i) {
            const size_t into = (i - first) % period;
            if (into < s.size()) mix[i] += s[into];
        }
    }
    size_t clipped = 0;
    for (float x : mix) clipped += std::fabs(x) > 1.0f;
    EXPECT_LT(double(clipped) / double(n), 0.001);
}
