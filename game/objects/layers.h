#pragma once
// The behaviour layers the game puts its objects in. A layer is moved in number order and drawn
// where its scene says, so the numbers decide who moves first and who is drawn over whom; the
// quiet scenes borrow the play's layers for their own furniture.
#include "behave.h"

enum ZTLayer : int {
    ZT_LAYER_FLOOR = 2,        // scorch marks; the drifting pattern and the logo of the menus
    ZT_LAYER_GROUND = 3,       // ground enemies and the ground boss; the title's tank
    ZT_LAYER_BLASTS = 4,       // explosion fragments and smoke
    ZT_LAYER_TANK = 5,         // the tank and its tail
    ZT_LAYER_WALL = 6,         // the border wall
    ZT_LAYER_SHOTS = 7,        // the tank's shots and the tail's counter shots
    ZT_LAYER_SPARKS = 8,       // muzzle blasts, shot flashes, the glow of a joint just added
    ZT_LAYER_AIR = 9,          // flyers, their generators and the flying boss
    ZT_LAYER_RATES = 10,       // the damage numbers of destroyed enemies
    ZT_LAYER_ENEMY_SHOTS = 11, // enemy shots
    ZT_LAYER_LETTERS = 12,     // the letters of the game-over banner
    ZT_LAYER_WINDOW = 13,      // text windows
};
static_assert(ZT_LAYER_WINDOW < kbLayerCount);
