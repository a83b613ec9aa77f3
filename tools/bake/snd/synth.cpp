#include "synth.h"

#include <cmath>
#include <cstring>

namespace snd {

bool parseWave(const char* name, Wave& out) {
    struct Entry {
        const char* name;
        Wave wave;
    };
    static const Entry table[] = {{"sine", Wave::Sine},    {"tri", Wave::Triangle},
                                  {"saw", Wave::Saw},      {"pulse", Wave::Pulse},
                                  {"square", Wave::Pulse}, {"noise", Wave::Noise},
                                  {"fm", Wave::Fm}};
    for (const Entry& e : table) {
        if (std::strcmp(e.name, name) == 0) {
            out = e.wave;
            return true;
        }
    }
    return false;
}

namespace {
// Correction around a discontinuity of a naive waveform; t is the phase, dt its step.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}
} // namespace

float Oscillator::next(double freq, double duty, double fmRatio, double fmIndex) {
    double dt = freq / kRate;
    if (dt < 0) dt = 0;
    if (dt > 0.49) dt = 0.49;
    double out = 0.0;
    switch (wave) {
    case Wave::Sine:
        out = std::sin(2.0 * kPi * phase);
        break;
    case Wave::Triangle:
        out = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
        break;
    case Wave::Saw:
        out = 2.0 * phase - 1.0 - polyBlep(phase, dt);
        break;
    case Wave::Pulse: {
        if (duty < 0.02) duty = 0.02;
        if (duty > 0.98) duty = 0.98;
        out = phase < duty ? 1.0 : -1.0;
        out += polyBlep(phase, dt);
        double t2 = phase - duty;
        if (t2 < 0) t2 += 1.0;
        out -= polyBlep(t2, dt);
        break;
    }
    case Wave::Noise:
        if (freq <= 0.0 || phase + dt >= 1.0) held = noise.next();
        out = held;
        break;
    case Wave::Fm: {
        const double mod = std::sin(2.0 * kPi * modPhase);
        out = std::sin(2.0 * kPi * phase + fmIndex * mod);
        modPhase += dt * fmRatio;
        modPhase -= std::floor(modPhase);
        break;
    }
    }
    phase += dt;
    if (phase >= 1.0) phase -= 1.0;
    return float(out);
}

double Envelope::level(double t, double gate) const {
    auto open = [this](double u) {
        if (u < 0) return 0.0;
        if (u < attack) return u / attack;
        u -= attack;
        if (u < hold) return 1.0;
        u -= hold;
        if (decay <= 0) return sustain;
        return sustain + (1.0 - sustain) * std::pow(0.001, u / decay);
    };
    if (t < gate) return open(t);
    if (release <= 0) return 0.0;
    const double u = t - gate;
    if (u >= release) return 0.0;
    // Fades from the level the gate closed at; the last millisecond ramps to zero so a note
    // never stops with a step.
    double v = open(gate) * std::pow(0.001, u / release);
    const double tailRamp = 0.001;
    if (release - u < tailRamp) v *= (release - u) / tailRamp;
    return v;
}

void Filter::set(double cutoff, double resonance) {
    const double maxCut = kRate * 0.45;
    if (cutoff < 10.0) cutoff = 10.0;
    if (cutoff > maxCut) cutoff = maxCut;
    if (resonance < 0) resonance = 0;
    if (resonance > 0.97) resonance = 0.97;
    const double g = std::tan(kPi * cutoff / kRate);
    k = 2.0 - 2.0 * resonance;
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

float Filter::process(float x) {
    const double v3 = x - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    switch (mode) {
    case Mode::Low:
        return float(v2);
    case Mode::Band:
        return float(v1);
    case Mode::High:
        return float(x - k * v1 - v2);
    }
    return float(v2);
}

} // namespace snd
