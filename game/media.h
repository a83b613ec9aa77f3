#pragma once
// The pictures and sound effects the program loads at start-up, from below the current folder.
// Shared by the program and the tools that show a play as the program does.

constexpr int kTextureSlots = 11;
constexpr int kEffectFiles = 11;

// Creates the texture table and loads the eleven sheets into it (a missing one leaves its slot
// empty). False when the table could not be made.
bool ztLoadTextures();
// Loads "snd/SE00.wav" and on into the effect slots; needs the sound module initialised.
void ztLoadEffects();
