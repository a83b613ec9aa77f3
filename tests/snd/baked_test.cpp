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

struct Baked {
    std::vector<std::vector<uint8_t>> effectFiles, trackFiles;
    std::vector<Decoded> effects, tracks;
    std::vector<snd::Score> scores;
};

const Baked& baked() {
    static const Baked all = [] {
        Baked b;
        for (int i = 0; i < snd::kEffectCount; ++i) {
            std::vector<uint8_t> bytes;
            std::string error;
            EXPECT_TRUE(snd::bakeEffect(readSource(snd::effectName(i) + ".sfx"), bytes, error))
                << snd::effectName(i) << ": " << error;
            Decoded d;
            EXPECT_TRUE(decodeWav(bytes, d)) << snd::effectName(i);
            b.effectFiles.push_back(bytes);
            b.effects.push_back(d);
        }
        for (int i = 0; i < snd::kTrackCount; ++i) {
            const std::string text = readSource(snd::trackName(i) + ".mus");
            std::vector<uint8_t> bytes;
            std::string error;
            EXPECT_TRUE(snd::bakeTrack(text, bytes, error)) << snd::trackName(i) << ": " << error;
            snd::Score score;
            EXPECT_TRUE(snd::parseScore(text, score, error));
            Decoded d;
            EXPECT_TRUE(decodeVorbis(bytes, d)) << snd::trackName(i);
            b.trackFiles.push_back(bytes);
            b.tracks.push_back(d);
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
    const Baked& b = baked();
    for (int i = 0; i < snd::kEffectCount; ++i) {
        std::vector<uint8_t> again;
        std::string error;
        ASSERT_TRUE(snd::bakeEffect(readSource(snd::effectName(i) + ".sfx"), again, error));
        EXPECT_EQ(again, b.effectFiles[size_t(i)]) << snd::effectName(i);
    }
    for (int i = 0; i < snd::kTrackCount; ++i) {
        std::vector<uint8_t> again;
        std::string error;
        ASSERT_TRUE(snd::bakeTrack(readSource(snd::trackName(i) + ".mus"), again, error));
        EXPECT_EQ(again, b.trackFiles[size_t(i)]) << snd::trackName(i);
    }
}

TEST(BakedSound, EffectsAreShortMonoPcmStartingAndEndingQuietly) {
    const Baked& b = baked();
    ASSERT_EQ(b.effects.size(), size_t(snd::kEffectCount));
    for (int i = 0; i < snd::kEffectCount; ++i) {
        const Decoded& d = b.effects[size_t(i)];
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
}

TEST(BakedSound, RapidEffectsFitBetweenTheirRepeats) {
    const Baked& b = baked();
    // The gun fires every 5 frames; hit ticks come at least as often.
    EXPECT_LE(double(b.effects[0].frames()) / snd::kRate, 5 * kFrame);
    EXPECT_LE(double(b.effects[7].frames()) / snd::kRate, 5 * kFrame);
    EXPECT_LE(double(b.effects[9].frames()) / snd::kRate, 5 * kFrame);
}

TEST(BakedSound, ExplosionOpeningIsAThumpNotAHiss) {
    // Down a long tail effect 4 restarts every 3 frames, so only its first 50 ms is heard,
    // over and over: most of that energy must sit low, or the chain turns into noise.
    const std::vector<float>& s = baked().effects[4].samples;
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

TEST(BakedSound, TracksDecodeToTheirScoresLength) {
    const Baked& b = baked();
    for (int i = 0; i < snd::kTrackCount; ++i) {
        SCOPED_TRACE(snd::trackName(i));
        const Decoded& d = b.tracks[size_t(i)];
        EXPECT_EQ(d.channels, 2);
        EXPECT_EQ(d.rate, snd::kRate);
        EXPECT_EQ(int64_t(d.frames()), b.scores[size_t(i)].lengthSamples());
    }
    // Only the game-over track plays once; the field theme is heard most and must not
    // repeat within a minute.
    for (int i = 0; i < snd::kTrackCount; ++i) EXPECT_EQ(b.scores[size_t(i)].loop, i != 1);
    EXPECT_GE(b.tracks[0].frames(), size_t(60 * snd::kRate));
}

TEST(BakedSound, LoopingTracksJoinWithoutAStep) {
    const Baked& b = baked();
    for (int i = 0; i < snd::kTrackCount; ++i) {
        if (!b.scores[size_t(i)].loop) continue;
        for (int c = 0; c < 2; ++c) {
            SCOPED_TRACE(snd::trackName(i) + (c ? " right" : " left"));
            const std::vector<float> s = channel(b.tracks[size_t(i)], c);
            std::vector<float> steps(s.size() - 1);
            for (size_t j = 1; j < s.size(); ++j) steps[j - 1] = std::fabs(s[j] - s[j - 1]);
            std::nth_element(steps.begin(), steps.begin() + long(steps.size() * 999 / 1000),
                             steps.end());
            const float usual = steps[steps.size() * 999 / 1000];
            EXPECT_LE(std::fabs(s.front() - s.back()), usual);
        }
    }
}

TEST(BakedSound, TracksShareOneLoudnessBelowTheCeiling) {
    const Baked& b = baked();
    std::vector<double> rms;
    for (const Decoded& d : b.tracks) {
        EXPECT_LE(peakDb(d.samples), -1.0);
        rms.push_back(rmsDb(d.samples));
    }
    const auto [low, high] = std::minmax_element(rms.begin(), rms.end());
    EXPECT_LT(*high - *low, 1.5);
}

TEST(BakedSound, BusyFightOverTheMusicHardlyClips) {
    // Two seconds of the field theme at the game's music volume under the gun (every
    // 5 frames), a tail blowing up joint by joint (every 3 frames), shot hits and counter
    // hits, each slot restarting itself as the mixer does.
    const Baked& b = baked();
    const size_t n = size_t(2 * snd::kRate);
    const std::vector<float> music = channel(b.tracks[0], 0);
    std::vector<float> mix(n);
    for (size_t i = 0; i < n; ++i) mix[i] = 0.6f * music[i + size_t(8 * snd::kRate)];
    struct Repeat {
        int effect, every, offset;
    };
    for (const Repeat r : {Repeat{0, 5, 0}, Repeat{4, 3, 1}, Repeat{7, 5, 2}, Repeat{9, 4, 3}}) {
        const std::vector<float>& s = b.effects[size_t(r.effect)].samples;
        const size_t period = size_t(r.every * kFrame * snd::kRate);
        for (size_t i = 0; i < n; ++i) {
            if (i < size_t(r.offset * kFrame * snd::kRate)) continue;
            const size_t into = (i - size_t(r.offset * kFrame * snd::kRate)) % period;
            if (into < s.size()) mix[i] += s[into];
        }
    }
    size_t clipped = 0;
    for (float x : mix) clipped += std::fabs(x) > 1.0f;
    EXPECT_LT(double(clipped) / double(n), 0.001);
}
