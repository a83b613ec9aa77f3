#include "score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "notes.h"

namespace snd {

int64_t Score::tickToSample(int64_t tick) const {
    return int64_t(std::llround(double(tick) * samplesPerTick()));
}

double keyToHz(double key) {
    return 440.0 * std::exp2((key - 69.0) / 12.0);
}

namespace {

bool readNumber(const std::string& word, double low, double high, double& out) {
    char* end = nullptr;
    out = std::strtod(word.c_str(), &end);
    return end && *end == '\0' && out >= low && out <= high;
}

using Sources = std::vector<std::pair<std::string, std::string>>; // channel name, notes

// "name: notes", joined to the notes of an earlier line of the same name. False when the name
// is not one word.
bool addChannelLine(const std::string& line, size_t colon, size_t hash, Sources& sources) {
    const std::vector<std::string> parts = splitWords(line.substr(0, colon));
    if (parts.size() != 1) return false;
    const std::string notes =
        line.substr(colon + 1, hash == std::string::npos ? hash : hash - colon - 1);
    bool joined = false;
    for (auto& s : sources) {
        if (s.first == parts[0]) {
            s.second += ' ' + notes;
            joined = true;
        }
    }
    if (!joined) sources.push_back({parts[0], notes});
    return true;
}

// One directive line (tempo, loop, echo, inst, drum) into the score; `why` says what is wrong.
void readDirective(std::vector<std::string> words, Score& score, std::string& why) {
    const std::string head = words.front();
    words.erase(words.begin());
    double v = 0;
    if (head == "tempo") {
        if (words.size() != 1 || !readNumber(words[0], 20, 400, score.tempo))
            why = "tempo is 20..400";
    } else if (head == "loop") {
        if (words.size() != 1 || (words[0] != "yes" && words[0] != "no"))
            why = "loop yes|no";
        else
            score.loop = words[0] == "yes";
    } else if (head == "echo") {
        if (words.size() != 3 || !readNumber(words[0], 1, 4 * kTicksPerWhole, v) ||
            !readNumber(words[1], 0, 0.9, score.echoFeedback) ||
            !readNumber(words[2], 0, 1, score.echoLevel))
            why = "echo <ticks> <feedback 0..0.9> <level 0..1>";
        else
            score.echoTicks = int64_t(v);
    } else if (head == "inst" && !words.empty()) {
        Patch p;
        const std::string name = words.front();
        words.erase(words.begin());
        if (parsePatchWords(words, p, why)) {
            score.instrumentNames.push_back(name);
            score.instruments.push_back(p);
        }
    } else if (head == "drum" && !words.empty() && words[0].size() == 1 &&
               std::isupper(static_cast<unsigned char>(words[0][0]))) {
        Patch p;
        p.env.sustain = 0.0;
        p.env.release = 0.005;
        const char letter = words[0][0];
        words.erase(words.begin());
        if (parsePatchWords(words, p, why)) score.drums[letter].push_back(p);
    } else {
        why = "unknown directive '" + head + "'";
    }
}

// The channels read once every instrument and drum is known; all of them equally long.
bool readChannels(const Sources& sources, Score& score, std::string& error) {
    for (const auto& s : sources) {
        Channel ch;
        ch.name = s.first;
        if (!parseChannel(s.second, score, ch, error)) return false;
        score.lengthTicks = std::max(score.lengthTicks, ch.lengthTicks);
        score.channels.push_back(std::move(ch));
    }
    if (score.channels.empty() || score.lengthTicks == 0) {
        error = "no notes";
        return false;
    }
    // A channel that ends early is nearly always a miscounted bar: say where.
    for (const Channel& ch : score.channels) {
        if (ch.lengthTicks != score.lengthTicks) {
            error = "channel " + ch.name + " lasts " + std::to_string(ch.lengthTicks) +
                    " ticks, the score " + std::to_string(score.lengthTicks) + " (a bar is " +
                    std::to_string(kTicksPerWhole) + ")";
            return false;
        }
    }
    return true;
}

} // namespace

bool parseScore(const std::string& text, Score& score, std::string& error) {
    score = Score{};
    Sources sources;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = "line " + std::to_string(number) + ": ";
        const size_t colon = line.find(':');
        const size_t hash = line.find('#');
        std::string why;
        if (colon != std::string::npos && colon < hash) {
            if (!addChannelLine(line, colon, hash, sources))
                why = "a channel line is 'name: notes'";
        } else if (const std::vector<std::string> words = splitWords(line); !words.empty()) {
            readDirective(words, score, why);
        }
        if (!why.empty()) {
            error = where + why;
            return false;
        }
    }
    return readChannels(sources, score, error);
}

} // namespace snd
