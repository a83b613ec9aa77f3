#pragma once
// What every benchmark program starts with: the game root it plays on and the benchmark run.
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <vector>

// The root from --root=DIR (taken out of the arguments), else the build's root beside bench/.
// False, with a message, when one of the `needed` folders is not there.
bool benchGameRoot(int& argc, char** argv, std::initializer_list<const char*> needed,
                   std::filesystem::path& root);
// Runs the benchmarks the remaining arguments select.
void benchRun(int argc, char** argv);

// The automatic player's ten-minute play on the root's data (36,000 frames and a little more):
// it keeps clear of harm for most of ten minutes, then fights, and gives up once ten minutes
// have passed. Recorded on first use, once per program; with `file`, that first use also saves
// it there as a replay file. Empty words when it could not be recorded or saved.
const std::vector<uint32_t>& benchTenMinutePlay(const std::filesystem::path& root,
                                                const std::filesystem::path& file = {});
