#include "score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace snd {

int64_t Score::tickToSample(int64_t tick) const {
    return int64_t(std::llround(double(tick) * samplesPerTick()));
}

double keyToHz(double key) {
    return 440.0 * std::exp2((key - 69.0) / 12.0);
}

namespace {

// Finds the ']' that closes the '[' at open, and the '|' of the same depth (npos if none).
bool matchBracket(const std::string& t, size_t open, size_t& close, size_t& bar) {
    int depth = 0;
    bar = std::string::npos;
    for (size_t i = open; i < t.size(); ++i) {
        if (t[i] == '[') ++depth;
        if (t[i] == '|' && depth == 1) bar = i;
        if (t[i] == ']' && --depth == 0) {
            close = i;
            return true;
        }
    }
    return false;
}

bool expandFrom(const std::string& t, std::string& out, std::string& error, int nesting) {
    if (nesting > 16) {
        error = "repeats nested too deeply";
        return false;
    }
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == ']' || t[i] == '|') {
            error = std::string("stray '") + t[i] + "'";
            return false;
        }
        if (t[i] != '[') {
            out += t[i];
            continue;
        }
        size_t close = 0, bar = 0;
        if (!matchBracket(t, i, close, bar)) {
            error = "unclosed '['";
            return false;
        }
        size_t j = close + 1;
        int count = 0;
        while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j])) && count < 1000)
            count = count * 10 + (t[j++] - '0');
        if (count < 1 || count > 999) {
            error = "a repeat needs a count of 1..999 after ']'";
            return false;
        }
        std::string body, head;
        const size_t bodyEnd = bar == std::string::npos ? close : bar;
        if (!expandFrom(t.substr(i + 1, bodyEnd - i - 1), head, error, nesting + 1)) return false;
        std::string tail;
        if (bar != std::string::npos &&
            !expandFrom(t.substr(bar + 1, close - bar - 1), tail, error, nesting + 1))
            return false;
        for (int n = 0; n < count; ++n) {
            out += head;
            if (n + 1 < count) out += tail;
            out += ' ';
        }
        i = j - 1;
    }
    return true;
}

struct Cursor {
    const std::string& text;
    size_t pos = 0;
    bool atEnd() const { return pos >= text.size(); }
    char peek() const { return atEnd() ? '\0' : text[pos]; }
    bool number(int& out) {
        size_t start = pos;
        bool negative = false;
        if (peek() == '-' || peek() == '+') {
            negative = peek() == '-';
            ++pos;
        }
        int v = 0;
        size_t digits = 0;
        while (std::isdigit(static_cast<unsigned char>(peek())) && digits < 6) {
            v = v * 10 + (text[pos++] - '0');
            ++digits;
        }
        if (digits == 0) {
            pos = start;
            return false;
        }
        out = negative ? -v : v;
        return true;
    }
};

constexpr int64_t kWhole = 4 * kTicksPerQuarter;

// Reads an optional length ("8", "4.", "16..") after a note; none gives the default.
bool readLength(Cursor& c, int64_t fallback, int64_t& out) {
    int n = 0;
    int64_t len = fallback;
    if (std::isdigit(static_cast<unsigned char>(c.peek()))) {
        c.number(n);
        if (n < 1 || n > 192 || kWhole % n != 0) return false;
        len = kWhole / n;
    }
    int64_t add = len;
    while (c.peek() == '.') {
        ++c.pos;
        if (add % 2 != 0) return false;
        add /= 2;
        len += add;
    }
    out = len;
    return true;
}

// Reads the length of a note, rest or chord, with any ^ ties after it.
bool readTiedLength(Cursor& c, int64_t fallback, int64_t& out) {
    if (!readLength(c, fallback, out)) return false;
    while (c.peek() == '^') {
        ++c.pos;
        int64_t more = 0;
        if (!readLength(c, fallback, more)) return false;
        out += more;
    }
    return true;
}

