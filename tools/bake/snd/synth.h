#pragma once
// The building blocks every sound is made of: oscillators, noise, envelopes and a filter.
#include <cmath>
#include <cstdint>

namespace snd {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

enum class Wave { Sine, Triangle, Saw, Pulse, Noise, Fm };

// Parses a wave name ("sine", "tri", "saw", "pulse", "square", "noise", "fm"); false if unknown.
bool parseWave(const char* name, Wave& out);

// Xorshift noise with a fixed seed, so a bake always produces the same samples.
class Noise {
public:
    explicit Noise(uint32_t seed = 0x2545F491u) : state(seed ? seed : 1u) {}
    float next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return float(int32_t(state)) * (1.0f / 2147483648.0f);
    }

private:
    uint32_t state;
};

// One oscillator. Saw and pulse are band-limited with polyBLEP so high notes stay clean;
// noise at a frequency above zero holds each random value for one period, which gives the
// pitched crunch of old sound chips.
class Oscillator {
public:
    Oscillator(Wave wave, uint32_t seed) : wave(wave), noise(seed) {}
    // duty: pulse width (0..1); fmRatio/fmIndex: modulator of the Fm wave.
    float next(double freq, double duty = 0.5, double fmRatio = 1.0, double fmIndex = 0.0);
    void setPhase(double p) { phase = p; }

private:
    Wave wave;
    Noise noise;
    double phase = 0.0;
    double modPhase = 0.0;
    float held = 0.0f;
};

// Attack, decay to the sustain level, release after the gate. Decay and release times are
// the time to fall by 60 dB, which reads naturally in a recipe ("d=0.2" is gone in 0.2 s).
struct Envelope {
    double attack = 0.002;
    double hold = 0.0;
    double decay = 0.2;
    double sustain = 1.0;
    double release = 0.05;
    // Level at t seconds after the start of a note whose gate closes at gate seconds.
    double level(double t, double gate) const;
    // Time after which the level stays below -60 dB.
    double length(double gate) const { return gate + release; }
};

// Zero-delay-feedback state-variable filter: stable under fast cutoff sweeps.
class Filter {
public:
    enum class Mode { Low, High, Band };
    explicit Filter(Mode mode = Mode::Low) : mode(mode) {}
    void set(double cutoff, double resonance);
    float process(float x);

private:
    Mode mode;
    double a1 = 0, a2 = 0, a3 = 0, k = 2;
    double ic1 = 0, ic2 = 0;
};

// Frequency ratio of an interval in semitones.
inline double semitones(double s) {
    return std::exp2(s / 12.0);
}

} // namespace snd
