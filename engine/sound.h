#pragma once
// Sound effects (32 numbered slots) and one music stream, as global operations.

// Opens the audio device. False when there is none: every effect request is then silent.
bool kwInitializeWave();
bool kwIsReady();
bool kwLoadSegment(int slot, const char* path, bool loop);
void kwPlay(int slot);
void kwStopAll();
void kwDisposeWave();

constexpr int kwSlotCount = 32;

void voxInitialize(bool enabled);
void voxSetVolume(float volume);
// Music on or off while the game runs: off stops the tune; on starts again the looping tune the
// game last asked for, if any.
void voxEnable(bool enabled);
void voxPlay(const char* path, bool loop);
void voxStop();
void voxFadeOut(int duration);
void voxDispose();
