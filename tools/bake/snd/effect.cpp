#include "effect.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace snd {

bool parseEffect(const std::string& text, Effect& effect, std::string& error) {
    effect = Effect{};
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::vector<std::string> words = splitWords(line);
        if (words.empty()) continue;
        const std::string head = words.front();
        words.erase(words.begin());
        std::string why;
        if (head == "peak" && words.size() == 1) {
            char* end = nullptr;
            effect.peakDb = std::strtod(words[0].c_str(), &end);
            if (*end != '\0' || effect.peakDb > 0 || effect.peakDb < -40) why = "peak is -40..0 dB";
        } else if (head == "voice") {
            Patch p;
            // One-shot voices fall silent on their own: no sustain, a short release.
            p.env.sustain = 0.0;
            p.env.release = 0.005;
            if (parsePatchWords(words, p, why)) effect.voices.push_back(p);
        } else {
            why = "expected 'peak <dB>' or 'voice key=value ...'";
        }
        if (!why.empty()) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    if (effect.voices.empty()) {
        error = "no voice";
        return false;
    }
    return true;
}

std::vector<float> renderEffect(const Effect& effect) {
    std::vector<float> mix;
    for (const Patch& p : effect.voices) {
        const std::vector<float> v = renderVoice(p, 0.0, oneShotGate(p), 1.0);
        const size_t offset = size_t(std::lround(p.start * kRate));
        if (mix.size() < offset + v.size()) mix.resize(offset + v.size(), 0.0f);
        for (size_t i = 0; i < v.size(); ++i) mix[offset + i] += v[i];
    }
    float peak = 0.0f;
    for (float s : mix) peak = std::max(peak, std::fabs(s));
    if (peak > 0.0f) {
        const float scale = float(std::pow(10.0, effect.peakDb / 20.0)) / peak;
        for (float& s : mix) s *= scale;
    }
    return mix;
}

} // namespace snd
