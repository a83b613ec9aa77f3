#pragma once
// The readable sources of the ground maps and enemy sets, turned into their binary files.
#include <cstdint>
#include <string>
#include <vector>

// A map grid of 10 x 8 chip characters into a ".ztm" image. False with a message on a bad line.
bool ztMapFromText(const std::string& text, std::vector<uint8_t>& out, std::string& error);
// A set grid of 19 x 14 characters into a ".zts" image, chips in reading order.
bool ztSetFromText(const std::string& text, std::vector<uint8_t>& out, std::string& error);
