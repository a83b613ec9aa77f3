#pragma once
// What every benchmark program starts with: the game root it plays on and the benchmark run.
#include <filesystem>
#include <initializer_list>

// The root from --root=DIR (taken out of the arguments), else the build's root beside bench/.
// False, with a message, when one of the `needed` folders is not there.
bool benchGameRoot(int& argc, char** argv, std::initializer_list<const char*> needed,
                   std::filesystem::path& root);
// Runs the benchmarks the remaining arguments select.
void benchRun(int argc, char** argv);
