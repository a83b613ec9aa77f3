#include "notes.h"

#include <algorithm>
#include <cctype>

namespace snd {

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

// Reads an optional length ("8", "4.", "16..") after a note; none gives the default.
bool readLength(Cursor& c, int64_t fallback, int64_t& out) {
    int n = 0;
    int64_t len = fallback;
    if (std::isdigit(static_cast<unsigned char>(c.peek()))) {
        c.number(n);
        if (n < 1 || n > 192 || kTicksPerWhole % n != 0) return false;
        len = kTicksPerWhole / n;
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

// Reads one channel's notes, a command at a time, into its events.
class ChannelReader {
public:
    ChannelReader(const std::string& text, const Score& score, Channel& ch)
        : text(text), score(score), ch(ch), c{text} {}

    bool read(std::string& error) {
        while (!c.atEnd())
            if (!command(c.peek())) {
                error = "channel " + ch.name + ", near '" +
                        text.substr(c.pos > 8 ? c.pos - 8 : 0, 16) + "': " + why;
                return false;
            }
        ch.lengthTicks = tick;
        return true;
    }

private:
    bool fail(const std::string& reason) {
        why = reason;
        return false;
    }

    bool command(char k) {
        if (std::isspace(static_cast<unsigned char>(k))) {
            ++c.pos;
            return true;
        }
        if (k == '@') return instrument();
        if (k == '<' || k == '>') {
            ++c.pos;
            st.octave += k == '>' ? 1 : -1;
            return st.octave >= 0 && st.octave <= 8 ? true : fail("octave out of range");
        }
        if (k == 'o' || k == 'v' || k == 'q' || k == 'k') return setting(k);
        if (k == 'l') {
            ++c.pos;
            if (!std::isdigit(static_cast<unsigned char>(c.peek())) ||
                !readLength(c, st.length, st.length))
                return fail("bad default length");
            return true;
        }
        if (k == 'r') {
            ++c.pos;
            int64_t len = 0;
            if (!readTiedLength(c, st.length, len)) return fail("bad length");
            tick += len;
            return true;
        }
        if ((k >= 'a' && k <= 'g') || (k >= 'A' && k <= 'Z')) {
            NoteEvent e;
            return strike(k, st.octave, e) && sound({e});
        }
        if (k == '(') return chord();
        return fail(std::string("unexpected '") + k + "'");
    }

    bool instrument() {
        ++c.pos;
        std::string name;
        while (std::isalnum(static_cast<unsigned char>(c.peek())) || c.peek() == '_')
            name += text[c.pos++];
        st.instrument = -1;
        for (size_t i = 0; i < score.instrumentNames.size(); ++i)
            if (score.instrumentNames[i] == name) st.instrument = int(i);
        return st.instrument >= 0 ? true : fail("unknown instrument '" + name + "'");
    }

    // o, v, q or k and its number.
    bool setting(char k) {
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
        return true;
    }

    // A note (a..g, with its sharps and flats) or a drum (A..Z) at the cursor, without its length.
    bool strike(char k, int octave, NoteEvent& e) {
        if (k >= 'A' && k <= 'Z') {
            if (!score.drums.count(k)) return fail(std::string("no drum '") + k + "'");
            ++c.pos;
            e.drum = k;
            return true;
        }
        if (st.instrument < 0) return fail("a note before any instrument");
        e.instrument = st.instrument;
        ++c.pos;
        e.key = (octave + 1) * 12 + noteOffset(k) + st.transpose;
        while (c.peek() == '+' || c.peek() == '#' || c.peek() == '-')
            e.key += text[c.pos++] == '-' ? -1 : 1;
        return e.key >= 12 && e.key <= 120 ? true : fail("note out of range");
    }

    // Notes and drums between '(' and ')', with octave steps of their own.
    bool chord() {
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
            } else if ((m >= 'a' && m <= 'g') || (m >= 'A' && m <= 'Z' && score.drums.count(m))) {
                NoteEvent e;
                if (!strike(m, octave, e)) return false;
                chord.push_back(e);
            } else {
                return fail(std::string("unexpected '") + m + "' in a chord");
            }
        }
        ++c.pos;
        return sound(chord);
    }

    // The length after the events, then the events at the current tick, which moves past them.
    bool sound(const std::vector<NoteEvent>& events) {
        int64_t len = 0;
        if (!readTiedLength(c, st.length, len)) return fail("bad length");
        for (NoteEvent e : events) {
            e.tick = tick;
            e.length = len;
            e.gate = std::max<int64_t>(1, len * st.gate / 8);
            e.velocity = st.velocity;
            ch.notes.push_back(e);
        }
        tick += len;
        return true;
    }

    const std::string& text;
    const Score& score;
    Channel& ch;
    Cursor c;
    ChannelState st;
    int64_t tick = 0;
    std::string why;
};

} // namespace

bool expandRepeats(const std::string& text, std::string& out, std::string& error) {
    out.clear();
    return expandFrom(text, out, error, 0);
}

bool parseChannel(const std::string& source, const Score& score, Channel& ch, std::string& error) {
    std::string text;
    if (!expandRepeats(source, text, error)) return false;
    return ChannelReader(text, score, ch).read(error);
}

} // namespace snd
