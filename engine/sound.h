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
void voxPlay(const char* path, bool loop);
void voxStop();
void voxFadeOut(int duration);
void voxDispose();
