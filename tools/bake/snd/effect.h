#pragma once
// Sound-effect recipes: a peak level and one or more voices mixed into one short mono sound.
#include <string>
#include <vector>

#include "patch.h"

namespace snd {

struct Effect {
    double peakDb = -3.0; // the loudest sample lands exactly here
    std::vector<Patch> voices;
};

// Reads a recipe from its text. False with "line N: message" on a mistake.
bool parseEffect(const std::string& text, Effect& effect, std::string& error);

// Mixes the voices and scales the result to the recipe's peak.
std::vector<float> renderEffect(const Effect& effect);

} // namespace snd
