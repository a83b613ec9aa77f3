// The synthesizer's parts do what a recipe says: pitch, filtering, envelopes, levels.
#include <gtest/gtest.h>

#include <cmath>

#include "effect.h"
#include "synth.h"

namespace {

int risingCrossings(const std::vector<float>& s) {
    int n = 0;
    for (size_t i = 1; i < s.size(); ++i) n += s[i - 1] < 0.0f && s[i] >= 0.0f;
    return n;
}

std::vector<float> run(snd::Oscillator& osc, double freq, double seconds) {
    std::vector<float> s(size_t(seconds * snd::kRate));
    for (float& x : s) x = osc.next(freq);
    return s;
}

double filteredRmsRatio(snd::Filter::Mode mode, double cutoff, double freq) {
    snd::Filter f(mode);
    f.set(cutoff, 0.0);
    snd::Oscillator osc(snd::Wave::Sine, 1);
    double in = 0.0, out = 0.0;
    for (int i = 0; i < snd::kRate / 2; ++i) {
        const float x = osc.next(freq);
        const float y = f.process(x);
        if (i < snd::kRate / 10) continue; // let the filter settle
        in += double(x) * x;
        out += double(y) * y;
    }
    return std::sqrt(out / in);
}

} // namespace

TEST(Synth, OscillatorsPlayThePitchAskedFor) {
    for (snd::Wave w : {snd::Wave::Sine, snd::Wave::Triangle, snd::Wave::Saw, snd::Wave::Pulse}) {
        snd::Oscillator osc(w, 1);
        osc.setPhase(0.1); // keep the first crossing out of sample 0
        EXPECT_NEAR(risingCrossings(run(osc, 440.0, 1.0)), 440, 1) << int(w);
    }
    // Pitched noise picks a new value once per period.
    snd::Oscillator noise(snd::Wave::Noise, 9);
    const std::vector<float> s = run(noise, 1000.0, 1.0);
    int changes = 0;
    for (size_t i = 1; i < s.size(); ++i) changes += s[i] != s[i - 1];
    EXPECT_NEAR(changes, 1000, 2);
}

TEST(Synth, NoiseIsTheSameForTheSameSeedAndDiffersOtherwise) {
    snd::Noise a(5), b(5), c(6);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const float x = a.next();
        EXPECT_EQ(x, b.next());
        EXPECT_LE(std::fabs(x), 1.0f);
        differs |= x != c.next();
    }
    EXPECT_TRUE(differs);
}

TEST(Synth, FiltersPassTheirBandAndCutTheOther) {
    EXPECT_GT(filteredRmsRatio(snd::Filter::Mode::Low, 500, 100), 0.9);
    EXPECT_LT(filteredRmsRatio(snd::Filter::Mode::Low, 500, 8000), 0.1);
    EXPECT_GT(filteredRmsRatio(snd::Filter::Mode::High, 2000, 10000), 0.9);
    EXPECT_LT(filteredRmsRatio(snd::Filter::Mode::High, 2000, 100), 0.1);
}

TEST(Synth, EnvelopeRisesDecaysToSustainAndReleasesWithoutAStep) {
    snd::Envelope e;
    e.attack = 0.01;
    e.decay = 0.2;
    e.sustain = 0.5;
    e.release = 0.3;
    const double gate = 1.0;
    EXPECT_NEAR(e.level(0.005, gate), 0.5, 1e-9);
    EXPECT_NEAR(e.level(0.01, gate), 1.0, 1e-9);
    // 60 dB of the way from full to sustain after the decay time.
    EXPECT_NEAR(e.level(0.21, gate), 0.5 + 0.5 * 0.001, 1e-6);
    EXPECT_NEAR(e.level(gate - 1e-6, gate), e.level(gate + 1e-6, gate), 1e-4);
    EXPECT_LT(e.level(gate + 0.15, gate), 0.5 * 0.04);
    EXPECT_EQ(e.level(gate + 0.3, gate), 0.0);
    EXPECT_LT(e.level(gate + 0.2995, gate), 0.5 * 0.001);
}

TEST(Synth, EffectsLandOnTheirPeakAndLastAsLongAsTheirLongestVoice) {
    snd::Effect fx;
    std::string error;
    ASSERT_TRUE(snd::parseEffect("peak -6\n"
                                 "voice wave=sine f=440 a=0.01 d=0.2\n"
                                 "voice wave=noise start=0.1 a=0.001 d=0.3 gain=0.2 # late hiss\n",
                                 fx, error))
        << error;
    ASSERT_EQ(fx.voices.size(), 2u);
    const std::vector<float> s = snd::renderEffect(fx);
    float peak = 0.0f;
    for (float x : s) peak = std::max(peak, std::fabs(x));
    EXPECT_NEAR(20.0 * std::log10(peak), -6.0, 0.01);
    EXPECT_NEAR(double(s.size()) / snd::kRate, 0.1 + 0.301 + 0.005, 0.002);
}

TEST(Synth, RecipeMistakesNameTheirLine) {
    snd::Effect fx;
    std::string error;
    EXPECT_FALSE(snd::parseEffect("peak -3\nvoice wave=sine f=440 bogus=1\n", fx, error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_FALSE(snd::parseEffect("voice wave=organ\n", fx, error));
    EXPECT_FALSE(snd::parseEffect("voice f=-5\n", fx, error));
    EXPECT_FALSE(snd::parseEffect("peak 3\nvoice f=440\n", fx, error));
    EXPECT_FALSE(snd::parseEffect("# nothing to play\n", fx, error));
}
