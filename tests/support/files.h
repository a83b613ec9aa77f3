#pragma once
// Whole files in and out, for tests that look at what the game wrote or hand it damaged data.
#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text);

// A shell command's exit status (-1 when it did not exit normally) and what it printed on its
// standard output.
struct CommandRun {
    int status = -1;
    std::string output;
};
CommandRun runCommand(const std::string& command);

// Copies the baked texts (every language's catalogue and conversations) into text/ of the
// current folder, as a game root holds them.
void writeStockTexts();
