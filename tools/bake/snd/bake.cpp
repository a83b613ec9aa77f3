#include "bake.h"

#include <cstdio>

#include "effect.h"
#include "render.h"
#include "vorbis_out.h"
#include "wav.h"

namespace snd {

std::string effectName(int index) {
    char name[8];
    std::snprintf(name, sizeof name, "SE%02d", index);
    return name;
}

std::string trackName(int index) {
    char name[8];
    std::snprintf(name, sizeof name, "MU%02d", index);
    return name;
}

bool bakeEffect(const std::string& recipe, std::vector<uint8_t>& wav, std::string& error) {
    Effect effect;
    if (!parseEffect(recipe, effect, error)) return false;
    wav = wavBytes(toPcm16(renderEffect(effect)), 1, kRate);
    return true;
}

bool bakeTrack(const std::string& text, std::vector<uint8_t>& ogg, std::string& error) {
    Score score;
    if (!parseScore(text, score, error)) return false;
    ogg = encodeVorbis(renderScore(score), kRate);
    if (ogg.empty()) error = "the Vorbis encoder refused the stream";
    return !ogg.empty();
}

} // namespace snd
