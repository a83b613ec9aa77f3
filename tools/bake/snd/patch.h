#pragma once
// A patch: one voice's recipe as key=value words, shared by effect recipes, drum sounds
// and the instruments of the scores.
#include <string>
#include <vector>

#include "synth.h"

namespace snd {

struct Patch {
    Wave wave = Wave::Pulse;
    double freq = 440.0;  // f: start pitch of a one-shot voice (Hz)
    double freqEnd = 0.0; // f2: pitch reached after the sweep (0 keeps f)
    double sweep = 0.0;   // sweep: seconds of the pitch, filter and duty sweeps (0: the voice)
    bool linear = false;  // curve=lin: sweeps in Hz instead of octaves
    double duty = 0.5;    // duty, duty2: pulse width at start and end of the sweep
    double dutyEnd = -1.0;
    Envelope env;         // a, h, d, s, r
    double start = 0.0;   // start: delay of the voice inside an effect (s)
    double gain = 1.0;    // gain: linear level
    double pan = 0.0;     // pan: -1 left .. +1 right
    double lowpass = 0.0; // lp, lp2: low-pass cutoff at start and end of the sweep (0: off)
    double lowpassEnd = 0.0;
    double resonance = 0.0;   // res: 0..0.97
    double highpass = 0.0;    // hp: high-pass cutoff (0: off)
    double filterEnv = 0.0;   // fenv: Hz added to the low-pass cutoff at the note start...
    double filterDecay = 0.1; // fdecay: ...and gone 60 dB later
    double vibRate = 0.0;     // vib: vibrato rate (Hz)
    double vibDepth = 0.0;    // vibd: vibrato depth (cents)
    double vibDelay = 0.0;    // vibdelay: seconds before the vibrato fades in
    std::vector<double> arp;  // arp: semitone steps, e.g. 0,4,7,12
    double arpTime = 0.05;    // arpt: seconds per arpeggio step
    bool arpLoop = false;     // arploop=1: cycle the steps instead of holding the last
    double fmRatio = 1.0;     // ratio: modulator frequency / carrier frequency
    double fmIndex = 0.0;     // index, index2: modulation depth at the start and at rest
    double fmIndexEnd = 0.0;
    double fmDecay = 0.3; // idecay: time for the index to settle (60 dB)
    double detune = 0.0;  // detune: cents of a second, detuned oscillator (0: none)
    double octave = 0.0;  // oct: octave shift of an instrument
    double send = 0.0;    // send: share of the voice sent to the echo
    unsigned seed = 1;    // seed: noise seed
};

// Applies "key=value" words to a patch. False with a message naming the bad word.
bool parsePatchWords(const std::vector<std::string>& words, Patch& patch, std::string& error);

// Splits a line on spaces and tabs, dropping a trailing "# comment".
std::vector<std::string> splitWords(const std::string& line);

// Renders one voice: pitch base (Hz, 0 for the patch's own f), gate length (s), level.
// The result starts at the note start and lasts until the envelope has died away.
std::vector<float> renderVoice(const Patch& patch, double pitch, double gate, double level);

// Gate of a one-shot voice: attack, hold and decay; the release follows.
double oneShotGate(const Patch& patch);

} // namespace snd
