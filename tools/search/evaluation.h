#pragma once
// How the searching player judges a try: the try's word held for its segment, then played on
// (held, or steered by the simple pilot), and what became of the field by its end.
#include <cstdint>

class ZTPlayer;
struct HeadlessPlatform;

// How a try plays: `segment` frames of its word, then `lookahead` more, held on or steered by
// the pilot, which is asked every `pilotEvery` frames and held in between.
struct ZTLook {
    int segment;
    int lookahead;
    int pilotEvery;
};

// What a try is worth: below -5e5 the tank was lost, above 5e6 the field was left alive (the
// sooner, the more), else the gains of the try and how well the tank stands at its end.
// Counts the frames it ran.
double ztRollout(HeadlessPlatform& platform, uint32_t first, bool pilotOn, const ZTLook& look,
                 long& frames);

// A try that came through its lookahead alive.
inline bool ztAlive(double value) {
    return value > -5e5;
}
