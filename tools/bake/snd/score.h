#pragma once
// Music scores in a compact macro notation. A score is a text of directives and channels:
//
//   tempo 144                      quarter notes per minute
//   loop yes                       the track repeats (its end runs into its start)
//   echo 36 0.35 0.3               echo delay in ticks, feedback, return level
//   inst lead wave=pulse duty=0.25 a=0.005 d=0.3 s=0.5 r=0.1     an instrument (a patch)
//   drum K wave=sine f=150 f2=45 d=0.3                            a drum, one line per layer
//   lead: @lead o5 l8 v12 [c d e g | a4]2 b-4. r8               a channel's notes
//
// Channel lines with the same name join up in order. Inside a channel:
//   c d e f g a b   notes, then + or # (sharp), - (flat), a length (4 = quarter), dots,
//                   and ^len ties; r is a rest; A..Z strike the drum of that letter
//   (c e g)2        a chord: the notes sound together for the length after ')'
//   @name  o4 < >  instrument, octave, octave down/up
//   l8 v12 q7 k-2  default length, velocity 0..15, gate in eighths of the length, transpose
//   [ ... | ... ]3 repeat three times; the part after '|' is skipped on the last pass
// A quarter note is 48 ticks. Every channel of a score must be equally long.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "patch.h"

namespace snd {

constexpr int kTicksPerQuarter = 48;

struct NoteEvent {
    int64_t tick = 0;    // start
    int64_t length = 0;  // ticks until the next event of the channel
    int64_t gate = 0;    // ticks the note is held
    int instrument = -1; // index into Score::instruments, -1 for a drum
    char drum = 0;       // drum letter when instrument is -1
    int key = 60;        // note number, 60 = middle C (o4 c)
    double velocity = 1.0;
};

struct Channel {
    std::string name;
    std::vector<NoteEvent> notes;
    int64_t lengthTicks = 0;
};

struct Score {
    double tempo = 120.0;
    bool loop = false;
    int64_t echoTicks = 0;
    double echoFeedback = 0.0;
    double echoLevel = 0.0;
    std::vector<std::string> instrumentNames;
    std::vector<Patch> instruments;
    std::map<char, std::vector<Patch>> drums;
    std::vector<Channel> channels;
    int64_t lengthTicks = 0;

    double samplesPerTick() const { return 60.0 * kRate / (tempo * kTicksPerQuarter); }
    int64_t tickToSample(int64_t tick) const;
    // The number of samples of one pass: the decoded track has exactly this length.
    int64_t lengthSamples() const { return tickToSample(lengthTicks); }
};

// Frequency of a note number (A above middle C, 69, is 440 Hz).
double keyToHz(double key);

// Reads a score. False with a message naming the line or channel on a mistake.
bool parseScore(const std::string& text, Score& score, std::string& error);

// Expands [ ... | ... ]n repeats into plain text; false on unbalanced brackets.
bool expandRepeats(const std::string& text, std::string& out, std::string& error);

} // namespace snd