int noteOffset(char letter) {
    static const int offsets[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    return offsets[letter - 'a'];
}

struct ChannelState {
    int instrument = -1;
    int octave = 4;
    int64_t length = kTicksPerQuarter;
    double velocity = 12.0 / 15.0;
    int gate = 8;
    int transpose = 0;
};

bool parseChannel(const std::string& source, const Score& score, Channel& ch, std::string& error) {
    std::string text;
    if (!expandRepeats(source, text, error)) return false;
    Cursor c{text};
    ChannelState st;
    int64_t tick = 0;
    auto fail = [&](const std::string& why) {
        error = "channel " + ch.name + ", near '" + text.substr(c.pos > 8 ? c.pos - 8 : 0, 16) +
                "': " + why;
        return false;
    };
    auto readKey = [&](int octave, int& key) {
        const char letter = text[c.pos++];
        key = (octave + 1) * 12 + noteOffset(letter) + st.transpose;
        while (c.peek() == '+' || c.peek() == '#' || c.peek() == '-')
            key += text[c.pos++] == '-' ? -1 : 1;
        return key >= 12 && key <= 120;
    };
    auto emit = [&](const std::vector<NoteEvent>& events, int64_t len) {
        for (NoteEvent e : events) {
            e.tick = tick;
            e.length = len;
            e.gate = std::max<int64_t>(1, len * st.gate / 8);
            e.velocity = st.velocity;
            ch.notes.push_back(e);
        }
        tick += len;
    };
    while (!c.atEnd()) {
        const char k = c.peek();
        if (std::isspace(static_cast<unsigned char>(k))) {
            ++c.pos;
        } else if (k == '@') {
            ++c.pos;
            std::string name;
            while (std::isalnum(static_cast<unsigned char>(c.peek())) || c.peek() == '_')
                name += text[c.pos++];
            st.instrument = -1;
            for (size_t i = 0; i < score.instrumentNames.size(); ++i)
                if (score.instrumentNames[i] == name) st.instrument = int(i);
            if (st.instrument < 0) return fail("unknown instrument '" + name + "'");
        } else if (k == '<' || k == '>') {
            ++c.pos;
            st.octave += k == '>' ? 1 : -1;
            if (st.octave < 0 || st.octave > 8) return fail("octave out of range");
        } else if (k == 'o' || k == 'v' || k == 'q' || k == 'k') {
            ++c.pos;
            int n = 0;
            if (!c.number(n)) return fail(std::string("'") + k + "' needs a number");
            if (k == 'o' && (n < 0 || n > 8)) return fail("octave out of range");
            if (k == 'v' && (n < 0 || n > 15)) return fail("velocity is 0..15");
            if (k == 'q' && (n < 1 || n > 8)) return fail("gate is 1..8");
            if (k == 'k' && (n < -24 || n > 24)) return fail("transpose is -24..24");
            if (k == 'o') st.octave = n;
            if (k == 'v') st.velocity = n / 15.0;
            if (k == 'q') st.gate = n;
            if (k == 'k') st.transpose = n;
        } else if (k == 'l') {
            ++c.pos;
            if (!std::isdigit(static_cast<unsigned char>(c.peek())) ||
                !readLength(c, st.length, st.length))
                return fail("bad default length");
        } else if (k == 'r') {
            ++c.pos;
            int64_t len = 0;
            if (!readTiedLength(c, st.length, len)) return fail("bad length");
            tick += len;
        } else if (k >= 'a' && k <= 'g') {
            if (st.instrument < 0) return fail("a note before any instrument");
            NoteEvent e;
            e.instrument = st.instrument;
            if (!readKey(st.octave, e.key)) return fail("note out of range");
            int64_t len = 0;
            if (!readTiedLength(c, st.length, len)) return fail("bad length");
            emit({e}, len);
        } else if (k >= 'A' && k <= 'Z') {
            if (!score.drums.count(k)) return fail(std::string("no drum '") + k + "'");
            ++c.pos;
            NoteEvent e;
            e.drum = k;
            int64_t len = 0;
            if (!readTiedLength(c, st.length, len)) return fail("bad length");
            emit({e}, len);
        } else if (k == '(') {
            ++c.pos;
            std::vector<NoteEvent> chord;
            int octave = st.octave;
            while (c.peek() != ')') {
                const char m = c.peek();
                if (c.atEnd()) return fail("unclosed '('");
                if (std::isspace(static_cast<unsigned char>(m))) {
                    ++c.pos;
                } else if (m == '<' || m == '>') {
                    ++c.pos;
                    octave += m == '>' ? 1 : -1;
                } else if (m >= 'a' && m <= 'g') {
                    if (st.instrument < 0) return fail("a note before any instrument");
                    NoteEvent e;
                    e.instrument = st.instrument;
                    if (!readKey(octave, e.key)) return fail("note out of range");
                    chord.push_back(e);
                } else if (m >= 'A' && m <= 'Z' && score.drums.count(m)) {
                    ++c.pos;
                    NoteEvent e;
                    e.drum = m;
                    chord.push_back(e);
                } else {
                    return fail(std::string("unexpected '") + m + "' in a chord");
                }
            }
            ++c.pos;
            int64_t len = 0;
            if (!readTiedLength(c, st.length, len)) return fail("bad length");
            emit(chord, len);
        } else {
            return fail(std::string("unexpected '") + k + "'");
        }
    }
    ch.lengthTicks = tick;
    return true;
}

bool readNumber(const std::string& word, double low, double high, double& out) {
    char* end = nullptr;
    out = std::strtod(word.c_str(), &end);
    return end && *end == '\0' && out >= low && out <= high;
}

} // namespace

bool expandRepeats(const std::string& text, std::string& out, std::string& error) {
    out.clear();
    return expandFrom(text, out, error, 0);
}

bool parseScore(const std::string& text, Score& score, std::string& error) {
    score = Score{};
    std::vector<std::pair<std::string, std::string>> sources; // channel name, notes
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = "line " + std::to_string(number) + ": ";
        const size_t colon = line.find(':');
        const size_t hash = line.find('#');
        if (colon != std::string::npos && colon < hash) {
            std::string name = line.substr(0, colon);
            const std::vector<std::string> parts = splitWords(name);
            if (parts.size() != 1) {
                error = where + "a channel line is 'name: notes'";
                return false;
            }
            std::string notes =
                line.substr(colon + 1, hash == std::string::npos ? hash : hash - colon - 1);
            bool joined = false;
            for (auto& s : sources) {
                if (s.first == parts[0]) {
                    s.second += ' ' + notes;
                    joined = true;
                }
            }
            if (!joined) sources.push_back({parts[0], notes});
            continue;
        }
        std::vector<std::string> words = splitWords(line);
        if (words.empty()) continue;
        const std::string head = words.front();
        words.erase(words.begin());
        std::string why;
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
            if (words.size() != 3 || !readNumber(words[0], 1, 4 * kWhole, v) ||
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
        if (!why.empty()) {
            error = where + why;
            return false;
        }
    }
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
                    std::to_string(kWhole) + ")";
            return false;
        }
    }
    return true;
}

} // namespace snd
