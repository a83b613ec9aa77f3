#pragma once
// Counts heap allocations made through operator new, so benchmarks can report them per iteration.
#include <cstdint>

uint64_t benchAllocations();
