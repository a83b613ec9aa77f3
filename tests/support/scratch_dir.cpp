#include "scratch_dir.h"

#include <cstdlib>

ScratchDir::ScratchDir() {
    if (!scratch.ok) std::abort();
}
