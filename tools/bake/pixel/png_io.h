#pragma once
// PNG in and out of memory, and the texture files' byte scrambling.
#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// Encodes an RGBA PNG with fixed settings and no time or text chunks, so equal pictures give
// equal bytes on every run.
bool pngEncode(const PxImage& img, std::vector<uint8_t>& out);
// Decodes any PNG into RGBA. False for data that is not a readable PNG.
bool pngDecode(const uint8_t* data, size_t size, PxImage& img);

// Texture files hold their PNG with 0x80 added to every byte; adding 0x80 again undoes it.
void pxScramble(std::vector<uint8_t>& bytes);

bool pxReadFile(const std::string& path, std::vector<uint8_t>& out);
// Writes through a temporary file and a rename, so a failed bake leaves no half file.
bool pxWriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
