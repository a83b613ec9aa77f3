#include "render.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace snd {

namespace {

struct Bus {
    std::vector<float> left, right, send;
    void reserve(size_t n) {
        if (left.size() >= n) return;
        left.resize(n, 0.0f);
        right.resize(n, 0.0f);
        send.resize(n, 0.0f);
    }
    // Constant-power pan, so a voice keeps its loudness wherever it stands.
    void add(const std::vector<float>& v, size_t at, double pan, double send) {
        reserve(at + v.size());
        const double angle = (pan + 1.0) * kPi / 4.0;
        const float gl = float(std::cos(angle) * std::sqrt(2.0));
        const float gr = float(std::sin(angle) * std::sqrt(2.0));
        const float gs = float(send);
        for (size_t i = 0; i < v.size(); ++i) {
            left[at + i] += v[i] * gl;
            right[at + i] += v[i] * gr;
            this->send[at + i] += v[i] * gs;
        }
    }
};

// Ping-pong echo of the send bus: the first repeat on the left, the next on the right.
void addEcho(Bus& bus, size_t delay, double feedback, double level) {
    if (delay == 0 || level <= 0.0) return;
    size_t repeats = 1;
    if (feedback > 0.0) repeats = size_t(std::ceil(std::log(0.001) / std::log(feedback)));
    const size_t total = bus.left.size() + delay * (repeats + 1);
    bus.reserve(total);
    std::vector<float> el(total, 0.0f), er(total, 0.0f);
    const float fb = float(feedback);
    // A gentle low-pass in the loop darkens each repeat, as tape echoes do.
    float lowL = 0.0f, lowR = 0.0f;
    for (size_t i = delay; i < total; ++i) {
        const float inL = bus.send[i - delay] + fb * er[i - delay];
        const float inR = fb * el[i - delay];
        lowL += 0.45f * (inL - lowL);
        lowR += 0.45f * (inR - lowR);
        el[i] = lowL;
        er[i] = lowR;
    }
    const float g = float(level);
    for (size_t i = 0; i < total; ++i) {
        bus.left[i] += g * el[i];
        bus.right[i] += g * er[i];
    }
}

float softLimit(float x, float knee, float ceiling) {
    const float a = std::fabs(x);
    if (a <= knee) return x;
    const float room = ceiling - knee;
    const float y = knee + room * std::tanh((a - knee) / room);
    return x < 0 ? -y : y;
}

} // namespace

std::vector<float> renderScore(const Score& score) {
    const size_t frames = size_t(score.lengthSamples());
    Bus bus;
    bus.reserve(frames);

    // Drums are the same sound every time: render each layer once.
    std::map<char, std::vector<std::vector<float>>> drumSounds;
    for (const auto& [letter, layers] : score.drums)
        for (const Patch& p : layers)
            drumSounds[letter].push_back(renderVoice(p, 0, oneShotGate(p), 1.0));

    // Repeated notes of an instrument are identical too, so they are rendered once each.
    std::map<std::tuple<int, int, int64_t, int>, std::vector<float>> noteCache;
    const double secondsPerTick = score.samplesPerTick() / kRate;
    for (const Channel& ch : score.channels) {
        for (const NoteEvent& e : ch.notes) {
            const size_t at = size_t(score.tickToSample(e.tick));
            const double level = e.velocity;
            if (e.instrument < 0) {
                const auto& layers = score.drums.at(e.drum);
                const auto& sounds = drumSounds[e.drum];
                for (size_t i = 0; i < layers.size(); ++i) {
                    const std::vector<float>& s = sounds[i];
                    std::vector<float> v(s.size());
                    for (size_t j = 0; j < s.size(); ++j) v[j] = float(s[j] * level);
                    bus.add(v, at + size_t(std::lround(layers[i].start * kRate)), layers[i].pan,
                            layers[i].send);
                }
                continue;
            }
            const Patch& p = score.instruments[size_t(e.instrument)];
            const auto key =
                std::make_tuple(e.instrument, e.key, e.gate, int(std::lround(level * 1000)));
            auto found = noteCache.find(key);
            if (found == noteCache.end())
                found = noteCache
                            .emplace(key, renderVoice(p, keyToHz(e.key),
                                                      double(e.gate) * secondsPerTick, level))
                            .first;
            bus.add(found->second, at, p.pan, p.send);
        }
    }
    addEcho(bus, size_t(score.tickToSample(score.echoTicks)), score.echoFeedback, score.echoLevel);

    std::vector<float> out(frames * 2, 0.0f);
    for (size_t i = 0; i < bus.left.size(); ++i) {
        if (i >= frames && !score.loop) break;
        const size_t j = i % frames;
        out[2 * j] += bus.left[i];
        out[2 * j + 1] += bus.right[i];
    }
    if (!score.loop) {
        // Whatever still rings at the end is faded out over the last 30 ms.
        const size_t fade = std::min<size_t>(frames, kRate * 3 / 100);
        for (size_t i = 0; i < fade; ++i) {
            const float g = float(i) / float(fade);
            out[2 * (frames - 1 - i)] *= g;
            out[2 * (frames - 1 - i) + 1] *= g;
        }
    }

    double sum = 0.0;
    for (float s : out) sum += double(s) * s;
    const double rms = std::sqrt(sum / double(out.size()));
    if (rms > 0.0) {
        const float gain = float(std::pow(10.0, kTrackRmsDb / 20.0) / rms);
        const float ceiling = float(std::pow(10.0, kTrackCeilingDb / 20.0));
        const float knee = ceiling * 0.75f;
        for (float& s : out) s = softLimit(s * gain, knee, ceiling);
    }
    return out;
}

} // namespace snd
