#include "patch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace snd {

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (c == '#') break;
        if (c == ' ' || c == '\t' || c == '\r') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

namespace {
bool toNumber(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(out);
}

bool toList(const std::string& text, std::vector<double>& out) {
    out.clear();
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        double v;
        if (!toNumber(item, v)) return false;
        out.push_back(v);
    }
    return !out.empty();
}
} // namespace

bool parsePatchWords(const std::vector<std::string>& words, Patch& p, std::string& error) {
    for (const std::string& w : words) {
        const size_t eq = w.find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "expected key=value, got '" + w + "'";
            return false;
        }
        const std::string key = w.substr(0, eq);
        const std::string value = w.substr(eq + 1);
        if (key == "wave") {
            if (!parseWave(value.c_str(), p.wave)) {
                error = "unknown wave '" + value + "'";
                return false;
            }
            continue;
        }
        if (key == "curve") {
            if (value != "lin" && value != "exp") {
                error = "curve is lin or exp";
                return false;
            }
            p.linear = value == "lin";
            continue;
        }
        if (key == "arp") {
            if (!toList(value, p.arp)) {
                error = "bad arp list '" + value + "'";
                return false;
            }
            continue;
        }
        double v;
        if (!toNumber(value, v)) {
            error = "bad number in '" + w + "'";
            return false;
        }
        struct Field {
            const char* key;
            double* field;
            double low, high;
        };
        const Field fields[] = {
            {"f", &p.freq, 1, 20000},
            {"f2", &p.freqEnd, 0, 20000},
            {"sweep", &p.sweep, 0, 10},
            {"duty", &p.duty, 0, 1},
            {"duty2", &p.dutyEnd, 0, 1},
            {"a", &p.env.attack, 0, 10},
            {"h", &p.env.hold, 0, 10},
            {"d", &p.env.decay, 0, 20},
            {"s", &p.env.sustain, 0, 1},
            {"r", &p.env.release, 0, 20},
            {"start", &p.start, 0, 10},
            {"gain", &p.gain, 0, 10},
            {"pan", &p.pan, -1, 1},
            {"lp", &p.lowpass, 0, 20000},
            {"lp2", &p.lowpassEnd, 0, 20000},
            {"res", &p.resonance, 0, 0.97},
            {"hp", &p.highpass, 0, 20000},
            {"fenv", &p.filterEnv, 0, 20000},
            {"fdecay", &p.filterDecay, 0.001, 20},
            {"vib", &p.vibRate, 0, 40},
            {"vibd", &p.vibDepth, 0, 1200},
            {"vibdelay", &p.vibDelay, 0, 10},
            {"arpt", &p.arpTime, 0.001, 10},
            {"ratio", &p.fmRatio, 0, 32},
            {"index", &p.fmIndex, 0, 50},
            {"index2", &p.fmIndexEnd, 0, 50},
            {"idecay", &p.fmDecay, 0.001, 20},
            {"detune", &p.detune, -1200, 1200},
            {"oct", &p.octave, -4, 4},
            {"send", &p.send, 0, 1},
        };
        bool found = false;
        for (const Field& f : fields) {
            if (key != f.key) continue;
            if (v < f.low || v > f.high) {
                error = "'" + w + "' is out of range";
                return false;
            }
            *f.field = v;
            found = true;
            break;
        }
        if (found) continue;
        if (key == "arploop") {
            p.arpLoop = v != 0;
        } else if (key == "seed") {
            p.seed = unsigned(v);
        } else {
            error = "unknown key '" + key + "'";
            return false;
        }
    }
    return true;
}

double oneShotGate(const Patch& p) {
    return p.env.attack + p.env.hold + p.env.decay;
}

std::vector<float> renderVoice(const Patch& p, double pitch, double gate, double level) {
    const double base = pitch > 0 ? pitch * std::exp2(p.octave) : p.freq;
    const double sweepTime = p.sweep > 0 ? p.sweep : std::max(gate, 0.001);
    const double ratioEnd = p.freqEnd > 0 ? p.freqEnd / p.freq : 1.0;
    const double dutyEnd = p.dutyEnd >= 0 ? p.dutyEnd : p.duty;
    const double cutEnd = p.lowpassEnd > 0 ? p.lowpassEnd : p.lowpass;
    const size_t count = size_t(std::ceil(p.env.length(gate) * kRate)) + 1;
    std::vector<float> out(count);

    Oscillator osc(p.wave, p.seed);
    Oscillator osc2(p.wave, p.seed * 7919u + 13u);
    osc2.setPhase(0.37); // keeps the pair from starting in phase and doubling the attack
    const double detuneRatio = semitones(p.detune / 100.0);
    Filter low(Filter::Mode::Low);
    Filter high(Filter::Mode::High);
    const bool useLow = p.lowpass > 0;
    const bool useHigh = p.highpass > 0;
    if (useHigh) high.set(p.highpass, 0.0);

    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / kRate;
        const double x = std::min(t / sweepTime, 1.0);
        double f = p.linear ? base * (1.0 + (ratioEnd - 1.0) * x) : base * std::pow(ratioEnd, x);
        if (!p.arp.empty()) {
            size_t step = size_t(t / p.arpTime);
            step = p.arpLoop ? step % p.arp.size() : std::min(step, p.arp.size() - 1);
            f *= semitones(p.arp[step]);
        }
        if (p.vibRate > 0 && t > p.vibDelay) {
            const double fadeIn = std::min((t - p.vibDelay) / 0.15, 1.0);
            const double cents = p.vibDepth * fadeIn * std::sin(2.0 * kPi * p.vibRate * t);
            f *= semitones(cents / 100.0);
        }
        const double duty = p.duty + (dutyEnd - p.duty) * x;
        const double index =
            p.fmIndexEnd + (p.fmIndex - p.fmIndexEnd) * std::pow(0.001, t / p.fmDecay);
        double s = osc.next(f, duty, p.fmRatio, index);
        if (p.detune != 0.0) s = 0.5 * (s + osc2.next(f * detuneRatio, duty, p.fmRatio, index));
        if (useLow) {
            // Cutoff moves smoothly, so refreshing it every 16 samples is inaudible and cheap.
            if ((i & 15) == 0) {
                double cut = p.lowpass * std::pow(cutEnd / p.lowpass, x);
                cut += p.filterEnv * std::pow(0.001, t / p.filterDecay);
                low.set(cut, p.resonance);
            }
            s = low.process(float(s));
        }
        if (useHigh) s = high.process(float(s));
        out[i] = float(s * p.env.level(t, gate) * p.gain * level);
    }
    return out;
}

} // namespace snd
