#pragma once
// The graphics device and the texture slot table. Texture files are images with 0x80 added to
// every byte.
#include <cstdint>

#include "platform/platform.h"

// Logs the device set-up; the platform backend has created the window and renderer already.
bool kxInitializeX(bool windowMode, int width, int height, int refreshRate);
void kxDisposeX();
void kxClear(uint32_t rgb);
void kxPresent();
void kxSetBlend(KBlend blend);

bool kxInitializeTexture(int slotCount);
void kxDisposeTexture();
// Loads a scrambled image file into an empty slot. True when the slot now holds a texture.
bool kxLoadTextureP(const char* path, uint32_t colourKey, int slot);
bool kxHasTexture(int slot);
int kxTextureCount();
