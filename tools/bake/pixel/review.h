#pragma once
// Review pictures of the art: a contact sheet of every cell with its number, and a typical
// field composed from the sheets as the game would draw it.
#include "compose.h"

// Every cell 0..986 in number order, each on a checkerboard (to show transparency) under its
// number, rows wrapped at the given width.
PxImage pxContactSheet(const PxSheets& sheets, int width);

// A 640x480 field in play: ground, scorch marks, shadows, enemies, tank with tail, walls,
// shots, flashes, an explosion, a score pop-up and the head-up text.
PxImage pxFieldPicture(const PxSheets& sheets);

// The conversation screen: pattern, picture, two portraits and a message window with text,
// to judge the window pieces and glyphs at their real scale.
PxImage pxTalkPicture(const PxSheets& sheets);

// The title screen: logo, badge, credit line and the side-view tank with its cars.
PxImage pxTitlePicture(const PxSheets& sheets);

// The two bosses assembled from their parts, to check that the parts fit together.
PxImage pxBossPicture(const PxSheets& sheets);

// The same field at its game over: the six letters and the game-over picture.
PxImage pxGameOverPicture(const PxSheets& sheets);
