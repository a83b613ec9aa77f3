#pragma once
// A player with a person's limits, for measuring how hard a field is. It decides only every
// few frames, on what the screen showed a reaction time ago; it plans its course only a short
// way ahead; its aim and its steering wander. The wandering comes from its own generator, seeded
// per try, so the game's random sequence is never touched and two tries differ only by it.
#include <cstdint>
#include <vector>

#include "kmath.h"

struct ZTModelSkill {
    int decideEvery = 6;   // frames between two decisions
    int reaction = 12;     // the decision uses the screen of this many frames ago
    int lookahead = 20;    // frames past the present the course is checked for
    float aimNoise = 0.3f; // spread of the wished heading, radians
    float slip = 0.06f;    // chance per decision of pressing a neighbouring direction
    float seeNoise = 3.0f; // spread of where a shot or a body is seen, pixels
};

class ZTModelPlayer {
public:
    explicit ZTModelPlayer(uint64_t seed, ZTModelSkill skill = {});
    // The button word to hold in the coming frame; call once per frame.
    uint32_t next();

private:
    struct Thing {
        KVector position;
        KVector velocity;
        float reach;        // centre distance below which the tank is hit
        bool target;        // something to shoot at
        bool flyer = false; // a boss in the air: it keeps its distance and shoots fast
    };
    struct Charged {
        KVector position; // a joint showing the charge mark
        float angle;      // its heading: a burst leaves it square to that
    };
    struct Screen {
        bool driving = false;
        KVector tank;
        float angle = 0.0f;
        std::vector<Thing> things;
        uint32_t pressed = 0; // the word held in the frame after this screen
        int joints = 0;       // pieces of the tail on the screen
        std::vector<Charged> charged;
    };
    Screen look() const;
    uint32_t decide(const Screen& seen);
    bool burstAim(const Screen& seen, const std::vector<Thing>& things, KVector tank,
                  KVector& aimAt);
    float uniform();
    float gauss();

    ZTModelSkill skill;
    uint64_t state;
    std::vector<Screen> memory; // a ring of the last reaction + 1 screens
    int frame = 0;
    uint32_t held = 0;
    std::vector<KVector> trail; // where the tank drove, newest last: the tail lies along it
    bool passing = false;       // driving on past the target before turning back to it
};
